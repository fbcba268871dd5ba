#include "core/driver.h"

#include <gtest/gtest.h>

#include "core/models.h"
#include "test_util.h"

namespace tervan {
namespace {

TEST(OutputBaseName, StripsOnlyTheFileNameExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\data\\job1.gsi", "C:\\data\\job1"},
        {"job1.dat", "job1"},
        {"C:\\data\\job1", "C:\\data\\job1"},
        {".\\data\\job1.dat", ".\\data\\job1"},
        {"C:\\dir.old\\job1", "C:\\dir.old\\job1"},
        {"/home/u/a.b/job.txt", "/home/u/a.b/job"},
        {"/home/u/.hidden", "/home/u/.hidden"},
        {".profile", ".profile"},
        {"a.b.c", "a.b"},
        {"dir/", "dir/"},
        {"", ""},
    };
    for (const auto& [path, base] : cases) EXPECT_EQ(outputBaseName(path), base) << path;
}

TEST(Models, TableHoldsTheFourteenNamesInOrder) {
    const char* names[] = {"Zeiss3303", "Leica1200", "Pentax200Polar", "Pentax200Coordinate", "Pentax300Polar",
                           "Pentax300Coordinate", "Kolida300Polar", "Kolida440", "DNA8", "Dini USB",
                           "Dini BF", "nxyz", "nyxz", "kor"};
    auto table = models();
    ASSERT_EQ(table.size(), std::size(names));
    for (std::size_t i = 0; i < table.size(); ++i) EXPECT_STREQ(table[i].name, names[i]);
    EXPECT_EQ(findModel("leica1200"), nullptr);
    EXPECT_EQ(findModel("Leica1200 "), nullptr);
}

TEST(Convert, UnknownModelEmptiesTheStoreAndKeepsTheMessage) {
    test::ScratchDir dir;
    Program program = test::quietProgram();
    program.settings.Model = "Leica 1200";
    program.store.points.push_back({});
    program.message = "before";
    EXPECT_EQ(convert(program, dir.file("x.txt")), 2);
    EXPECT_TRUE(program.store.points.empty());
    EXPECT_EQ(program.message, "before");
}

TEST(Convert, MissingInputIsReportedAndStillWritesTicked) {
    test::ScratchDir dir;
    Program program = test::quietProgram();
    program.settings.Model = "Leica1200";
    program.settings.XyzFile = 1;
    std::string input = dir.file("missing.txt");
    EXPECT_EQ(convert(program, input), 0);
    EXPECT_TRUE(program.stats.openFailed);
    EXPECT_EQ(program.summary, "cannot open " + input);
    EXPECT_EQ(test::readFile(dir.file("missing_xyz.txt")), "");
}

TEST(Convert, SummaryCountsLinesAndPoints) {
    test::ScratchDir dir;
    Program program = test::quietProgram();
    program.settings.Model = "Leica1200";
    std::string input = dir.file("job.txt");
    test::writeFile(input, "P1,1,2,3,0,1.5,10,20,30\r\nnoise\r\nP2,1,2,3,0,1.5,11,21,31\r\n");
    convert(program, input);
    EXPECT_EQ(program.summary, "3 lines read, 2 points, 1 lines ignored");
    test::writeFile(input, "nothing here\n");
    convert(program, input);
    EXPECT_EQ(program.summary, "no point of model Leica1200 found in " + input + " (1 lines read)");
}

}  // namespace
}  // namespace tervan
