#include "readers/leica.h"

#include <gtest/gtest.h>

#include "reader_test_util.h"

namespace tervan {
namespace {

test::ReadResult readLeica(const std::string& bytes) { return test::readBytes(readLeica1200, bytes); }

TEST(Leica1200, FieldsGoToTheirPlaces) {
    const auto ptsRead = readLeica("P1,100.5,95.5,25.25,1.5,1.6,400.5,700.25,50.1\r\n");
    const auto& pts = ptsRead.points;
    ASSERT_EQ(pts.size(), 1u);
    const Point& p = pts[0];
    EXPECT_EQ(p.N, "P1");
    EXPECT_EQ(p.SN, "#0");
    EXPECT_EQ(p.H, 100.5);
    EXPECT_EQ(p.V, 95.5);
    EXPECT_EQ(p.SD, 25.25);
    EXPECT_EQ(p.TH, 1.5);
    EXPECT_EQ(p.IH, 1.6);
    EXPECT_EQ(p.Y, 400.5);
    EXPECT_EQ(p.X, 700.25);
    EXPECT_EQ(p.Z, 50.1);
    EXPECT_EQ(p.isStation, 1);
    EXPECT_EQ(p.faceTwo, 0);
}

TEST(Leica1200, StationsAndSkippedLines) {
    struct Case {
        const char* name;
        const char* file;
        std::vector<std::pair<std::string, int>> expected;  // N, isStation
    };
    const Case cases[] = {
        {"instrument height 0 on the first line", "P1,1,2,3,0,0,10,20,30\n", {{"P1", 0}}},
        {"half a millimetre keeps the station", "A,1,2,3,0,1.6,1,1,1\nB,1,2,3,0,1.6005,1,1,1\n", {{"A", 1}, {"B", 0}}},
        {"two millimetres start a new one", "A,1,2,3,0,1.6,1,1,1\nB,1,2,3,0,1.602,1,1,1\n", {{"A", 1}, {"B", 1}}},
        {"no coordinates make a station", "A,1,2,3,0,0,1,1,1\nB,1,2,3,0,0,0,0,0\n", {{"A", 0}, {"B", 1}}},
        {"name only and separators only", "A,1,2,3,0,0,1,1,1\nQ\n,;, \t\nB,1,2,3,0,0,1,1,1\n", {{"A", 0}, {"B", 0}}},
        {"blank line between points of one height", "A,1,2,3,0,1.6,1,1,1\n\nB,1,2,3,0,1.6,1,1,1\n", {{"A", 1}, {"B", 1}}},
        {"all zero line skipped keeps the mark", "A,1,2,3,0,0,1,1,1\nZ,0,0,0,1,2.5,0,0,0\nB,1,2,3,0,2.5,1,1,1\n",
         {{"A", 0}, {"B", 1}}},
        {"mixed separators", "P1;100 95.5,,25\n", {{"P1", 1}}},
        {"last line without line feed", "A,1,2,3,0,0,1,1,1\nB,1,2,3,0,0,1,1,1", {{"A", 0}, {"B", 0}}},
        {"colon and asterisk are part of the name", "a:b*c,1,2,3,0,0,1,1,1\n", {{"a:b*c", 0}}},
    };
    for (const auto& c : cases) {
        const auto ptsRead = readLeica(c.file);
        const auto& pts = ptsRead.points;
        ASSERT_EQ(pts.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < pts.size(); ++i) {
            EXPECT_EQ(pts[i].N, c.expected[i].first) << c.name;
            EXPECT_EQ(pts[i].isStation, c.expected[i].second) << c.name << " " << pts[i].N;
        }
    }
    const auto mixedRead = readLeica("P1;100 95.5,,25\n");
    const auto& mixed = mixedRead.points;
    EXPECT_EQ(mixed[0].H, 100);
    EXPECT_EQ(mixed[0].V, 95.5);
    EXPECT_EQ(mixed[0].SD, 25);
}

TEST(Leica1200, LongLinesAreReadInPieces) {
    // The second piece of a cut line is a line of its own.
    std::string line = "P1,1,2,3,0,0,1,1,1" + std::string(240, ' ') + "P2,1,2,3,0,0,5,5,5\n";
    const auto ptsRead = readLeica(line);
    const auto& pts = ptsRead.points;
    ASSERT_EQ(pts.size(), 2u);
    EXPECT_EQ(pts[1].N, "P2");
    EXPECT_EQ(pts[1].X, 5);
}

}  // namespace
}  // namespace tervan
