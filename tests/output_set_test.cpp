#include "writers/output_set.h"

#include <gtest/gtest.h>

#include "core/driver.h"
#include "test_util.h"

namespace tervan {
namespace {

TEST(OffsetAndScale, ZeroPointsStayAndScaleIncludesOffsets) {
    test::ScratchDir dir;
    Program program = test::quietProgram();
    program.settings.NxyzFile = 1;
    program.settings.X0 = "10";
    program.settings.Y0 = " -2.5xyz";
    program.settings.Z0 = "abc";
    program.settings.x1000 = 1;
    program.store.points = {Point{.N = "A", .X = 1.5, .Y = 1, .Z = 2}, Point{.N = "O"}};
    applyOffsets(program);
    writeOutputs(program, dir.file("in.txt"), dir.file("in"));
    EXPECT_EQ(program.store.points[0].X, 11500);
    EXPECT_EQ(program.store.points[0].Y, -1500);
    EXPECT_EQ(program.store.points[0].Z, 2000);
    EXPECT_EQ(program.store.points[1].X, 0);
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
                                            "_nyxz.txt", "_nxyz.txt", "_xyz.txt", "_tras.dat",  "_2d.dxf"};
    EXPECT_EQ(suffixes2d, order);
    EXPECT_EQ(suffixes3d.back(), "_3d.dxf");
    EXPECT_EQ(outputs().back().flag, &Settings::TwoDFile);
}

TEST(OutputSet, TickedOutputsOnly) {
    test::ScratchDir dir;
    Program program = test::quietProgram();
    program.settings.TrasFile = 1;
    program.settings.NyxzFile = 1;
    writeOutputs(program, dir.file("job.txt"), dir.file("job"));
    EXPECT_TRUE(test::fileExists(dir.file("job_tras.dat")));
    EXPECT_TRUE(test::fileExists(dir.file("job_nyxz.txt")));
    EXPECT_FALSE(test::fileExists(dir.file("job_nxyz.txt")));
    EXPECT_FALSE(test::fileExists(dir.file("job_xyz.txt")));
}

TEST(OutputSet, NeverReplacesTheInput) {
    test::ScratchDir dir;
    const std::string content = "P1,1,2,3,0,0,10,20,30\n";
    Program p2 = test::quietProgram();
    p2.settings.XyzFile = 1;
    std::string input2 = dir.file("j_xyz.txt");
    test::writeFile(input2, content);
    writeOutputs(p2, input2, dir.file("j"));
    EXPECT_EQ(test::readFile(input2), content);
    EXPECT_NE(p2.message.find(input2 + " not written: it is the input file"), std::string::npos);
    EXPECT_FALSE(p2.outputFailed);
}

TEST(OutputSet, UnwritableOutputIsReportedAndOthersWritten) {
    test::ScratchDir dir;
    Program program = test::quietProgram();
    program.settings.NxyzFile = 1;
    program.settings.XyzFile = 1;
    program.store.points = {Point{.N = "A", .X = 1, .Y = 1, .Z = 1}};
    // A folder where the name-X-Y-Z file should be makes it uncreatable.
    std::filesystem::create_directory(dir.file("job_nxyz.txt"));
    writeOutputs(program, dir.file("job.txt"), dir.file("job"));
    EXPECT_TRUE(program.outputFailed);
    EXPECT_NE(program.message.find("\r\ncannot write " + dir.file("job_nxyz.txt")), std::string::npos);
    EXPECT_EQ(test::readFile(dir.file("job_xyz.txt")), "     1.000      1.000      1.000\r\n");
}

}  // namespace
}  // namespace tervan
