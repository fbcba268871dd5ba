// tervan-cli with the levelling models, --hvsd and --seed.
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "core/printf.h"
#include "test_util.h"

namespace tervan {
namespace {

// Two set-ups: a record named #0 (the station name of every Leica record),
// then a change of instrument height that opens the second station group.
const char* kLeica =
    "#0,0,0,0,0,1.5,100,200,50\r\n"
    "P1,0,0,0,1.3,1.5,150,250,52\r\n"
    "P2,0,0,0,1.3,1.6,90,210,49\r\n"
    "P3,0,0,0,1.3,1.6,80,180,47\r\n";

TEST(LevellingCli, HvsdRunIsReproducibleWithASeed) {
    test::ScratchDir dir;
    std::string input = dir.file("job.txt");
    test::writeFile(input, kLeica);
    std::string common = "convert --ini " + test::defaultsIni(dir) + " --model Leica1200 --hvsd " + test::shellQuote(input);
    test::CliRun a = test::runCli(dir, common + " --seed 7");
    std::string nxyz = test::readFile(dir.file("job_nxyz.txt"));
    test::CliRun b = test::runCli(dir, common + " --seed 7");
    test::CliRun c = test::runCli(dir, common + " --seed 8");
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(a.out, c.out);
    EXPECT_EQ(test::readFile(dir.file("job_nxyz.txt")), nxyz);
    // the message text after the run: P1 observed from #0 at 70.7 m
    EXPECT_NE(a.out.find("\tP1\t1.300\t"), std::string::npos);
    EXPECT_NE(a.out.find("\t   70.734\t"), std::string::npos) << a.out;
    EXPECT_NE(a.err.find("H, V, SD computed for 4 points"), std::string::npos);
}

TEST(LevellingCli, BffbWithSeedGivesTheSameBytes) {
    test::ScratchDir dir;
    std::string input = dir.file("line.dat");
    test::writeFile(input, test::readFile(test::dataPath("levelling/bffb-seeded/input.dat")));
    std::string common =
        "convert -q --ini " + test::defaultsIni(dir) + " --model " + test::shellQuote("Dini BF") + " " + test::shellQuote(input);
    ASSERT_EQ(test::runCli(dir, common + " --seed 42").status, 0);
    EXPECT_EQ(test::readFile(dir.file("line_.dat")),
              test::readFile(test::dataPath("levelling/bffb-seeded/expected_.dat")));
    test::runCli(dir, common + " --seed 42 --bffb 2.0,5.0,100,3");
    EXPECT_EQ(test::readFile(dir.file("line_.dat")).substr(0, 37), "    100 Start-Line       BFFB     3\r\n");
}

// A DNA8 line of two set-ups from A1 (100.00000) to B2, whose level height
// 100.00320 is 3.2 mm over its benchmark; 0.1 km allows 20·√0.1 = 6.3 mm.
// The benchmarks are a list of names and heights, taken without ComputeXYZ.
TEST(LevellingCli, ALineClosesOnItsBenchmark) {
    test::ScratchDir dir;
    const std::string input = dir.file("line.gsi"), known = dir.file("bm.txt");
    test::writeFile(input,
                    "410001+?......1 \r\n"
                    "110002+000000A1 83..58+10000000 \r\n"
                    "110003+000000A1 32...8+02000000 331.28+00150000 390...+00000003 \r\n"
                    "110004+000000T1 32...8+02000000 332.28+00050000 390...+00000003 \r\n"
                    "110005+000000T1 573..8+00000000 574..8+00000000 83..28+10100000 \r\n"
                    "110006+000000T1 32...8+03000000 331.28+00120000 390...+00000003 \r\n"
                    "110007+000000B2 32...8+03000000 332.28+00219680 390...+00000003 \r\n"
                    "110008+000000B2 573..8+00000000 574..8+00000000 83..28+10000320 \r\n");
    test::writeFile(known, "B2 100.0000\n");
    const std::string common = "convert --ini " + test::defaultsIni(dir) + " --model DNA8 --known " + test::shellQuote(known) +
                               " " + test::shellQuote(input);
    test::CliRun r = test::runCli(dir, common + " --set AdjustedFile=Yes");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err.find("ComputeXYZ"), std::string::npos) << r.err;
    const std::string summary =
        "line 1: 0.100 km, 2 set-ups, misclosure +3.2 mm, allowed \xC2\xB1" "6.3 mm: within tolerance";
    EXPECT_NE(r.err.find(": " + summary + "\n"), std::string::npos) << r.err;
    EXPECT_EQ(test::readFile(dir.file("line_adj.txt")),
              summary + "\r\n"
              "name               distance       height   corr mm     adjusted\r\n"
              "A1                    0.000    100.00000      0.00    100.00000\r\n"
              "T1                   40.000    101.00000     -1.28    100.99872\r\n"
              "B2                  100.000    100.00320     -3.20    100.00000\r\n");

    // over a tolerance of 2 mm per √km it is over, and still done
    r = test::runCli(dir, common + " --set LevelTolerance=2");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("misclosure +3.2 mm, allowed \xC2\xB1" "0.6 mm: over tolerance"), std::string::npos) << r.err;

    // the same line from a Dini, whose line file gives no start height: the
    // level's first height puts the points before it in place
    auto row = [](const char* name, const char* tag1, const char* v1, const char* tag2, const char* v2,
                  const char* tag3, const char* v3) {
        return strf("For M5|Adr 00001|KD1 %-14s%13s|%-2s%16s    |%-3s%15s    |%-1s%16s |\r\n", name, "", tag1, v1, tag2,
                    v2, tag3, v3);
    };
    const std::string dini = dir.file("line.txt");
    test::writeFile(dini, strf("For M5|Adr 00001|TO  %-14s%-9s%4s|\r\n", "Start-Line", "BF", "0007") +
                              row("A1", "Rb", "1.50000 m", "HD", "20.000 m", "", "") +
                              row("T1", "Rf", "0.50000 m", "HD", "20.000 m", "", "") +
                              row("T1", "", "", "", "", "Z", "101.00000 m") +
                              row("T1", "Rb", "1.20000 m", "HD", "30.000 m", "", "") +
                              row("B2", "Rf", "2.19680 m", "HD", "30.000 m", "", "") +
                              row("B2", "", "", "", "", "Z", "100.00320 m"));
    r = test::runCli(dir, "convert --ini " + test::defaultsIni(dir) + " --model \"Dini USB\" --known " + test::shellQuote(known) +
                              " " + test::shellQuote(dini));
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("line 7: 0.100 km, 2 set-ups, misclosure +3.2 mm"), std::string::npos) << r.err;
}

TEST(LevellingCli, Dna8InputNamedDatExits1AndSaysWhy) {
    test::ScratchDir dir;
    std::string input = dir.file("level.dat");
    test::writeFile(input, "410001+?......1 \n");
    test::CliRun r = test::runCli(dir, "convert --ini " + test::defaultsIni(dir) + " --model DNA8 " + test::shellQuote(input));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find(input + " not written: it is the input file"), std::string::npos);
    EXPECT_EQ(test::readFile(input), "410001+?......1 \n");
    EXPECT_NE(r.err.find("1 lines read, 0 rows written, 0 lines ignored"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("an output could not be written"), std::string::npos) << r.err;
}

TEST(LevellingCli, AFirstRowNumberPastTheLastIsRefused) {
    test::ScratchDir dir;
    std::string input = dir.file("line.dat");
    test::writeFile(input, test::readFile(test::dataPath("levelling/bffb-seeded/input.dat")));
    std::string common =
        "convert --ini " + test::defaultsIni(dir) + " --model " + test::shellQuote("Dini BF") + " --seed 1 " + test::shellQuote(input) + " --bffb 2.0,5.0,";
    // The line has 17 rows, numbered up to 9999999.
    test::CliRun refused = test::runCli(dir, common + "2147483647,1");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("Numeration 1: 2147483647 is too large; the line has 17 rows, row numbers go up to "
                               "9999999, so the first can be at most 9999983; nothing written"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(refused.out, "");
    EXPECT_FALSE(test::fileExists(dir.file("line_.dat")));
    EXPECT_EQ(test::runCli(dir, common + "9999984,1").status, 1);
    ASSERT_EQ(test::runCli(dir, common + "9999983,1").status, 0);
    EXPECT_EQ(test::readFile(dir.file("line_.dat")).substr(0, 7), "9999983");
    EXPECT_NE(test::readFile(dir.file("line_.dat")).find("\r\n9999999 End-Line"), std::string::npos);
}

}  // namespace
}  // namespace tervan
