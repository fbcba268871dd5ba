#include "conversion/output_set.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>
#endif

#include "core/output_file.h"
#include "test_util.h"

namespace tervan {
namespace {

TEST(OffsetAndScale, ZeroPointsStayAndScaleIncludesOffsets) {
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.inputPath = dir.file("in.txt");
    session.settings.NxyzFile = 1;
    session.settings.X0 = "10";
    session.settings.Y0 = " -2.5xyz";
    session.settings.Z0 = "abc";
    session.settings.x1000 = 1;
    session.store.points = {Point{.N = "A", .X = 1.5, .Y = 1, .Z = 2}, Point{.N = "O"}};
    applyOffsets(session.store, session.settings);
    Result result;
    writeOutputs(session, dir.file("in"), result);
    EXPECT_EQ(session.store.points[0].X, 11500);
    EXPECT_EQ(session.store.points[0].Y, -1500);
    EXPECT_EQ(session.store.points[0].Z, 2000);
    EXPECT_EQ(session.store.points[1].X, 0);
    EXPECT_EQ(test::readFile(dir.file("in_nxyz.txt")), "     A  11500.000  -1500.000   2000.000\r\n");
}

TEST(OutputSet, WritersRunInTheFixedOrder) {
    Settings twoD, threeD;
    twoD.ThreeDFile = 0;
    std::vector<std::string> suffixes2d, suffixes3d;
    for (const auto& out : outputs()) {
        suffixes2d.push_back(outputSuffix(out, twoD));
        suffixes3d.push_back(outputSuffix(out, threeD));
    }
    const std::vector<std::string> order = {".dpi",      ".kor",      ".scr",     "_point.scr", "_names.scr", "_z.scr",
                                            "_nyxz.txt", "_nxyz.txt", "_xyz.txt", "_tras.dat",  ".csv",
                                            ".xml",      "_2d.dxf"};
    EXPECT_EQ(suffixes2d, order);
    EXPECT_EQ(suffixes3d.back(), "_3d.dxf");
    EXPECT_EQ(outputs().back().flag, &Settings::TwoDFile);
}

TEST(OutputSet, TickedOutputsOnly) {
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.inputPath = dir.file("job.txt");
    session.settings.TrasFile = 1;
    session.settings.NyxzFile = 1;
    Result result;
    writeOutputs(session, dir.file("job"), result);
    ASSERT_EQ(result.outputs.size(), 2u);
    EXPECT_EQ(result.outputs[0].path, dir.file("job_nyxz.txt"));
    EXPECT_EQ(result.outputs[1].path, dir.file("job_tras.dat"));
    EXPECT_EQ(result.outputs[1].status, OutputStatus::Written);
    EXPECT_TRUE(test::fileExists(dir.file("job_tras.dat")));
    EXPECT_TRUE(test::fileExists(dir.file("job_nyxz.txt")));
    EXPECT_FALSE(test::fileExists(dir.file("job_nxyz.txt")));
    EXPECT_FALSE(test::fileExists(dir.file("job_xyz.txt")));
}

// The input is known by its path and by the file that was open: a path
// that names another file by the time the outputs are written does not
// leave the file read unprotected.
TEST(OutputSet, NeverReplacesTheInput) {
    for (const bool byOpenFile : {false, true}) {
        test::ScratchDir dir;
        const std::string content = "P1,1,2,3,0,0,10,20,30\n";
        Session session = test::quietSession();
        session.settings.XyzFile = 1;
        std::string input = dir.file("j_xyz.txt");
        test::writeFile(input, content);
        session.inputPath = input;
        if (byOpenFile) {
            std::FILE* open = std::fopen(input.c_str(), "rb");
            ASSERT_NE(open, nullptr);
            session.inputId = fileId(open);
            std::fclose(open);
            session.inputPath = dir.file("elsewhere.txt");  // the path names no such file by now
        }
        Result result;
        writeOutputs(session, dir.file("j"), result);
        EXPECT_EQ(test::readFile(input), content) << byOpenFile;
        EXPECT_NE(result.message.find(input + " not written: it is the input file"), std::string::npos);
        ASSERT_EQ(result.outputs.size(), 1u);
        EXPECT_EQ(result.outputs[0].status, OutputStatus::IsInput);
        EXPECT_TRUE(result.outputFailed());  // the user asked for a file and has none
    }
}

TEST(OutputSet, UnwritableOutputIsReportedAndOthersWritten) {
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.inputPath = dir.file("job.txt");
    session.settings.NxyzFile = 1;
    session.settings.XyzFile = 1;
    session.store.points = {Point{.N = "A", .X = 1, .Y = 1, .Z = 1}};
    // A folder where the name-X-Y-Z file should be makes it uncreatable.
    std::filesystem::create_directory(dir.file("job_nxyz.txt"));
    Result result;
    writeOutputs(session, dir.file("job"), result);
    EXPECT_TRUE(result.outputFailed());
    EXPECT_NE(result.message.find("\r\ncannot write " + dir.file("job_nxyz.txt") + ": Is a directory"), std::string::npos);
    ASSERT_EQ(result.outputs.size(), 2u);
    EXPECT_EQ(result.outputs[0].status, OutputStatus::Failed);
    EXPECT_EQ(result.outputs[0].reason, "Is a directory");
    EXPECT_EQ(test::readFile(dir.file("job_xyz.txt")), "     1.000      1.000      1.000\r\n");
}

// Every file of a folder, by name.
std::map<std::string, std::string> folderFiles(const test::ScratchDir& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        files[utf8Path(entry.path().filename())] = test::readFile(utf8Path(entry.path()));
    return files;
}

// Four outputs (the drawing among them) over count points, the DXF header
// beside them.
Session fourOutputs(const test::ScratchDir& dir, int count) {
    Session session = test::quietSession();
    session.inputPath = dir.file("job.txt");
    session.dxfHeaderPath = dir.file("header.txt");
    test::writeFile(session.dxfHeaderPath, "  0\nSECTION\n");
    session.settings.DpiFile = 1;
    session.settings.NxyzFile = 1;
    session.settings.TrasFile = 1;
    session.settings.TwoDFile = 1;
    session.settings.ThreeDFile = 1;
    for (int i = 0; i < count; ++i) {
        const std::string name = std::to_string(i + 1);
        appendPoint(session.store, Point{.N = name, .X = i * 1.5, .Y = 2.0 * i, .Z = 100});
    }
    return session;
}

// A run that cannot write one of its outputs whole (a full disk) replaces
// none of them: every output of the run before keeps its bytes, and no
// temporary file is left.
TEST(OutputSet, FailedWriteReplacesNothing) {
    for (const char* failing : {".dpi", "_nxyz.txt", "_tras.dat", "_3d.dxf"}) {
        SCOPED_TRACE(failing);
        test::ScratchDir dir;
        Session first = fourOutputs(dir, 3);
        Result done;
        writeOutputs(first, dir.file("job"), done);
        ASSERT_FALSE(done.outputFailed()) << done.message;
        const auto before = folderFiles(dir);
        ASSERT_EQ(before.size(), 5u);

        Session second = fourOutputs(dir, 40);
        injectWriteFailure(failing);
        Result result;
        writeOutputs(second, dir.file("job"), result);
        injectWriteFailure("");
        EXPECT_EQ(folderFiles(dir), before);
        EXPECT_TRUE(result.outputFailed());
        const std::string path = dir.file(std::string("job") + failing);
        EXPECT_NE(result.message.find("cannot write " + path + ": " + std::strerror(ENOSPC)), std::string::npos);
        EXPECT_NE(result.message.find(kNothingReplaced), std::string::npos);
        ASSERT_EQ(result.outputs.size(), 4u);
        for (const OutputReport& out : result.outputs)
            EXPECT_EQ(out.status, out.path == path ? OutputStatus::Failed : OutputStatus::Kept) << out.path;
    }
}

#ifndef _WIN32
// A symbolic link in an output's place is replaced by the output; the file
// it points to keeps its bytes.
TEST(OutputSet, LinkInAnOutputsPlaceIsReplacedNotFollowed) {
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.inputPath = dir.file("job.txt");
    session.settings.NyxzFile = 1;
    session.store.points = {Point{.N = "A", .X = 1, .Y = 2, .Z = 3}};
    test::writeFile(dir.file("other.txt"), "the user's own file");
    std::filesystem::create_symlink("other.txt", dir.path() / "job_nyxz.txt");
    Result result;
    writeOutputs(session, dir.file("job"), result);
    EXPECT_FALSE(result.outputFailed()) << result.message;
    EXPECT_EQ(test::readFile(dir.file("other.txt")), "the user's own file");
    EXPECT_FALSE(std::filesystem::is_symlink(dir.path() / "job_nyxz.txt"));
    EXPECT_EQ(test::readFile(dir.file("job_nyxz.txt")), "     A      2.000      1.000      3.000\r\n");
}

// The disk really full: a small tmpfs, which only root may mount.
TEST(OutputSet, FullDiskReplacesNothing) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    test::ScratchDir dir;
    if (::mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=300k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    {
        Session first = fourOutputs(dir, 50);
        Result done;
        writeOutputs(first, dir.file("job"), done);
        ASSERT_FALSE(done.outputFailed()) << done.message;
        const auto before = folderFiles(dir);
        Session second = fourOutputs(dir, 5000);
        Result result;
        writeOutputs(second, dir.file("job"), result);
        EXPECT_TRUE(result.outputFailed());
        EXPECT_NE(result.message.find(std::strerror(ENOSPC)), std::string::npos) << result.message;
        EXPECT_EQ(folderFiles(dir), before);
    }
    ::umount(dir.path().c_str());
}
#endif

}  // namespace
}  // namespace tervan
