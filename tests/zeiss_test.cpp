#include "readers/zeiss.h"

#include <gtest/gtest.h>

#include "reader_test_util.h"

namespace tervan {
namespace {

using test::pictures;
using test::readBytes;
using Pictures = std::vector<std::string>;

// A line with each text placed at its column (counted from 0).
std::string at(std::initializer_list<std::pair<std::size_t, std::string>> parts) {
    std::string line;
    for (const auto& [column, text] : parts) {
        if (line.size() < column + text.size()) line.resize(column + text.size(), ' ');
        line.replace(column, text.size(), text);
    }
    return line + "\r\n";
}

// Labels end in the last column of their fields (37, 52, 68); a name ends in
// column 26, values start at 38, 53 and 69.
std::string nameAt(const std::string& name) { return std::string(12 - name.size(), ' ') + name; }

std::string observation(const std::string& name, const char* sd, const char* hz, const char* v1) {
    return at({{15, nameAt(name)}, {36, "SD"}, {38, sd}, {51, "Hz"}, {53, hz}, {67, "V1"}, {69, v1}});
}

std::string coordinates(const std::string& name, const char* x, const char* y, const char* z,
                        const std::string& field5 = "") {
    return at({{15, nameAt(name)}, {27, field5}, {36, "X "}, {38, x}, {51, "Y "}, {53, y}, {67, "Z "}, {69, z}});
}

std::string station(const std::string& name) { return at({{15, nameAt(name)}, {28, "S     "}}); }
std::string value1(const char* label, const char* value) { return at({{36, label}, {38, value}}); }
std::string value2(const char* label, const char* value) { return at({{51, label}, {53, value}}); }

// ih, th and the compact names: columns 15-18, 19-22, 23-26, 27-33.
std::string compact(const char* ih, const char* th, const char* point, const char* stationName, const char* hz) {
    return at({{15, ih}, {19, th}, {23, point}, {27, stationName}, {51, "Hz"}, {53, hz}});
}

TEST(Zeiss3303, Records) {
    // Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
    struct Case {
        const char* name;
        std::string file;
        Pictures expected;
    };
    const Case cases[] = {
        {"station line, ih, Om and th give a station record",
         station("1001") + value2("ih", "1.55") + value2("Om", "25") + value1("th", "1.3"),
         {"1001  1 1.55 1.3 375 0 0 0 0 0 0"}},
        {"the orientation is subtracted without wrapping when H is larger",
         observation("5", "10", "40", "99") + station("1001") + value2("Om", "25") + value1("th", "1.3"),
         {"1001 5 1 0 1.3 15 99 10 0 0 0 0"}},
        {"a Hz line after the station line first closes the station",
         station("1001") + value2("ih", "1.5") + observation("12", "35.5", "123.5", "98.5") +
             coordinates("12", "1000.5", "2000.25", "100.1"),
         {"1001  1 1.5 0 0 0 0 0 0 0 0", "1001 12 0 1.5 0 123.5 98.5 35.5 1000.5 2000.25 100.1 0"}},
        {"observation and coordinates of one point",
         observation("12", "35.5", "123.5", "98.5") + coordinates("12", "1000.5", "2000.25", "100.1"),
         {"#0 12 0 0 0 123.5 98.5 35.5 1000.5 2000.25 100.1 0"}},
        {"coordinates of another point drop the observation",
         observation("13", "35.5", "123.5", "98.5") + coordinates("12", "1000.5", "2000.25", "100.1"),
         {"#0 12 0 0 0 0 0 0 1000.5 2000.25 100.1 0"}},
        {"an observation followed by another observation is replaced",
         observation("12", "1", "2", "3") + observation("12", "35.5", "123.5", "98.5") +
             coordinates("12", "1000.5", "2000.25", "100.1"),
         {"#0 12 0 0 0 123.5 98.5 35.5 1000.5 2000.25 100.1 0"}},
        {"a coordinate line with a code appends nothing", coordinates("12", "1", "2", "3", "   0863"), {}},
        {"compact lines: a new station name marks the first",
         compact("1.55", "1.30", "   7", "      3", "12.5") + compact("1.55", "    ", "   8", "", "13.5"),
         {"3 7 1 1.55 1.3 12.5 0 0 0 0 0 0", "3 8 0 1.55 1.3 13.5 0 0 0 0 0 0"}},
        {"names keep their last six characters", coordinates("A1234567", "1", "2", "3"),
         {"#0 234567 0 0 0 0 0 0 1 2 3 0"}},
        {"a short line leaves its later fields empty",
         coordinates("11", "1", "2", "3") + at({{15, nameAt("12")}, {36, "X "}, {38, "5"}}),
         {"#0 11 0 0 0 0 0 0 1 2 3 0", "#0 12 0 0 0 0 0 0 5 0 0 0"}},
        {"labels one column too far left do not match",
         at({{15, nameAt("12")}, {35, "SD"}, {38, "35.5"}, {50, "Hz"}, {53, "123.5"}}) +
             coordinates("12", "1000.5", "2000.25", "100.1"),
         {"#0 12 0 0 0 0 0 0 1000.5 2000.25 100.1 0"}},
        {"a station marker right after the name is not a station line",
         at({{15, nameAt("506")}, {27, "S"}, {36, "X "}, {38, "1"}}) + value1("th", "1.5"), {}},
        {"text from column 78 on is ignored",
         at({{15, nameAt("9")}, {36, "X "}, {38, "1"}, {67, "Z "}, {69, "123456789012"}}),
         {"#0 9 0 0 0 0 0 0 1 0 123456789 0"}},
    };
    for (const auto& c : cases) {
        auto r = readBytes(readZeiss3303, c.file);
        EXPECT_EQ(pictures(r.points), c.expected) << c.name;
    }
}

// What coordinates computed from the observations read H against: once
// the file has given "Om", the station record's H has it subtracted
// already, the others' have not; without "Om" nothing is given.
TEST(Zeiss3303, TheOrientationTheFileGives) {
    const std::string withoutOm = station("1001") + value2("ih", "1.55") + value1("th", "1.3") +
                                  compact("1.55", "1.30", "7", "1001", "80");
    for (const Point& p : readBytes(readZeiss3303, withoutOm).points) EXPECT_FALSE(p.givenOm) << p.N;

    const std::string withOm = station("1001") + value2("Om", "25") + value1("th", "1.3") +
                               compact("1.55", "1.30", "7", "1001", "80") + observation("8", "10", "90", "99") +
                               coordinates("8", "1", "2", "3");
    auto points = readBytes(readZeiss3303, withOm).points;
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].givenOm, 0.0);
    EXPECT_EQ(points[1].givenOm, 25.0);
    EXPECT_EQ(points[2].givenOm, 25.0);
    EXPECT_EQ(points[0].Om, 0);  // the table's Om stays the store's orientation
}

TEST(Zeiss3303, CountsLinesThatMatchNoRule) {
    auto r = readBytes(readZeiss3303, at({{8, "OR.COOR"}}) + station("1") + "\r\nEND\r\n" +
                                          observation("2", "1", "2", "3") + coordinates("2", "1", "2", "3"));
    EXPECT_EQ(r.points.size(), 2u);
    EXPECT_EQ(r.counts.linesRead, 6);
    EXPECT_EQ(r.counts.linesIgnored, 3);
}

}  // namespace
}  // namespace tervan
