#include "readers/gsi.h"

#include <gtest/gtest.h>

#include <cstring>

#include "reader_test_util.h"

namespace tervan {
namespace {

using test::pictures;
using test::readBytes;
using Pictures = std::vector<std::string>;

// Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
struct Case {
    const char* name;
    std::string file;
    Pictures expected;
};

TEST(Gsi, Words) {
    const Case cases[] = {
        {"unit 0: metre, mm", "110001+00000007 31..00+00012345 \r\n", {"#0 7 1 0 0 0 0 12.345 0 0 0 0"}},
        {"unit 1: foot, 1/1000 ft", "110001+00000007 31..01+00010000 \r\n", {"#0 7 1 0 0 0 0 3.048 0 0 0 0"}},
        {"unit 2: gon", "110001+00000007 21.102+12345678 \r\n", {"#0 7 1 0 0 123.45678 0 0 0 0 0 0"}},
        {"unit 3: decimal degrees", "110001+00000007 22.103+09000000 \r\n", {"#0 7 1 0 0 0 100 0 0 0 0 0"}},
        {"unit 4: DDDMMSSs", "110001+00000007 21.104+27030450 \r\n", {"#0 7 1 0 0 300.5694444 0 0 0 0 0 0"}},
        {"unit 5: mil, 0.0001 mil", "110001+00000007 21.105+16000000 \r\n", {"#0 7 1 0 0 100 0 0 0 0 0 0"}},
        {"unit 5 in GSI-16", "*110001+0000000000000007 22.105+0000000003200000 \r\n", {"#0 7 1 0 0 0 20 0 0 0 0 0"}},
        {"unit 3 in GSI-16", "*110001+0000000000000007 21.103+0000000018000000 \r\n", {"#0 7 1 0 0 200 0 0 0 0 0 0"}},
        {"unit 4 in GSI-16: 359 59 59.9", "*110001+0000000000000007 21.104+0000000035959599 \r\n",
         {"#0 7 1 0 0 399.9999691 0 0 0 0 0 0"}},
        {"unit 6: metre, 0.1 mm", "110001+00000007 31..06+00123456 \r\n", {"#0 7 1 0 0 0 0 12.3456 0 0 0 0"}},
        {"unit 7: foot, 1/10000 ft", "110001+00000007 31..07+00100000 \r\n", {"#0 7 1 0 0 0 0 3.048 0 0 0 0"}},
        {"unit 8: metre, 0.01 mm", "110001+00000007 31..08+01234567 \r\n", {"#0 7 1 0 0 0 0 12.34567 0 0 0 0"}},
        {"easting before northing; negative and minus zero heights",
         "110001+0000P100 81..00+00001500 82..00-00002500 83..00-00000000 \r\n",
         {"#0 P100 1 0 0 0 0 0 -2.5 1.5 0 0"}},
        {"GSI-16, names keep letters and lose their padding",
         "*110001+000000000000ST01 21.324+0000000012304512 31..08+0000001234567890 \r\n"
         "*110002+0000000000000000 83..06-0000000123456789 \r\n",
         {"#0 ST01 1 0 0 136.7565432 0 12345.6789 0 0 0 0", "#0 0 0 0 0 0 0 0 0 0 -12345.6789 0"}},
        {"unknown indices, codes, remarks and ppm are skipped; 32 and 33 give way to 31",
         "110001+00000007 41....+00000099 51..1.+0000+000 71....+REMARK 1 25.102+00000005 32..00+00000999 "
         "33..00+00000111 99..00+00000001 31..00+00001000 \r\n",
         {"#0 7 1 0 0 0 0 1 0 0 0 0"}},
        {"without 31, V and SD follow from 32 and 33",
         "110001+00000007 21.102+10000000 32..00+00003000 33..00-00004000 \r\n",
         {"#0 7 1 0 0 100 159.033447 5 0 0 0 0"}},
        {"without 31 and with its own V, only SD follows from 32 and 33",
         "110001+00000007 22.102+09000000 32..00+00003000 33..00+00004000 \r\n", {"#0 7 1 0 0 0 90 5 0 0 0 0"}},
        {"a level's staff reading 331 is no height difference",
         "110001+00000007 21.102+10000000 32...8+00997523 331.28+00007337 \r\n", {"#0 7 1 0 0 100 0 0 0 0 0 0"}},
        {"32 alone gives nothing", "110001+00000007 21.102+10000000 32..00+00003000 \r\n",
         {"#0 7 1 0 0 100 0 0 0 0 0 0"}},
        {"a short word, a missing blank and a GSI-16 word in a GSI-8 block",
         "110001+00000007 21.102+1234 22.102+10000000 31..00+00001000"
         "83..00+00000001 81..00+0000000000001000 82..00+00002000 \r\n",
         {"#0 7 1 0 0 0 100 0 2 0 0 0"}},
        {"a word cut by the end of the block", "110001+00000007 21.102+10000000 31..00+0000100\r\n",
         {"#0 7 1 0 0 100 0 0 0 0 0 0"}},
        {"the lines of a printed report give no records",
         "Station ID                E                N                H                hi\r\n"
         "10001                  450402.042       205885.618           61.309            1.643\r\n",
         {}},
    };
    for (const auto& c : cases) EXPECT_EQ(pictures(readBytes(readGsi, c.file).points), c.expected) << c.name;
}

// An H, V or SD word that cannot be read keeps the record with its other
// values, marked so that nothing is computed from it; a good word of the
// same index after it mends it.
TEST(Gsi, ObservationsThatCannotBeRead) {
    struct Broken {
        const char* name;
        std::string block;
        const char* picture;
        bool unreadable;
    };
    const Broken cases[] = {
        {"a length unit on H", "110001+00000007 21.100+00001000 22.102+10000000 31..00+00002000 ",
         "#0 7 1 0 0 0 100 2 0 0 0 0", true},
        {"a letter in V", "110001+00000007 21.102+10000000 22.102+0000A000 31..00+00002000 ",
         "#0 7 1 0 0 100 0 2 0 0 0 0", true},
        {"60 minutes in DMS", "110001+00000007 21.104+00160000 22.102+10000000 31..00+00002000 ",
         "#0 7 1 0 0 0 100 2 0 0 0 0", true},
        {"an angle unit on SD", "110001+00000007 21.102+10000000 22.102+10000000 31..02+00002000 ",
         "#0 7 1 0 0 100 100 0 0 0 0 0", true},
        {"a unit code that is no unit", "110001+00000007 22.109+10000000 31..00+00002000 ",
         "#0 7 1 0 0 0 0 2 0 0 0 0", true},
        {"the broken word alone still makes a record", "110001+00000007 31..00+0000200X ",
         "#0 7 1 0 0 0 0 0 0 0 0 0", true},
        {"a good word after the broken one", "110001+00000007 31..02+00001000 31..00+00002000 ",
         "#0 7 1 0 0 0 0 2 0 0 0 0", false},
        {"a broken coordinate is only skipped", "110001+00000007 31..00+00002000 81..02+00001000 ",
         "#0 7 1 0 0 0 0 2 0 0 0 0", false},
    };
    for (const auto& c : cases) {
        auto r = readBytes(readGsi, c.block + "\r\n");
        ASSERT_EQ(r.points.size(), 1u) << c.name;
        EXPECT_EQ(test::picture(r.points[0]), c.picture) << c.name;
        EXPECT_EQ(r.points[0].unreadable, c.unreadable) << c.name;
    }
}

TEST(Gsi, SetUpsAndHeights) {
    const std::string setUp = "110001+000000S1 84..10+00001000 85..10+00002000 86..10+00000100 88..10+00001550 \r\n";
    const std::string target = "110002+00000101 21.102+10000000 22.102+10000000 31..00+00010000 ";
    const Case cases[] = {
        {"the station point, then the mark on the next record; heights carried",
         setUp + target + "87..10+00001300 \r\n" + target + "\r\n",
         {"#0 S1 0 1.55 0 0 0 0 2 1 0.1 0", "S1 101 1 1.55 1.3 100 100 10 0 0 0 0",
          "S1 101 0 1.55 1.3 100 100 10 0 0 0 0"}},
        {"coordinates alone take the mark; the target height of a block is its own",
         "87..10+00001800 \r\n" + setUp + "110003+00000005 81..00+00000001 87..10+00001400 \r\n" + target + "\r\n",
         {"#0 S1 0 1.55 1.8 0 0 0 2 1 0.1 0", "S1 5 1 1.55 1.4 0 0 0 0 0.001 0 0",
          "S1 101 0 1.55 1.4 100 100 10 0 0 0 0"}},
        {"a set-up block repeated at once appends its station once", setUp + setUp + target + "\r\n" + setUp,
         {"#0 S1 0 1.55 0 0 0 0 2 1 0.1 0", "S1 101 1 1.55 0 100 100 10 0 0 0 0", "#0 S1 0 1.55 0 0 0 0 2 1 0.1 0"}},
        {"an instrument height alone is a set-up without a station point",
         target + "\r\n110003+000000S2 88..10+00001600 \r\n" + target + "\r\n" + target + "88..10+00001700 \r\n",
         {"#0 101 1 0 0 100 100 10 0 0 0 0", "S2 101 1 1.6 0 100 100 10 0 0 0 0",
          "S2 101 0 1.7 0 100 100 10 0 0 0 0"}},
    };
    for (const auto& c : cases) EXPECT_EQ(pictures(readBytes(readGsi, c.file).points), c.expected) << c.name;
}

TEST(Gsi, EveryLineEndReadsTheSame) {
    const std::string blocks[] = {
        "110001+00001000 84..10+03000000 85..10+05000000 86..10+00120000 88..10+00001550 ",
        "110002+00000101 21.102+04978832 22.102+09893381 31..00+00051472 87..10+00001500",
        "   ",
        "110003+00000000 41....+00000001 ",
        "*110004+0000000000000102 21.102+0000000007997961 83..00+0000000000119874 ",
    };
    const Pictures expected = {"#0 1000 0 1.55 0 0 0 0 5000 3000 120 0",
                               "1000 101 1 1.55 1.5 49.78832 98.93381 51.472 0 0 0 0",
                               "1000 102 0 1.55 1.5 79.97961 0 0 0 0 119.874 0"};
    for (const char* end : {"\r\n", "\r", "\n", "\n\r", "\r\n\r\n", "\r\r\r"}) {
        std::string file;
        for (const auto& b : blocks) file += b + end;
        for (const std::string& last : {file, file.substr(0, file.size() - std::strlen(end))}) {
            auto r = readBytes(readGsi, last);
            EXPECT_EQ(pictures(r.points), expected) << testing::PrintToString(last);
            EXPECT_EQ(r.counts.linesRead, 4) << testing::PrintToString(end);
            EXPECT_EQ(r.counts.linesIgnored, 1) << testing::PrintToString(end);
        }
    }
}

TEST(Gsi, LongBlocksAreReadWhole) {
    // A CR-only file is one long line to a line reader; every block and
    // every word of it must come through whole. Some instruments end each
    // block with three CRs.
    std::string file = "\r";
    for (int i = 1; i <= 300; ++i)
        file += strf("11%04d+%08d 21.102+%08d 22.102+10000000 31..00+00012345 \r\r\r", i, i, i * 1000);
    auto r = readBytes(readGsi, file);
    ASSERT_EQ(r.points.size(), 300u);
    EXPECT_EQ(r.counts.linesRead, 300);
    EXPECT_EQ(r.points[299].N, "300");
    EXPECT_EQ(r.points[299].H, 3);

    // One block without an end: good words and words without their blank
    // meet the ends of the reader's chunks at every offset.
    for (std::size_t offset = 0; offset < 49; ++offset) {
        std::string block = std::string(offset, ' ') + "*110001+0000000000000007 ";
        for (int i = 0; i < 400; ++i) block += "41....+0000000000000001 83..00+0000000000002000x ";
        block += "31..00+0000000000001000";
        EXPECT_EQ(pictures(readBytes(readGsi, block).points), Pictures{"#0 7 1 0 0 0 0 1 0 0 0 0"}) << offset;
    }
    // A broken run that ends like a word stays broken, also where the end of
    // a chunk (4096 bytes) falls just before that end.
    for (std::size_t run = 4000; run < 4100; ++run) {
        std::string block = "*110001+0000000000000007 " + std::string(run, 'x') +
                            "83..00+0000000000003000 31..00+0000000000001000";
        EXPECT_EQ(pictures(readBytes(readGsi, block).points), Pictures{"#0 7 1 0 0 0 0 1 0 0 0 0"}) << run;
    }
}

}  // namespace
}  // namespace tervan
