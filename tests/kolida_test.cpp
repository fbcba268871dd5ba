#include "readers/kolida300.h"
#include "readers/kolida440.h"

#include <gtest/gtest.h>

#include "reader_test_util.h"

namespace tervan {
namespace {

using test::pictures;
using test::readBytes;
using Pictures = std::vector<std::string>;

// Pictures: "SN N isStation IH TH H V SD X Y Z faceTwo".
const std::string kStream = "_'12_)1.550_+7_?+00012345m0912345+1234567_,1.300_";
const std::string kRecord = "12 7 1 1.55 1.3 123.4567 91.2345 12.345 0 0 0 0";

TEST(Kolida300, Blocks) {
    struct Case {
        const char* name;
        std::string stream;
        Pictures expected;
    };
    const Case cases[] = {
        {"a full observation", kStream, {kRecord}},
        {"seven-digit station name keeps its last six", "_'1234567_)1.5_+0000012_?+1m1+1_,0_",
         {"234567 000012 1 1.5 0 0.0001 0.0001 0.001 0 0 0 0"}},
        {"angles without distance", "_+3_<0912345+1234567_,1.3_",
         {" 3 0 0 1.3 123.4567 91.2345 0 0 0 0 0"}},
        {"coordinates beyond the range of an int", "_+5_U+4712345678+9512345123+0123456_",
         {" 5 0 0 0 0 0 0 4712345.678 9512345.123 123.456 0"}},
        {"small coordinates, target height 0", "_'1_)1.6_,1.4_U+1000000+2000000+0100000_",
         {"1  1 1.6 0 0 0 0 1000 2000 100 0"}},
        {"target height after no observation appends nothing", "_+3_,1.3_+4_,1.5_", {}},
        {"a second station mark lands on the next record",
         "_'1_)1.5_+2_?+1000m1+1_,1_+3_?+2000m1+1_,1_'2_)1.6_+4_?+3000m1+1_,1_",
         {"1 2 1 1.5 1 0.0001 0.0001 1 0 0 0 0", "1 3 0 1.5 1 0.0001 0.0001 2 0 0 0 0",
          "2 4 1 1.6 1 0.0001 0.0001 3 0 0 0 0"}},
        {"a negative value drops its block", "_+3_?-00012345m0912345+1234567_,1.3_", {}},
        {"unknown blocks and text between blocks are skipped", "xx_(CODE_*CODE_+7 junk _?+1000m2+3_,1.3_",
         {" 7 0 0 1.3 0.0003 0.0002 1 0 0 0 0"}},
        {"a value still open at the end is not completed", "_+7_?+1000m2+3_,1.3", {}},
    };
    for (const auto& c : cases) {
        auto r = readBytes(readKolida300Polar, c.stream);
        EXPECT_EQ(pictures(r.points), c.expected) << c.name;
    }
}

TEST(Kolida300, StreamSplitAnywhereReadsTheSame) {
    const char* white[] = {" ", "\t", "\r\n", "\n\n", "\v", "\f"};
    for (std::size_t i = 1; i < kStream.size(); ++i) {
        for (std::size_t j = i; j < kStream.size(); j += 7) {
            std::string split = kStream.substr(0, i) + white[i % 6] + kStream.substr(i, j - i) + white[j % 6] +
                                kStream.substr(j);
            EXPECT_EQ(pictures(readBytes(readKolida300Polar, split).points), Pictures{kRecord}) << split;
        }
    }
}

TEST(Kolida300, FramesAreStripped) {
    const std::string stx = "\x02", etx = "\x03";
    // Every cut of the stream into two frames, each with a checksum.
    for (std::size_t i = 1; i < kStream.size(); ++i) {
        std::string framed = stx + kStream.substr(0, i) + "9X9X" + etx + "\r\n" + stx + kStream.substr(i) + "1234" +
                             etx + "\r\n\x04";
        EXPECT_EQ(pictures(readBytes(readKolida300Polar, framed).points), Pictures{kRecord}) << i;
    }
    // A NUL ends the word; what follows it in the word is not seen.
    auto r = readBytes(readKolida300Polar, "_+7_?+1000m2+3_,1.3" + std::string(1, '\0') + "5_+8 _,1.2_");
    EXPECT_EQ(pictures(r.points), (Pictures{" 7 0 0 1.3 0.0003 0.0002 1 0 0 0 0"}));
    // An ETX closer to the start than four characters leaves nothing.
    EXPECT_EQ(pictures(readBytes(readKolida300Polar, stx + "_+7" + etx + " _?+1m1+1_,1_").points),
              (Pictures{"  0 0 1 0.0001 0.0001 0.001 0 0 0 0"}));
}

TEST(Kolida300, NoRecordIsLostToLongWordsOrLongDigitRuns) {
    std::string joined, split;
    for (int i = 0; i < 10; ++i) {
        joined += kStream;
        split += kStream + "\r\n";
    }
    const std::string zeros(230, '0');
    struct Case {
        const char* name;
        std::string stream;
        std::size_t records;
        const char* first;  // the picture of the first record
    };
    const Case cases[] = {
        {"ten records in one word", joined, 10, kRecord.c_str()},
        {"the same records in ten lines", split, 10, kRecord.c_str()},
        {"a long word framed by STX and ETX", "\x02" + joined + "C0DE\x03", 10, kRecord.c_str()},
        {"a word of megabytes, then a record", std::string(3'000'000, '7') + " " + kStream, 1, kRecord.c_str()},
        {"leading zeros of a distance", "_+7_?+" + zeros + "12345m0912345+1234567_,1.3_", 1,
         " 7 0 0 1.3 123.4567 91.2345 12.345 0 0 0 0"},
        {"leading zeros of heights, before and after the point",
         "_)" + zeros + "1.5_+7_?+1m1+1_,0." + zeros + "13_", 1,
         " 7 1 1.5 1.3e-231 0.0001 0.0001 0.001 0 0 0 0"},
        {"more digits than the text holds", "_+7_?+1" + std::string(250, '0') + "m1+1_,1_", 1,
         " 7 0 0 1 0.0001 0.0001 1e+247 0 0 0 0"},
        {"a name keeps its last six digits", "_+" + zeros + "123_?+1m1+1_,1_", 1,
         " 000123 0 0 1 0.0001 0.0001 0.001 0 0 0 0"},
    };
    for (const Case& c : cases) {
        auto r = readBytes(readKolida300Polar, c.stream);
        ASSERT_EQ(r.points.size(), c.records) << c.name;
        EXPECT_EQ(test::picture(r.points[0]), c.first) << c.name;
    }
}

TEST(Kolida300, CountsWordsAndDroppedBlocks) {
    auto r = readBytes(readKolida300Polar, "_(C _+7_?-1 _*x_?+1m1+1_,1.3_\n");
    EXPECT_EQ(r.points.size(), 1u);
    EXPECT_EQ(r.counts.linesRead, 3);
    EXPECT_EQ(r.counts.linesIgnored, 2);  // _( and _?-; _* is the point's code
}

std::string k440(const std::string& code, std::initializer_list<std::string> fields) {
    static constexpr std::size_t start[] = {4, 20, 36, 52, 66};
    std::string line = code;
    std::size_t i = 0;
    for (const auto& f : fields) {
        line.resize(start[i++], ' ');
        line += f;
    }
    return line + "\r\n";
}

TEST(Kolida440, Records) {
    const std::string setUp = k440("02TP", {"S1", "1000.5", "2000.25", "100.1", "1.55"});
    struct Case {
        const char* name;
        std::string file;
        Pictures expected;
    };
    const Case cases[] = {
        {"station set-up then two observations",
         setUp + k440("09F1", {"S1", "10", "12.5", "98.5", "35.5"}) + k440("09F1", {"S1", "11", "50", "99", "20"}),
         {"#0 S1 0 0 0 0 0 0 1000.5 2000.25 100.1 0", "S1 10 1 1.55 0 12.5 98.5 35.5 0 0 0 0",
          "S1 11 0 1.55 0 50 99 20 0 0 0 0"}},
        {"observation and coordinates of one point merge",
         k440("09F1", {"S1", "10", "12.5", "98.5", "35.5"}) + k440("08TP", {"10", "7", "8", "9"}),
         {"S1 10 1 0 0 12.5 98.5 35.5 7 8 9 0"}},
        {"coordinates of another point end the observation",
         k440("09F1", {"S1", "10", "12.5", "98.5", "35.5"}) + k440("08TP", {"11", "7", "8", "9"}),
         {"S1 10 1 0 0 12.5 98.5 35.5 0 0 0 0", "S1 11 0 0 0 0 0 0 7 8 9 0"}},
        {"the last repetition of a point wins",
         k440("09F1", {"S1", "10", "1", "2", "3"}) + k440("09F1", {"S1", "10", "4", "5", "6"}),
         {"S1 10 1 0 0 4 5 6 0 0 0 0"}},
        {"a set-up on the pending point gives it the new coordinates",
         k440("09F1", {"S1", "S2", "1", "2", "3"}) + k440("02TP", {"S2", "7", "8", "9", "1.6"}) +
             k440("09F1", {"S2", "20", "4", "5", "6"}),
         {"S1 S2 1 0 0 1 2 3 7 8 9 0", "S2 20 1 1.6 0 4 5 6 0 0 0 0"}},
        {"target heights: 1.5, then 0 keeps it, 0.000 clears it, 0.0000 keeps it",
         k440("03NM", {"1.5"}) + k440("02TP", {"P1", "1"}) + k440("03NM", {"0"}) + k440("02TP", {"P2", "1"}) +
             k440("03NM", {"0.000"}) + k440("02TP", {"P3", "1"}) + k440("03NM", {"2.5"}) +
             k440("03NM", {"0.0000"}) + k440("02TP", {"P4", "1"}),
         {"#0 P1 0 0 1.5 0 0 0 1 0 0 0", "#0 P2 0 0 1.5 0 0 0 1 0 0 0", "#0 P3 0 0 0 0 0 0 1 0 0 0",
          "#0 P4 0 0 2.5 0 0 0 1 0 0 0"}},
        {"fields are cut at their columns and names normalised",
         "09F1              #5  1234567890123456789.5          \r\n",
         {"100005 12345678901234 1 0 0 56789.5 0 0 0 0 0 0"}},
        {"other codes and short lines change nothing", "00NMSDR33\r\n13NM note\r\n09F\r\n\r\n", {}},
    };
    for (const auto& c : cases) {
        auto r = readBytes(readKolida440, c.file);
        EXPECT_EQ(pictures(r.points), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace tervan
