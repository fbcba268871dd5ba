#include "readers/pentax_coordinate.h"
#include "readers/pentax_polar.h"

#include <gtest/gtest.h>

#include "reader_test_util.h"

namespace tervan {
namespace {

using test::pictures;
using test::readBytes;
using Pictures = std::vector<std::string>;

// Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
TEST(PentaxPolar, BothLayoutsAgreeOnPlainFiles) {
    struct Case {
        const char* name;
        const char* file;
        Pictures expected;
    };
    const Case cases[] = {
        {"two points from one station, space and colon",
         "STS A\nINH:1.55\nPPD 1\nPFH 1.3\nRTH 12.5\nRTV:98.25\nRTD 35.5\nPPD 2\nRTH 50\nRTV 99\nRTD 20\n",
         {"A 1 1 1.55 1.3 12.5 98.25 35.5 0 0 0 0", "A 2 0 1.55 1.3 50 99 20 0 0 0 0"}},
        {"a new station ends the pending point first",
         "STS A\nPPD 1\nRTH 1\nSTS B\nINH 1.7\nPPD 2\nRTH 2\nPPD 3\nRTH 3\n",
         {"A 1 1 0 0 1 0 0 0 0 0 0", "B 2 1 1.7 0 2 0 0 0 0 0 0", "B 3 0 1.7 0 3 0 0 0 0 0 0"}},
        {"observations before any name or station", "RTD 12.5\r\nPPD 9\r\n", {"0000 0000 0 0 0 0 0 12.5 0 0 0 0"}},
        {"a point without observations is not appended", "STS A\nPPD 1\nPPD 2\nRTV 100\n",
         {"A 2 1 0 0 0 100 0 0 0 0 0"}},
        {"a name-less point keeps its values for the next one", "PPD\nRTH 5\nPPD 7\nRTV 90\nPPD 8\n",
         {"0000 7 0 0 0 5 90 0 0 0 0 0"}},
        {"last line without line feed", "PPD 1\nRTD 40.5", {"0000 1 0 0 0 0 0 40.5 0 0 0 0"}},
        {"other tags, case and blank lines change nothing", "PPD 1\nppd 2\nXYZ 3\n\nRTH 7\n",
         {"0000 1 0 0 0 7 0 0 0 0 0 0"}},
        {"names are normalised", "STS #3\nPPD #12\nRTH 1\n", {"100003 100012 1 0 0 1 0 0 0 0 0 0"}},
    };
    for (PointReader reader : {readPentax200Polar, readPentax300Polar}) {
        for (const auto& c : cases) {
            auto r = readBytes(reader, c.file);
            EXPECT_EQ(pictures(r.points), c.expected) << c.name;
        }
    }
}

TEST(PentaxPolar, AsteriskSplitsOnlyIn200) {
    const std::string file = "PPD*5\nRTH*10\nPPD 6\nRTH 20\n";
    EXPECT_EQ(pictures(readBytes(readPentax200Polar, file).points),
              (Pictures{"0000 5 0 0 0 10 0 0 0 0 0 0", "0000 6 0 0 0 20 0 0 0 0 0 0"}));
    // In the 300 layout PPD*5 and RTH*10 are unknown tags.
    auto r = readBytes(readPentax300Polar, file);
    EXPECT_EQ(pictures(r.points), (Pictures{"0000 6 0 0 0 20 0 0 0 0 0 0"}));
    EXPECT_EQ(r.counts.linesRead, 4);
    EXPECT_EQ(r.counts.linesIgnored, 2);
    EXPECT_EQ(pictures(readBytes(readPentax300Polar, "PPD K*1\nRTH 1\n").points),
              (Pictures{"0000 K*1 0 0 0 1 0 0 0 0 0 0"}));
}

TEST(PentaxCoordinate, FieldOrderAndSkippedLines) {
    struct Case {
        PointReader reader;
        const char* file;
        Pictures expected;
        long ignored;
    };
    const Case cases[] = {
        {readPentax200Coordinate, "1,P7,100.5,200.25,50\n", {"#0 P7 0 0 0 0 0 0 100.5 200.25 50 0"}, 0},
        {readPentax300Coordinate, "P7,100.5,200.25,50\n", {"#0 P7 0 0 0 0 0 0 100.5 200.25 50 0"}, 0},
        {readPentax200Coordinate, "1 P1 0 0 0\n2,,\n3,P3,0,0,1", {"#0 P3 0 0 0 0 0 0 0 0 1 0"}, 2},
        {readPentax300Coordinate, "P1;0;0;0\n\nP3 5 0 0 extra", {"#0 P3 0 0 0 0 0 0 5 0 0 0"}, 2},
        {readPentax200Coordinate, "1*K*2*7*8*9\n", {"#0 K 0 0 0 0 0 0 2 7 8 0"}, 0},
        {readPentax300Coordinate, "K*2,7,8,9\n", {"#0 K*2 0 0 0 0 0 0 7 8 9 0"}, 0},
    };
    for (const auto& c : cases) {
        auto r = readBytes(c.reader, c.file);
        EXPECT_EQ(pictures(r.points), c.expected) << c.file;
        EXPECT_EQ(r.counts.linesIgnored, c.ignored) << c.file;
    }
}

}  // namespace
}  // namespace tervan
