#include "writers/scripts.h"

#include <gtest/gtest.h>

#include "test_util.h"
#include "writer_cases.h"

namespace tervan {
namespace {

class ScriptsGolden : public testing::TestWithParam<const char*> {};

TEST_P(ScriptsGolden, MatchesExpectedFiles) { test::checkWriterCase(GetParam()); }

// scripts-3d-three-decimals: the worked lines, a zero point, a blank inside
// a name. scripts-2d-two-decimals: elevation 0.000 while the level text keeps
// two decimals. x1000-scripts-and-dxf: millimetre heights without decimals,
// in the scripts' elevation too.
INSTANTIATE_TEST_SUITE_P(Cases, ScriptsGolden,
                         testing::Values("scripts-3d-three-decimals", "scripts-2d-two-decimals",
                                         "x1000-scripts-and-dxf"));

TEST(Scripts, TextHeightFromLetterSize) {
    struct Case {
        const char* letterSize;
        const char* height;
    };
    const Case cases[] = {{"0", "0.500"}, {"", "0.500"}, {"abc", "0.500"}, {"0.0e5", "0.500"},
                          {" 1.5cm", "1.500"}, {"-2", "-2.000"}, {"0.0004", "0.000"}};
    const std::vector<Point> points = {Point{.N = "7", .X = 1, .Y = 2, .Z = 3}};
    for (const auto& c : cases) {
        Settings settings;
        settings.LetterSize = c.letterSize;
        EXPECT_EQ(test::writtenBy([&](OutputFile& out) { writeNamesScript(out, points, settings); }),
                  std::string("text J MR 2.000,1.000,3.000 ") + c.height + " 100 7\r\n")
            << "LetterSize \"" << c.letterSize << "\"";
    }
}

}  // namespace
}  // namespace tervan
