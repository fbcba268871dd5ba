#include "readers/rw5.h"

#include <gtest/gtest.h>

#include "reader_test_util.h"

namespace tervan {
namespace {

using test::pictures;
using test::readBytes;
using Pictures = std::vector<std::string>;

// Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
TEST(Rw5, RecordsAndUnits) {
    struct Case {
        const char* name;
        const char* file;
        Pictures expected;
        long ignored;
    };
    const Case cases[] = {
        {"metres: stored points, occupied station, heights and shots (angle and distance forms)",
         "JB,NMJOB,DT01-01-2024,TM10:00:00\r\nMO,AD0,UN1,SF1.00000000,EC0,EO0.0,AU0\r\n"
         "SP,PN1,N 1000.000,E 2000.000,EL100.000,--CONTROL\r\nSP,PN2,N 1100.000,E 2000.000,EL100.000,--\r\n"
         "OC,OP1,N 1000.000,E 2000.000,EL100.000\r\nBK,OP1,BP2,BS0.00000,BC90.00000\r\nLS,HI1.500,HR1.800\r\n"
         "SS,OP1,FP3,AR90.30000,ZE90.00000,SD10.000,--TREE, big\r\n--a comment\r\n"
         "TR,OP1,FP4,AR180.00000,ZE90.00000,HD3.000,VD4.000,--\r\n",
         {"#0 1 1 0 0 0 0 0 1000 2000 100 0", "#0 2 0 0 0 0 0 0 1100 2000 100 0", "#0 1 0 0 0 0 0 0 1000 2000 100 0",
          "1 3 1 1.5 1.8 100.5555556 100 10 0 0 0 0", "1 4 0 1.5 1.8 200 40.96655294 5 0 0 0 0"},
         0},
        {"feet, a vertical angle from the horizon, N and E without their blank, a shot from another station",
         "MO,AD0,UN0\nSP,PN9,N10,E20,EL30\nOC,OP9\nLS,HI5,HR5\nBD,OP9,FP1,AR0,VA9.0000,SD100\n"
         "FD,OP8,FP2,AR0,ZE90,SD1\n",
         {"#0 9 1 0 0 0 0 0 3.048 6.096 9.144 0", "9 1 1 1.524 1.524 0 90 30.48 0 0 0 0",
          "8 2 1 1.524 1.524 0 100 0.3048 0 0 0 0"},
         0},
        {"records without their point, unknown records",
         "SP,N 1,E 2\nOC,N 1\nSS,OP1,AR0,ZE90,SD1\nXY,1\n\n--SP,PN1,N 1,E 1,EL 1\n", {}, 5},
    };
    for (const auto& c : cases) {
        auto r = readBytes(readRw5, c.file);
        EXPECT_EQ(pictures(r.points), c.expected) << c.name;
        EXPECT_EQ(r.counts.linesIgnored, c.ignored) << c.name;
    }
}

TEST(Rw5, BacksightGivesTheOrientation) {
    // AD1: azimuths from the south; BS 90 degrees is 300 gon, BC 0.
    auto r = readBytes(readRw5, "MO,AD1,UN1\nOC,OP1\nBK,OP1,BP2,BS90.0000,BC0.0000\nSS,OP1,FP3,AR0,ZE90,SD1\n"
                                "OC,OP4\nSS,OP4,FP5,AR0,ZE90,SD1\n");
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_TRUE(r.points[0].hasGivenOm);
    EXPECT_NEAR(r.points[0].givenOm, 100, 1e-9);
    EXPECT_FALSE(r.points[1].hasGivenOm) << "a new station is not oriented";
}

}  // namespace
}  // namespace tervan
