#include "conversion/output_set.h"

#include <gtest/gtest.h>

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

TEST(OutputSet, NeverReplacesTheInput) {
    test::ScratchDir dir;
    const std::string content = "P1,1,2,3,0,0,10,20,30\n";
    Session session = test::quietSession();
    session.settings.XyzFile = 1;
    std::string input = dir.file("j_xyz.txt");
    test::writeFile(input, content);
    session.inputPath = input;
    Result result;
    writeOutputs(session, dir.file("j"), result);
    EXPECT_EQ(test::readFile(input), content);
    EXPECT_NE(result.message.find(input + " not written: it is the input file"), std::string::npos);
    ASSERT_EQ(result.outputs.size(), 1u);
    EXPECT_EQ(result.outputs[0].status, OutputStatus::IsInput);
    EXPECT_TRUE(result.outputFailed());  // the user asked for a file and has none
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

}  // namespace
}  // namespace tervan
