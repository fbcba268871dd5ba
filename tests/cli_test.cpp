// tervan-cli as a user runs it: options, outputs, exit codes.
#include <gtest/gtest.h>

#include "cli/options.h"
#include "cli_runner.h"
#include "test_util.h"

namespace tervan {
namespace {

const char* kLeica = "P1,100.5,95.5,25.25,1.5,1.6,400.5,700.25,50.1\r\n";

TEST(Cli, UsageErrorsExit64) {
    test::ScratchDir dir;
    const char* cases[] = {
        "",
        "frobnicate x",
        "convert",
        "convert --bogus x",
        "convert --set NoSuchKey=1 x",
        "convert --set x1000=yes x",
        "convert --set Line1=a x",
        "convert --seed -1 x",
        "convert --seed 12a x",
        "convert --bffb 1,2,3 x",
        "convert --ini",
        "send --port /dev/null a b",
        "receive --port /dev/null extra",
    };
    for (const char* args : cases) {
        test::CliRun r = test::runCli(dir, args);
        EXPECT_EQ(r.status, 64) << args;
        EXPECT_NE(r.err.find("usage:"), std::string::npos) << args;
    }
}

TEST(Cli, ConvertsWritesAndPrintsTheTable) {
    test::ScratchDir dir;
    std::string input = dir.file("job1.txt");
    std::string ini = dir.file("Tervan.ini");
    test::writeFile(input, kLeica);
    test::writeFile(ini, "[Model]\r\nModel=Leica1200\r\nNxyzFile=Yes\r\nx1000=No\r\n");
    std::string iniBefore = test::readFile(ini);
    test::CliRun r = test::runCli(dir, "convert --ini " + test::shellQuote(ini) + " " + test::shellQuote(input));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readFile(dir.file("job1_nxyz.txt")), "    P1    700.250    400.500     50.100\r\n");
    EXPECT_FALSE(test::fileExists(dir.file("job1_xyz.txt")));
    EXPECT_EQ(r.out.substr(0, input.size() + 2), "<" + input + ">");
    EXPECT_NE(r.out.find("\tP1\t1.500\t100.5000\t"), std::string::npos);
    EXPECT_NE(r.err.find("1 lines read, 1 points, 0 lines ignored"), std::string::npos);
    EXPECT_EQ(test::readFile(ini), iniBefore);  // the command line never writes the settings
}

TEST(Cli, ModelAndSetOverrideTheSettingsFile) {
    test::ScratchDir dir;
    std::string input = dir.file("a.gsi");
    test::writeFile(input, kLeica);
    test::CliRun r = test::runCli(dir, "convert -q --ini /nonexistent/Tervan.ini --model Leica1200 --set XyzFile=No --set "
                        "NyxzFile=No --set NxyzFile=No --set TrasFile=Yes --set X0=1000 " + test::shellQuote(input));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_FALSE(test::fileExists(dir.file("a_xyz.txt")));
    EXPECT_NE(test::readFile(dir.file("a_tras.dat")).find("X     1700.250 Y"), std::string::npos);
}

TEST(Cli, ExitCodesForUnknownModelAndMissingInput) {
    test::ScratchDir dir;
    test::CliRun unknown = test::runCli(dir, "convert --ini /nonexistent/x.ini --model Leica " + test::shellQuote(dir.file("a.txt")));
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("'Leica' names no reader"), std::string::npos);

    std::string good = dir.file("good.txt");
    test::writeFile(good, kLeica);
    test::CliRun missing = test::runCli(dir, "convert -q --ini /nonexistent/x.ini --model Leica1200 --set XyzFile=No --set "
                              "NyxzFile=No --set NxyzFile=No --set TrasFile=No " +
                                  test::shellQuote(dir.file("nothere.txt")) + " " + test::shellQuote(good));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read " + dir.file("nothere.txt") + ": No such file or directory"),
              std::string::npos);

    std::filesystem::create_directory(dir.file("folder.txt"));
    test::CliRun folder = test::runCli(dir, "convert --ini /nonexistent/x.ini --model Leica1200 " +
                                                test::shellQuote(dir.file("folder.txt")));
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.out, "");
    EXPECT_EQ(folder.err, "tervan-cli: cannot read " + dir.file("folder.txt") + ": it is a folder\n");
}

TEST(Cli, AutoDetectsEachInputAndConvertsAsItsModelDoes) {
    test::ScratchDir dir;
    const std::string ini = "--ini /nonexistent/x.ini ";
    for (const char* name : {"auto.txt", "named.txt"}) test::writeFile(dir.file(name), kLeica);
    test::writeFile(dir.file("notes.txt"), "Bring the tripod.\nCall the office.\n");
    test::CliRun named = test::runCli(dir, "convert " + ini + "--model Leica1200 " + test::shellQuote(dir.file("named.txt")));
    ASSERT_EQ(named.status, 0) << named.err;
    test::CliRun r = test::runCli(dir, "convert " + ini + "--model auto " + test::shellQuote(dir.file("notes.txt")) + " " +
                                           test::shellQuote(dir.file("auto.txt")));
    EXPECT_EQ(r.status, 2);
    // the model first, before anything else about the file
    const std::string detected = "tervan-cli: " + dir.file("auto.txt") + ": model Leica1200 (detected)\n";
    ASSERT_NE(r.err.find(detected), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(dir.file("auto.txt")), r.err.find(detected) + 12);
    EXPECT_NE(r.err.find("no model fits " + dir.file("notes.txt")), std::string::npos) << r.err;
    int written = 0;
    for (const auto& f : std::filesystem::directory_iterator(dir.path())) {
        std::string name = f.path().filename().string();
        EXPECT_TRUE(name == "notes.txt" || name.rfind("notes", 0) != 0) << name;
        if (name.rfind("auto", 0) != 0 || name == "auto.txt") continue;
        ++written;
        EXPECT_EQ(test::readFile(f.path().string()), test::readFile(dir.file("named" + name.substr(4)))) << name;
    }
    EXPECT_EQ(written, 11);
}

TEST(Cli, UnwritableOutputExits1) {
    test::ScratchDir dir;
    std::string input = dir.file("b.txt");
    test::writeFile(input, kLeica);
    std::filesystem::create_directory(dir.file("b_xyz.txt"));
    test::CliRun r = test::runCli(dir, "convert --ini /nonexistent/x.ini --model Leica1200 " + test::shellQuote(input));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("cannot write " + dir.file("b_xyz.txt")), std::string::npos);
    EXPECT_TRUE(test::fileExists(dir.file("b_nxyz.txt")));
}

TEST(CliOptions, ParsesEveryOption) {
    CliOptions o;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"convert", "--ini", "a.ini", "--model", "kor", "--set", "Z.000=No", "--dxf-header",
                                  "h.txt", "--hvsd", "--seed", "42", "--bffb", "1.5,4,100,7", "--log-dir", "L",
                                  "--port", "/dev/ttyS0", "-q", "in1", "in2"},
                                 o, error))
        << error;
    EXPECT_EQ(o.iniPath, "a.ini");
    EXPECT_EQ(*o.model, "kor");
    ASSERT_EQ(o.sets.size(), 1u);
    EXPECT_EQ(o.sets[0].first, "Z.000");
    EXPECT_EQ(o.dxfHeaderPath, "h.txt");
    EXPECT_TRUE(o.hvsd);
    EXPECT_EQ(*o.seed, 42u);
    EXPECT_EQ(o.bffb.reading, "1.5");
    EXPECT_EQ(o.bffb.line, "7");
    EXPECT_EQ(o.logDir, "L");
    EXPECT_EQ(o.port, "/dev/ttyS0");
    EXPECT_TRUE(o.quiet);
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"in1", "in2"}));

    Settings s;
    ASSERT_TRUE(applySettingOverrides(o, s, error));
    EXPECT_EQ(s.Model, "kor");
    EXPECT_EQ(s.Z000, 0);
}

}  // namespace
}  // namespace tervan
