#include "readers/coordlist.h"

#include <gtest/gtest.h>

#include "core/printf.h"
#include "reader_test_util.h"
#include "writers/coordinates.h"

namespace tervan {
namespace {

using test::pictures;
using test::readBytes;
using Pictures = std::vector<std::string>;

// Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
TEST(CoordinateList, Lines) {
    struct Case {
        const char* name;
        PointReader reader;
        const char* file;
        Pictures expected;
    };
    const Case cases[] = {
        {"nxyz: the first point opens a station", readNxyz,
         "12 4712345.678 9512345.123 123.400\r\n13 4712350.5 9512350.5 124\r\n",
         {"#0 12 1 0 0 0 0 0 4712345.678 9512345.123 123.4 0", "#0 13 0 0 0 0 0 0 4712350.5 9512350.5 124 0"}},
        {"nyxz reads Y first", readNyxz, "12 4712345.678 9512345.123 123.400\r\n",
         {"#0 12 1 0 0 0 0 0 9512345.123 4712345.678 123.4 0"}},
        {"second face copy and station columns", readNxyz, "20,100.5,200.5,10.2,S1,1.55,1.30,*\n21 101 201 11\n",
         {"S1 20 1 1.55 1.3 0 0 0 100.5 200.5 10.2 0", "S1 20 0 1.55 1.3 0 0 0 100.5 200.5 10.2 1",
          "S1 21 0 1.55 1.3 0 0 0 101 201 11 0"}},
        {"naming the current station again replaces only the heights", readNxyz,
         "1 1 1 1 S1 1.5 1.3\n2 2 2 2 S1 1.6 1.4\n3 3 3 3 S2 1.7 1.5\n",
         {"S1 1 1 1.5 1.3 0 0 0 1 1 1 0", "S1 2 0 1.6 1.4 0 0 0 2 2 2 0", "S2 3 1 1.7 1.5 0 0 0 3 3 3 0"}},
        {"zero coordinates are still read; only an exact * copies", readNxyz, "P 0 0 0 S 0 0 **\n",
         {"S P 1 0 0 0 0 0 0 0 0 0"}},
        {"colon and asterisk belong to names", readNxyz, "a:b*c\t1\t2\t3\n", {"#0 a:b*c 1 0 0 0 0 0 1 2 3 0"}},
    };
    for (const auto& c : cases) {
        auto r = readBytes(c.reader, c.file);
        EXPECT_EQ(pictures(r.points), c.expected) << c.name;
    }
}

TEST(CoordinateList, ReadsBackTheNameXYZList) {
    PointStore store;
    appendPoint(store, {.isStation = 1, .faceTwo = 0, .SN = "S", .N = "P1", .X = 4712345.6784, .Y = 9512345.1231,
                                .Z = 123.4, .IH = 0, .TH = 0, .V = 0, .H = 0, .SD = 0, .Om = 0});
    appendPoint(store, {.isStation = 0, .faceTwo = 0, .SN = "S", .N = "100007", .X = 12.5, .Y = -3.25, .Z = 0,
                                .IH = 0, .TH = 0, .V = 0, .H = 0, .SD = 0, .Om = 0});
    test::ScratchDir dir;
    OutputFile out;
    ASSERT_TRUE(out.create(dir.file("out_nxyz.txt")));
    writeNxyz(out, store.points, Settings{});
    ASSERT_TRUE(out.close());
    auto r = readBytes(readNxyz, test::readFile(dir.file("out_nxyz.txt")));
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_EQ(r.points[0].N, "P1");
    EXPECT_NEAR(r.points[0].X, 4712345.678, 1e-6);
    EXPECT_NEAR(r.points[0].Y, 9512345.123, 1e-6);
    EXPECT_NEAR(r.points[0].Z, 123.4, 1e-6);
    EXPECT_EQ(r.points[1].N, "100007");
    EXPECT_NEAR(r.points[1].X, 12.5, 1e-6);
    EXPECT_NEAR(r.points[1].Y, -3.25, 1e-6);
}

TEST(Kor, ReadsPointLinesOnly) {
    // A file in the layout the kor writer produces, with the default header.
    constexpr const char* kPoint = "%6s  6 %11.3f %11.3f  5 %9.4f    0.0    0.0   0.000    0.00\r\n";
    Settings defaults;
    std::string file = defaults.KorLine1 + "\r\n" + defaults.KorLine2 + "\r\n" + defaults.KorLine3 + "\r\n";
    file += strf(kPoint, "P5", 4712345.678, 9512345.123, 123.4567);
    file += strf(kPoint, "1970", 4712346.0, 9512346.0, 1.0);
    file += strf(kPoint, "12345678", 4750000.0, 9480000.0, 5.0);
    file += "P6;6;4712345.678;9512345.123;5;123.4567\r\n";
    file += "P7 6 0 0 5 0\r\n";
    auto r = readBytes(readKor, file);
    EXPECT_EQ(pictures(r.points), (Pictures{"#0 P5 0 0 0 0 0 0 4712345.678 9512345.123 123.4567 0",
                                            "#0 12345678 0 0 0 0 0 0 4750000 9480000 5 0",
                                            "#0 P6 0 0 0 0 0 0 4712345.678 9512345.123 123.4567 0"}));
    EXPECT_EQ(r.counts.linesRead, 8);
    EXPECT_EQ(r.counts.linesIgnored, 5);
}

}  // namespace
}  // namespace tervan
