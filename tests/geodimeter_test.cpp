#include "readers/geodimeter.h"

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

TEST(Geodimeter, Labels) {
    // Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
    const Case cases[] = {
        {"coordinates: 37 north is X, 38 east is Y, 39 the height",
         "5=F1\n37=89.135\n38=992.819\n5=P100\n37=92.482\n38=1025.036\n39=101.5\n",
         {"#0 F1 1 0 0 0 0 0 89.135 992.819 0 0", "#0 P100 0 0 0 0 0 0 92.482 1025.036 101.5 0"}},
        {"a station with its height, the shots in gon and metres with their target heights",
         "2=S1\n3=1.55\n5=101\n4=fence\n6=1.3\n7=100.1234\n8=99.5\n9=25.125\n5=102\n7=200\n8=101\n9=10\n",
         {"S1 101 1 1.55 1.3 100.1234 99.5 25.125 0 0 0 0", "S1 102 0 1.55 1.3 200 101 10 0 0 0 0"}},
        {"units 2112: DMS and metres; first-face labels 24 and 25",
         "23=2112\n2=S1\n5=101\n24=264.0449\n25=90.3000\n9=10\n",
         {"S1 101 1 0 0 293.4225309 100.5555556 10 0 0 0 0"}},
        {"units 3212: decimal degrees and feet, for lengths and heights alike",
         "23=3212\n2=S1\n3=5\n5=101\n6=10\n7=90\n8=45\n9=100\n",
         {"S1 101 1 1.524 3.048 100 50 30.48 0 0 0 0"}},
        {"units 4112: mils", "23=4112\n5=101\n7=3200\n8=1600\n9=1\n", {"#0 101 1 0 0 200 100 1 0 0 0 0"}},
        {"a horizontal distance alone is a level sight; with 10 the height difference gives the angle",
         "5=101\n7=10\n11=32.392\n5=102\n7=20\n11=3\n10=4\n5=103\n7=30\n8=50\n11=10\n",
         {"#0 101 1 0 0 10 100 32.392 0 0 0 0", "#0 102 0 0 0 20 40.96655294 5 0 0 0 0",
          "#0 103 0 0 0 30 50 14.14213562 0 0 0 0"}},
        {"the station's coordinates are a record before its shots; the same set-up at once again adds none",
         "2=S1\n3=1.5\n37=100\n38=200\n39=10\n2=S1\n37=100\n38=200\n39=10\n5=101\n7=1\n9=2\n"
         "2=S1\n37=101\n38=200\n39=10\n5=102\n7=1\n9=2\n",
         {"#0 S1 0 1.5 0 0 0 0 100 200 10 0", "S1 101 1 1.5 0 1 0 2 0 0 0 0", "#0 S1 0 1.5 0 0 0 0 101 200 10 0",
          "S1 102 1 1.5 0 1 0 2 0 0 0 0"}},
        {"a point without values gives nothing; the second face (17, 18) is not read",
         "2=H1\n5=H5\n5=P1\n17=182.2958\n18=300\n24=2.2947\n11=120.678\n5=P2\n17=10\n",
         {"H1 P1 1 0 0 2.2947 100 120.678 0 0 0 0"}},
        {"values that are not numbers are skipped",
         "5=101\n7=abc\n8=10.6000\n9=12\n23=21\n8=10.6000\n",
         {"#0 101 1 0 0 0 10.6 12 0 0 0 0"}},
    };
    for (const auto& c : cases) EXPECT_EQ(pictures(readBytes(readGeodimeter, c.file).points), c.expected) << c.name;
}

TEST(Geodimeter, OnlyLabelLinesAreRecognised) {
    auto r = readBytes(readGeodimeter, "50=JOB1\r\n5=1\r\n37=1\r\nx=1\r\n=5\r\n5 =2\r\nTopSURV\r\n");
    EXPECT_EQ(r.points.size(), 1u);
    EXPECT_EQ(r.counts.linesRead, 7);
    EXPECT_EQ(r.counts.linesIgnored, 4);
}

}  // namespace
}  // namespace tervan
