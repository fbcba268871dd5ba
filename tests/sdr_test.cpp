#include "readers/sdr.h"

#include <gtest/gtest.h>

#include "reader_test_util.h"

namespace tervan {
namespace {

using test::pictures;
using test::readBytes;
using Pictures = std::vector<std::string>;

// A record of fixed columns: names right-aligned in nameWidth, values
// left-aligned in valueWidth, each part marked 'n' or 'v' in kinds.
std::string record(std::string_view type, std::string_view kinds, const std::vector<std::string>& parts,
                   std::size_t nameWidth = 16, std::size_t valueWidth = 16) {
    std::string line(type);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& p = parts[i];
        const std::size_t width = kinds[i] == 'n' ? nameWidth : valueWidth;
        const std::string pad(width > p.size() ? width - p.size() : 0, ' ');
        line += kinds[i] == 'n' ? pad + p : p + pad;
    }
    return line + "\r\n";
}

// The header: version in columns 5 to 20, units from column 41.
std::string header(std::string_view version, std::string_view units) {
    std::string line = "00NM" + std::string(version);
    line.resize(40, ' ');
    return line + std::string(units) + "\r\n";
}

std::string sdr33(std::string_view type, std::string_view kinds, const std::vector<std::string>& parts) {
    return record(type, kinds, parts);
}
std::string sdr2x(std::string_view type, std::string_view kinds, const std::vector<std::string>& parts) {
    return record(type, kinds, parts, 4, 10);
}

// Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
TEST(Sdr, RecordsUnitsAndNameWidths) {
    struct Case {
        const char* name;
        std::string file;
        Pictures expected;
        long ignored;
    };
    const Case cases[] = {
        {"SDR33: station with coordinates, target height, shots and a coordinate point",
         header("SDR33 V04-04.02", "211111") + sdr33("02TP", "nvvvvv", {"ST1", "100.5", "200.25", "10", "1.55", "PEG"}) +
             sdr33("03NM", "v", {"1.3"}) + sdr33("09F1", "nnvvvv", {"ST1", "P1", "25.5", "99.5", "120", "FENCE"}) +
             sdr33("08TP", "nvvvv", {"P2", "110", "210", "11", "TREE"}) + "13NMa note\r\n",
         {"#0 ST1 0 1.55 0 0 0 0 100.5 200.25 10 0", "ST1 P1 1 1.55 1.3 120 99.5 25.5 0 0 0 0",
          "ST1 P2 0 1.55 1.3 0 0 0 110 210 11 0"},
         0},
        {"SDR2x: four-character names, ten-character values",
         header("SDR20V03-05", "211111") + sdr2x("02KI", "nvvvv", {"1", "5000", "3000", "100", "1.6"}) +
             sdr2x("03NM", "v", {"1.5"}) + sdr2x("09F1", "nnvvv", {"1", "2", "40", "100", "50"}),
         {"#0 1 0 1.6 0 0 0 0 5000 3000 100 0", "1 2 1 1.6 1.5 50 100 40 0 0 0 0"},
         0},
        {"degrees, feet and ENZ",
         header("SDR33 V04-04.34", "121121") + sdr33("02TP", "nvvvv", {"A", "300", "200", "10", "5"}) +
             sdr33("09F1", "nnvvv", {"A", "B", "100", "90", "180"}),
         {"#0 A 0 1.524 0 0 0 0 60.96 91.44 3.048 0", "A B 1 1.524 0 200 100 30.48 0 0 0 0"},
         0},
        {"mils, vertical angles from the horizon",
         header("SDR33", "411111") + "01KI1" + std::string(45, ' ') + "2\r\n" +
             sdr33("09F2", "nnvvv", {"A", "B", "10", "160", "3200"}),
         {"A B 1 0 0 200 90 10 0 0 0 0"},
         0},
        {"an observation from another station opens it",
         header("SDR33", "211111") + sdr33("02TP", "nvvvv", {"A", "1", "1", "1", "1.5"}) +
             sdr33("09F1", "nnvvv", {"A", "B", "10", "100", "0"}) +
             sdr33("09F1", "nnvvv", {"C", "D", "20", "100", "0"}),
         {"#0 A 0 1.5 0 0 0 0 1 1 1 0", "A B 1 1.5 0 0 100 10 0 0 0 0", "C D 1 1.5 0 0 100 20 0 0 0 0"},
         0},
        {"framing, short lines, records without a name and unknown records are ignored",
         "\x02\r\n" + header("SDR33", "211111") + "0\r\n" + sdr33("08TP", "nvvv", {"", "1", "2", "3"}) +
             sdr33("09F1", "nnvvv", {"A", "", "1", "2", "3"}) + "11KIsomething\r\n\x03" + "12345\r\n",
         {},
         6},
    };
    for (const auto& c : cases) {
        auto r = readBytes(readSdr, c.file);
        EXPECT_EQ(pictures(r.points), c.expected) << c.name;
        EXPECT_EQ(r.counts.linesIgnored, c.ignored) << c.name;
    }
}

TEST(Sdr, BacksightGivesTheOrientation) {
    // Azimuth 350 and a circle reading of 10 to the backsight: the
    // orientation is 60, so that H - 60 is a target's bearing.
    const std::string file = header("SDR33", "211111") + sdr33("02TP", "nvvvv", {"S", "0", "0", "0", "1.5"}) +
                             sdr33("09F1", "nnvvv", {"S", "Before", "5", "100", "0"}) +
                             sdr33("07TP", "nnvv", {"S", "BS", "350", "10"}) +
                             sdr33("09F1", "nnvvv", {"S", "BS", "5", "100", "10"}) +
                             sdr33("02TP", "nvvvv", {"T", "0", "0", "0", "1.5"}) +
                             sdr33("09F1", "nnvvv", {"T", "After", "5", "100", "0"});
    auto r = readBytes(readSdr, file);
    ASSERT_EQ(r.points.size(), 3u);
    EXPECT_FALSE(r.points[0].hasGivenOm);
    EXPECT_TRUE(r.points[1].hasGivenOm);
    EXPECT_DOUBLE_EQ(r.points[1].givenOm, 60);
    EXPECT_FALSE(r.points[2].hasGivenOm) << "a new station is not oriented";
}

}  // namespace
}  // namespace tervan
