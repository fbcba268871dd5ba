#include "readers/m5.h"

#include <gtest/gtest.h>

#include "reader_test_util.h"
#include "readers/units.h"

namespace tervan {
namespace {

using test::pictures;
using test::readBytes;
using Pictures = std::vector<std::string>;

struct Value {
    const char* tag;
    const char* value;
    const char* unit;
};

// An M5 line: the type in four columns, the 27-character point
// identification, three value blocks of 22 characters (type identifier,
// value right-aligned in 15, unit).
std::string m5(const char* type, const std::string& info, std::initializer_list<Value> values) {
    std::string line = strf("For M5|Adr 00001|%-4s%-27s|", type, info.c_str());
    std::size_t blocks = 0;
    for (const Value& v : values) {
        line += strf("%-2s%15s %-4s|", v.tag, v.value, v.unit);
        ++blocks;
    }
    for (; blocks < 3; ++blocks) line += std::string(22, ' ') + "|";
    return line + " \n";
}

// The point number in the last columns, a code in columns 11 to 15.
std::string pi(const char* number, const char* code = "") { return strf("%10s%-5s%12s", "", code, number); }

std::string r5(const char* type, const char* info, std::initializer_list<Value> values) {
    std::string line = strf("For R5|Adr 0001|%-2s %-7s|", type, info);
    for (const Value& v : values) line += strf("%-2s%12s %-4s|", v.tag, v.value, v.unit);
    return line + "\n";
}

struct Case {
    const char* name;
    std::string file;
    Pictures expected;
};

TEST(M5, UnitsAndAngles) {
    // Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
    const Case cases[] = {
        {"DMS angles and metres",
         m5("PI1", pi("7"), {{"SD", "12.345", "m"}, {"Hz", "180.3000", "DMS"}, {"V1", "90.0000", "DMS"}}),
         {"#0 7 1 0 0 200.5555556 100 12.345 0 0 0 0"}},
        {"gon (grd), degrees (deg, DEG) and mils",
         m5("PI1", pi("7"), {{"SD", "1", "m"}, {"Hz", "123.4567", "grd"}, {"V1", "99.5", "gon"}}) +
             m5("PI1", pi("8"), {{"SD", "1", "m"}, {"Hz", "45", "deg"}, {"V1", "90", "DEG"}}) +
             m5("PI1", pi("9"), {{"SD", "1", "m"}, {"Hz", "1600", "mil"}, {"V1", "1600", "mil"}}),
         {"#0 7 1 0 0 123.4567 99.5 1 0 0 0 0", "#0 8 0 0 0 50 100 1 0 0 0 0", "#0 9 0 0 0 100 100 1 0 0 0 0"}},
        {"V2 is read from the horizon, up positive; feet are international",
         m5("PI1", pi("7"), {{"SD", "10", "ft"}, {"Hz", "0", "gon"}, {"V2", "10", "gon"}}),
         {"#0 7 1 0 0 0 90 3.048 0 0 0 0"}},
        {"a horizontal distance with a zenith angle, with a height difference, "
         "alone",
         m5("PI1", pi("7"), {{"HD", "10", "m"}, {"Hz", "0", "gon"}, {"V1", "50", "gon"}}) +
             m5("PI1", pi("8"), {{"HD", "3", "m"}, {"Hz", "0", "gon"}, {"h", "4", "m"}}) +
             m5("PI1", pi("9"), {{"HD", "5", "m"}, {"Hz", "1", "gon"}}),
         {"#0 7 1 0 0 0 50 14.14213562 0 0 0 0", "#0 8 0 0 0 0 40.96655294 5 0 0 0 0", "#0 9 0 0 0 1 100 5 0 0 0 0"}},
        {"V3 and V4 lines, unknown units and unreadable values give nothing",
         m5("PI1", pi("7"), {{"SD", "1", "m"}, {"Hz", "1", "gon"}, {"V3", "1", "gon"}}) +
             m5("PI1", pi("8"), {{"SD", "1", "yd"}, {"Hz", "1", "rad"}}) +
             m5("PI1", pi("9"), {{"SD", "1.2.3", "m"}, {"Hz", "10.6000", "DMS"}}),
         {}},
        {"levelling lines and their types are the digital level's",
         m5("KD1", "1001", {{"Rb", "1.52346", "m"}, {"HD", "24.512", "m"}}) +
             m5("PI1", pi("5"), {{"Rf", "0.98712", "m"}, {"HD", "24.488", "m"}}) +
             m5("KD1", "1001", {{"", "", ""}, {"", "", ""}, {"Z", "100.5", "m"}}) + m5("TO", "Start-Line  BF", {}),
         {}},
    };
    for (const auto& c : cases) EXPECT_EQ(pictures(readBytes(readM5, c.file).points), c.expected) << c.name;
}

TEST(M5, StationsHeightsAndCoordinates) {
    const std::string setUp =
        m5("PI1", pi("1", "S"), {{"Y", "2000.000", "m"}, {"X", "1000.000", "m"}, {"Z", "100.000", "m"}});
    const std::string input = m5("TI", "INPUT", {{"th", "1.500", "m"}, {"ih", "1.600", "m"}});
    const std::string shot =
        m5("PI1", pi("2"), {{"SD", "10.000", "m"}, {"Hz", "100.0000", "gon"}, {"V1", "100", "gon"}});
    const std::string shotXyz =
        m5("PI1", pi("2"), {{"Y", "2010.000", "m"}, {"X", "1000.000", "m"}, {"Z", "100.100", "m"}});
    const Case cases[] = {
        {"the station point, then the mark on the next record; th and ih carried",
         setUp + input + shot + shot,
         {"#0 1 0 0 0 0 0 0 1000 2000 100 0", "1 2 1 1.6 1.5 100 100 10 0 0 0 0", "1 2 0 1.6 1.5 100 100 10 0 0 0 0"}},
        {"the computed coordinates join the observation of the same point, with "
         "its heights",
         setUp + input + shot + m5("TI", "INPUT", {{"th", "1.400", "m"}}) + shotXyz + shot,
         {"#0 1 0 0 0 0 0 0 1000 2000 100 0", "1 2 1 1.6 1.5 100 100 10 1000 2010 100.1 0",
          "1 2 0 1.6 1.4 100 100 10 0 0 0 0"}},
        {"coordinates of another point are a record of their own",
         setUp + shot + m5("PI1", pi("3"), {{"X", "5", "m"}, {"Y", "6", "m"}}),
         {"#0 1 0 0 0 0 0 0 1000 2000 100 0", "1 2 1 0 0 100 100 10 0 0 0 0", "1 3 0 0 0 0 0 0 5 6 0 0"}},
        {"a set-up repeated at once at the same place appends its station once; moved, again",
         setUp + setUp + shot +
             m5("PI1", pi("1", "S"), {{"Y", "2000.000", "m"}, {"X", "1001.000", "m"}, {"Z", "100.000", "m"}}) + shot,
         {"#0 1 0 0 0 0 0 0 1000 2000 100 0", "1 2 1 0 0 100 100 10 0 0 0 0", "#0 1 0 0 0 0 0 0 1001 2000 100 0",
          "1 2 1 0 0 100 100 10 0 0 0 0"}},
        {"the header's positions of code and number",
         m5("TI", "", {{"20", "20", ""}, {"21", "1", ""}, {"22", "6", ""}}) +
             m5("PI1", "S    000000000012", {{"X", "1", "m"}, {"Y", "2", "m"}}) +
             m5("PI1", "     000000000013", {{"X", "1", "m"}, {"Y", "2", "m"}}),
         {"#0 000000000012 0 0 0 0 0 0 1 2 0 0", "000000000012 000000000013 1 0 0 0 0 0 1 2 0 0"}},
        {"R-E layout: number in columns 8 to 19, the code after it",
         m5("PI1", "               1100CONTR", {{"X", "21.259", "m"}, {"Y", "59.620", "m"}}) +
             m5("PI1", "                  0S", {{"X", "23.926", "m"}, {"Y", "46.475", "m"}}),
         {"#0 1100 1 0 0 0 0 0 21.259 59.62 0 0", "#0 0 0 0 0 0 0 0 23.926 46.475 0 0"}},
        {"R5 records: code in three characters, number in four",
         r5("TR", "POLAR", {}) + r5("KR", "S     0", {{"X", "23.926", "m"}, {"Y", "46.475", "m"}}) +
             r5("TR", "INPUT", {{"th", "1.500", "m"}, {"ih", "1.486", "m"}}) +
             r5("KR", "NTR1100", {{"X", "21.259", "m"}, {"Y", "59.620", "m"}, {"Z", "11.256", "m"}}) + "END\n",
         {"#0 0 0 0 0 0 0 0 23.926 46.475 0 0", "0 1100 1 1.486 1.5 0 0 0 21.259 59.62 11.256 0"}},
    };
    for (const auto& c : cases) EXPECT_EQ(pictures(readBytes(readM5, c.file).points), c.expected) << c.name;
}

TEST(M5, OrientedInstrumentGivesBearings) {
    // Until the orientation line the Hz are circle readings; after it, and
    // until the next set-up, bearings.
    const std::string setUp = m5("PI1", pi("1", "S"), {{"Y", "2000", "m"}, {"X", "1000", "m"}, {"Z", "100", "m"}});
    const std::string shot = m5("PI1", pi("2"), {{"SD", "10", "m"}, {"Hz", "100", "gon"}, {"V1", "100", "gon"}});
    auto r =
        readBytes(readM5, setUp + shot + m5("TI", "", {{"", "", ""}, {"Om", "249.5111", "DMS"}}) + shot + setUp + shot);
    ASSERT_EQ(r.points.size(), 5u);
    EXPECT_FALSE(r.points[1].hasGivenOm);
    EXPECT_TRUE(r.points[2].hasGivenOm);
    EXPECT_EQ(r.points[2].givenOm, 0);
    EXPECT_FALSE(r.points[4].hasGivenOm);
    EXPECT_EQ(r.counts.linesRead, 6);
    EXPECT_EQ(r.counts.linesIgnored, 0);

    // Oriented from coordinates, the instrument writes Om before the station.
    r = readBytes(readM5, m5("TI", "", {{"", "", ""}, {"Om", "21.9645", "grd"}}) + setUp + shot);
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_TRUE(r.points[1].hasGivenOm);
}

TEST(Units, AnglesAndLengths) {
    struct AngleCase {
        const char* text;
        AngleUnit unit;
        std::optional<double> gon;
    };
    const AngleCase cases[] = {
        {"12.3", AngleUnit::Dms, 12.5 / 0.9},
        {"-0.3000", AngleUnit::Dms, -0.5 / 0.9},
        {"-0.0000", AngleUnit::Dms, 0.0},
        {"0.000036", AngleUnit::Dms, 0.0001 / 0.9},
        {"10.6000", AngleUnit::Dms, {}},
        {"10.0060", AngleUnit::Dms, {}},
        {" 90 ", AngleUnit::Degrees, 100.0},
        {"3200", AngleUnit::Mils, 200.0},
        {"+399.9999", AngleUnit::Gon, 399.9999},
        {"", AngleUnit::Gon, {}},
        {"1e3", AngleUnit::Gon, {}},
        {"1.2.3", AngleUnit::Gon, {}},
    };
    for (const auto& c : cases) {
        const auto gon = angleToGon(c.text, c.unit);
        ASSERT_EQ(gon.has_value(), c.gon.has_value()) << c.text;
        if (gon) {
            EXPECT_NEAR(*gon, *c.gon, 1e-12) << c.text;
        }
    }
    EXPECT_DOUBLE_EQ(*lengthToMetres("3937", kMetresPerUsFoot), 1200.0);
    EXPECT_DOUBLE_EQ(*lengthToMetres("-10", kMetresPerFoot), -3.048);
    EXPECT_FALSE(lengthToMetres("m", 1.0));
}

}  // namespace
}  // namespace tervan
