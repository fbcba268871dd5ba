#include "readers/nikon.h"

#include <gtest/gtest.h>

#include "reader_test_util.h"

namespace tervan {
namespace {

using test::pictures;
using test::readBytes;
using Pictures = std::vector<std::string>;

// Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
TEST(NikonRaw, RecordsAndUnits) {
    struct Case {
        const char* name;
        const char* file;
        Pictures expected;
        long ignored;
    };
    const Case cases[] = {
        {"metres and gon: coordinates, station, backsight and shots",
         "CO,Nikon RAW data format V2.00\r\nCO,Dist Units: Metres\r\nCO,Angle Units: Gons\r\n"
         "CO,Zero VA: Zenith\r\nCO,Coord Order: NEZ\r\n"
         "MP,1,,100.000,200.000,10.000,STN\r\nMP,2,,150.000,200.000,10.000,BS\r\n"
         "ST,1,,2,,1.550,0.0000,12.5000\r\nF1,2,1.500,50.000,12.5000,100.0000,10:00:00\r\n"
         "SS,3,1.600,20.000,112.5000,99.0000,10:01:00,TREE\r\n"
         "CP,4,,1.700,30.000,212.5000,101.0000,10:02:00,CTRL\r\n"
         "SO,5,9,1.800,40.000,312.5000,98.0000,10:03:00,\r\n",
         {"#0 1 1 0 0 0 0 0 100 200 10 0", "#0 2 0 0 0 0 0 0 150 200 10 0", "1 2 1 1.55 1.5 12.5 100 50 0 0 0 0",
          "1 3 0 1.55 1.6 112.5 99 20 0 0 0 0", "1 4 0 1.55 1.7 212.5 101 30 0 0 0 0",
          "1 5 0 1.55 1.8 312.5 98 40 0 0 0 0"},
         0},
        {"US feet, ddd.mmss, vertical angles from the horizon, ENZ",
         "CO,Dist Units: US Feet\nCO,Angle Units: DDDMMSS\nCO,Zero VA: Horizon\nCO,Coord Order: ENZ\n"
         "UP,7,,3937.000,7874.000,3937.000,\nST,7,,,,3.937,,\nSS,8,0.000,3937.000,180.0000,09.0000,11:00:00,\n",
         {"#0 7 1 0 0 0 0 0 2400 1200 1200 0", "7 8 1 1.2 0 200 90 1200 0 0 0 0"},
         0},
        {"an F1 record without a point names the station's backsight",
         "CO,Angle Units: Gons\nST,1,,2,,1.5,,\nF1,,1.5,10,0,100,12:00:00\n", {"1 2 1 1.5 1.5 0 100 10 0 0 0 0"}, 0},
        {"records without a point, unknown records", "SS,,1,2,3,4\nST,,,,,1\nXX,1,2\nF1,,1,2,3,4\n\n", {}, 4},
    };
    for (const auto& c : cases) {
        auto r = readBytes(readNikonRaw, c.file);
        EXPECT_EQ(pictures(r.points), c.expected) << c.name;
        EXPECT_EQ(r.counts.linesIgnored, c.ignored) << c.name;
    }
}

TEST(NikonRaw, StationOrientation) {
    struct Case {
        const char* file;
        bool oriented;
        double givenOm;
    };
    const Case cases[] = {
        {"CO,Angle Units: Gons\nST,1,,2,,1.5,350.0000,10.0000\nSS,3,0,1,0,100,,\n", true, 60},
        // decimal degrees, azimuths from the south: 90 degrees is 300 gon
        {"CO,Angle Units: Degrees\nCO,Zero azimuth: South\nST,1,,2,,1.5,90.0000,0.0000\nSS,3,0,1,0,100,,\n", true,
         100},
        {"CO,Angle Units: Gons\nST,1,,2,,1.5,,\nSS,3,0,1,0,100,,\n", false, 0},
    };
    for (const auto& c : cases) {
        auto r = readBytes(readNikonRaw, c.file);
        ASSERT_EQ(r.points.size(), 1u) << c.file;
        EXPECT_EQ(r.points[0].hasGivenOm, c.oriented) << c.file;
        EXPECT_NEAR(r.points[0].givenOm, c.givenOm, 1e-9) << c.file;
    }
}

}  // namespace
}  // namespace tervan
