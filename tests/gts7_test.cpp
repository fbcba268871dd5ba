#include "readers/gts7.h"

#include <gtest/gtest.h>

#include "reader_test_util.h"

namespace tervan {
namespace {

using test::pictures;
using test::readBytes;
using Pictures = std::vector<std::string>;

struct Case {
    const char* name;
    std::string file;
    Pictures expected;
};

const std::string kSetUp =
    "JOB     TEST,\nUNITS   M,D\nSTN     1001,1.550,\nXYZ     4000.000,2000.000,100.000\n"
    "BKB     1002,45.00000,90.00000\nXYZ     4500.000,2500.000,100.000\nBS      1002,1.300\n"
    "HV      90.00000,90.00000\n";

TEST(Gts7, Records) {
    // Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
    const Case cases[] = {
        {"station and backsight coordinates, the backsight sighted, shots with TH and code",
         kSetUp + "SS      100,1.800,fence\nSD      74.39010,87.47000,2.1650\nSS      101,0.000\n"
                  "SD      97.00390,87.49490,3.2430\n",
         {"#0 1001 0 1.55 0 0 0 0 4000 2000 100 0", "#0 1002 0 0 0 0 0 0 4500 2500 100 0",
          "1001 1002 1 1.55 1.3 100 100 0 0 0 0 0", "1001 100 0 1.55 1.8 82.94475309 97.53703704 2.165 0 0 0 0",
          "1001 101 0 1.55 0 107.7898148 97.58919753 3.243 0 0 0 0"}},
        {"feet and gon; a shot's own coordinates join it",
         "UNITS   F,G\nSTN     A,5,\nSS      1,10\nSD      100,100,10\nXYZ     1,2,3\n",
         {"A 1 1 1.524 3.048 100 100 3.048 0.3048 0.6096 0.9144 0"}},
        {"mils; HD gives the slope distance and the zenith angle",
         "UNITS   M,M\nSS      1,0\nHD      3200,3,4\n",
         {"#0 1 1 0 0 200 40.96655294 5 0 0 0 0"}},
        {"a shot without values, observations without a shot and unknown records give nothing",
         "TopSURV v6.04\nSD      1,2,3\nSS      1,0\nSS      2,0\nNOTE    x\n",
         {}},
        {"the same station set up again at once at the same place adds no station point",
         "STN     A,1\nXYZ     1,2,3\nSTN     A,1\nXYZ     1,2,3\nSS      1,0\nSD      1,2,3\n",
         {"#0 A 0 1 0 0 0 0 1 2 3 0", "A 1 1 1 0 1.111111111 2.222222222 3 0 0 0 0"}},
    };
    for (const auto& c : cases) EXPECT_EQ(pictures(readBytes(readGts7, c.file).points), c.expected) << c.name;
}

TEST(Gts7, BacksightAzimuthOrientsTheStation) {
    // The circle reads 90 degrees on a backsight of azimuth 45: the bearing
    // of a shot is its reading less 45 degrees, until the next set-up.
    auto r = readBytes(readGts7, kSetUp +
                                     "SS      100,0\nSD      90,90,10\nSTN     1003,0\nSS      101,0\n"
                                     "SD      90,90,10\n");
    ASSERT_EQ(r.points.size(), 5u);
    for (std::size_t i : {2, 3}) {
        EXPECT_TRUE(r.points[i].hasGivenOm) << i;
        EXPECT_DOUBLE_EQ(r.points[i].givenOm, 50.0) << i;
    }
    EXPECT_FALSE(r.points[4].hasGivenOm);
    EXPECT_EQ(r.counts.linesIgnored, 0);
}

}  // namespace
}  // namespace tervan
