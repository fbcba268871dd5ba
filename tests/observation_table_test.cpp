#include "conversion/observation_table.h"

#include <gtest/gtest.h>

namespace tervan {
namespace {

TEST(ObservationTable, HeaderAloneForAnEmptyStore) {
    std::string text = "before";
    buildObservationTable(text, "C:\\data\\job1.txt", {});
    EXPECT_EQ(text, "<C:\\data\\job1.txt>\r\nSN,\tIH,\tN,\tTH,\tH,\tV,\tSD,\tX,\t\tY,\tZ,\tOm\r\n");
    buildObservationTable(text, "", {});
    EXPECT_EQ(text.substr(0, 4), "<>\r\n");
}

TEST(ObservationTable, MarkersEndTheLineAbove) {
    std::vector<Point> points;
    points.push_back(Point{.isStation = 1, .SN = "S1", .N = "P1", .X = 1234.5, .Y = -1234.5, .Z = 5,
                                         .IH = 1.6, .TH = 1.3, .V = 99.5, .H = 12.25, .SD = 35.5, .Om = 0});
    points.push_back(Point{.SN = "S1", .N = "P2", .X = 0, .Y = 0, .Z = 0, .IH = 12.3456});
    std::string text;
    buildObservationTable(text, "in", points);
    const std::string header = "<in>\r\nSN,\tIH,\tN,\tTH,\tH,\tV,\tSD,\tX,\t\tY,\tZ,\tOm\r\n";
    EXPECT_EQ(text,
              header +
                  "  *\r\nS1\t1.600\tP1\t1.300\t12.2500\t99.5000\t   35.500\t  1234.500\t -1234.500\t 5.000\t 0.000"
                  "   \r\nS1\t12.346\tP2\t0.000\t 0.0000\t 0.0000\t    0.000\t     0.000\t     0.000\t 0.000\t 0.000");
}

// Codes: a last column, after XYZ when coordinates were computed, which
// every row then fills so that the codes stand in one column.
TEST(ObservationTable, CodeColumn) {
    const std::string columns = "SN,\tIH,\tN,\tTH,\tH,\tV,\tSD,\tX,\t\tY,\tZ,\tOm";
    const std::string row = "\t0.000\t1\t0.000\t 0.0000\t 0.0000\t    0.000\t     1.000\t     0.000\t 0.000\t 0.000";
    struct Case {
        bool computed;
        std::string expected;
    };
    const Case cases[] = {
        {false, "<in>\r\n" + columns + ",\tCode\r\n   \r\n#0" + row + "\tTREE   \r\n#0" + row + "\t"},
        {true, "<in>\r\n" + columns + ",\tXYZ,\tCode\r\n   \r\n#0" + row + "\tcomputed\tTREE   \r\n#0" + row +
                   "\t\t"},
    };
    for (const Case& c : cases) {
        std::vector<Point> points = {Point{.computed = c.computed, .SN = "#0", .N = "1", .code = "TREE", .X = 1},
                                     Point{.SN = "#0", .N = "1", .X = 1}};
        std::string text;
        buildObservationTable(text, "in", points);
        EXPECT_EQ(text, c.expected) << c.computed;
    }
}

}  // namespace
}  // namespace tervan
