#include "writers/coordinates.h"

#include <gtest/gtest.h>

#include "test_util.h"

namespace tervan {
namespace {

struct Written {
    std::string nyxz, nxyz, xyz, tras;
};

Written writeAll(const std::vector<Point>& points) {
    auto by = [&points](auto write) {
        return test::writtenBy([&](OutputFile& out) { write(out, points, Settings{}); });
    };
    return {by(writeNyxz), by(writeNxyz), by(writeXyz), by(writeTras)};
}

TEST(CoordinateWriters, WorkedLines) {
    auto w = writeAll({Point{.N = "12", .X = 4712345.678, .Y = 9512345.1234, .Z = 123.4}});
    EXPECT_EQ(w.nyxz, "    12 9512345.123 4712345.678    123.400\r\n");
    EXPECT_EQ(w.nxyz, "    12 4712345.678 9512345.123    123.400\r\n");
    EXPECT_EQ(w.xyz, "4712345.678 9512345.123    123.400\r\n");
    EXPECT_EQ(w.tras, "   0000" + std::string(18, ' ') + "12         X  4712345.678 Y   9512345.123 Z   123.400\r\n");
}

TEST(CoordinateWriters, EdgeCases) {
    auto w = writeAll({
        Point{.N = "Z5", .X = 0, .Y = 0, .Z = 5},
        Point{.N = "zero", .X = 0, .Y = 0, .Z = 0},
        Point{.N = "neg", .X = -3.25, .Y = 9512345.1236, .Z = -0.0004},
        Point{.N = "ABCDEFGHIJKLMNOPQRSTUVWXY", .X = 1, .Y = 2, .Z = 3},
        Point{.N = "", .X = 12345678.9, .Y = 1, .Z = 1},
    });
    EXPECT_EQ(w.nxyz,
              "    Z5      0.000      0.000      5.000\r\n"
              "   neg     -3.250 9512345.124     -0.000\r\n"
              "ABCDEFGHIJKLMNOPQRSTUVWXY      1.000      2.000      3.000\r\n"
              "       12345678.900      1.000      1.000\r\n");
    EXPECT_NE(w.tras.find("\n   0000FGHIJKLMNOPQRSTUVWXY         X        1.000 Y         2.000 Z     3.000\r\n"),
              std::string::npos);
    EXPECT_EQ(w.xyz.find("0.000      0.000      0.000"), std::string::npos);
}

TEST(CoordinateWriters, EmptyStoreGivesEmptyFiles) {
    auto w = writeAll({});
    EXPECT_EQ(w.nyxz + w.nxyz + w.xyz + w.tras, "");
}

}  // namespace
}  // namespace tervan
