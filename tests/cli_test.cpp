// tervan-cli as a user runs it: options, outputs, exit codes.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "cli/listings.h"
#include "cli/options.h"
#include "conversion/models.h"
#include "cli_runner.h"
#include "core/files.h"
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
    test::CliRun r = test::runCli(dir, "convert -q --ini " + test::defaultsIni(dir) + " --model Leica1200 --set XyzFile=No --set "
                        "NyxzFile=No --set NxyzFile=No --set TrasFile=Yes --set X0=1000 " + test::shellQuote(input));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
    EXPECT_FALSE(test::fileExists(dir.file("a_xyz.txt")));
    EXPECT_NE(test::readFile(dir.file("a_tras.dat")).find("X     1700.250 Y"), std::string::npos);
}

TEST(Cli, ExitCodesForUnknownModelAndMissingInput) {
    test::ScratchDir dir;
    test::CliRun unknown = test::runCli(dir, "convert --ini " + test::defaultsIni(dir) + " --model Leica " + test::shellQuote(dir.file("a.txt")));
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("'Leica' names no reader"), std::string::npos);

    std::string good = dir.file("good.txt");
    test::writeFile(good, kLeica);
    test::CliRun missing = test::runCli(dir, "convert -q --ini " + test::defaultsIni(dir) + " --model Leica1200 --set XyzFile=No --set "
                              "NyxzFile=No --set NxyzFile=No --set TrasFile=No " +
                                  test::shellQuote(dir.file("nothere.txt")) + " " + test::shellQuote(good));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read " + dir.file("nothere.txt") + ": No such file or directory"),
              std::string::npos);

    std::filesystem::create_directory(dir.file("folder.txt"));
    test::CliRun folder = test::runCli(dir, "convert --ini " + test::defaultsIni(dir) + " --model Leica1200 " +
                                                test::shellQuote(dir.file("folder.txt")));
    EXPECT_EQ(folder.status, 1);
    EXPECT_EQ(folder.out, "");
    EXPECT_EQ(folder.err, "tervan-cli: cannot read " + dir.file("folder.txt") + ": it is a folder\n");
}

TEST(Cli, AutoDetectsEachInputAndConvertsAsItsModelDoes) {
    test::ScratchDir dir;
    const std::string ini = "--ini " + test::defaultsIni(dir) + " ";
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
    test::CliRun r = test::runCli(dir, "convert --ini " + test::defaultsIni(dir) + " --model Leica1200 " + test::shellQuote(input));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("cannot write " + dir.file("b_xyz.txt")), std::string::npos);
    EXPECT_TRUE(test::fileExists(dir.file("b_nxyz.txt")));
}

// Standard output carries the message text as its bytes: CR LF and the
// levelling rows' CR CR LF as they are (a text-mode stream on Windows would
// make them CR CR LF and CR CR CR LF).
TEST(Cli, PrintsTheMessageTextByteForByte) {
    for (const auto& [example, model] : {std::pair{"leica1200.txt", "Leica1200"}, std::pair{"level.gsi", "DNA8"}}) {
        test::ScratchDir dir;
        const std::string input = dir.file(example);
        test::writeFile(input, test::readFile(std::string(TERVAN_EXAMPLES) + "/" + example));
        test::CliRun r = test::runCli(dir, "convert --ini " + test::defaultsIni(dir) + " --model " + model +
                                               " --dxf-header " + test::shellQuote(TERVAN_DXF_HEADER) + " " +
                                               test::shellQuote(input));
        ASSERT_EQ(r.status, 0) << r.err;
        Session session;
        session.settings.Model = model;
        session.dxfHeaderPath = TERVAN_DXF_HEADER;
        const std::string message = test::convertFile(session, input).message;
        EXPECT_NE(message.find('\r'), std::string::npos);
        EXPECT_EQ(r.out, message + "\n") << model;
    }
}

// No --ini and no --dxf-header: the settings and the DXF header beside the
// program (the shipped settings tick the 3D drawing).
TEST(Cli, FindsItsSettingsAndDxfHeaderBesideItself) {
    test::ScratchDir dir;
    const std::string input = dir.file("job.txt");
    test::writeFile(input, kLeica);
    test::CliRun r = test::runCli(dir, "convert -q --model Leica1200 " + test::shellQuote(input));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readFile(dir.file("job_3d.dxf")).substr(0, 12), "  0\r\nSECTION");
}

// Names with any letters come through the command line to the files and
// back to the message text (on Windows through the wide command line).
TEST(Cli, TakesPathsWithAnyLetters) {
    test::ScratchDir dir;
    const std::string folder = dir.file("Данни Müller");
    std::filesystem::create_directory(fsPath(folder));
    const std::string input = folder + "/точки Ñandú.txt";
    test::writeFile(input, kLeica);
    test::CliRun r = test::runCli(dir, "convert --ini " + test::defaultsIni(dir) + " --model Leica1200 --set 2DFile=No " +
                                           test::shellQuote(input));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, input.size() + 2), "<" + input + ">");
    EXPECT_EQ(test::readFile(folder + "/точки Ñandú_nxyz.txt"), "    P1    700.250    400.500     50.100\r\n");
}

// Every way a run can fail after a good one: the run says why (also with
// -q), exits 1 (2 when the model finds nothing), and the outputs of the
// good run keep their bytes, unless only the named output is refused.
TEST(Cli, AFailedRunSaysWhyAndKeepsTheOutputsBefore) {
    struct Case {
        const char* name;
        std::function<void(const test::ScratchDir&)> setup;
        std::string args;  // "%s" is the defaults' settings file
        int status;
        std::string said;  // on standard error; "%d" is the scratch folder
        bool othersWritten = false;
    };
    const std::string job = "job.txt";
    const auto write = [](const char* name, std::string bytes) {
        return [=](const test::ScratchDir& dir) { test::writeFile(dir.file(name), bytes); };
    };
    const auto nothing = [](const test::ScratchDir&) {};
    std::vector<Case> cases = {
        {"a letter", write("job.txt", "Dear colleague,\nhere are\nthe points\nof Monday.\n"),
         "-q --model Zeiss3303", 2, "no point of model Zeiss3303 found in %d/job.txt (4 lines read); nothing written"},
        {"an empty input", write("job.txt", ""), "--model Leica1200", 2, "%d/job.txt is empty; nothing written"},
        {"a letter under auto", write("job.txt", "Dear colleague,\n"), "--model auto", 2, "no model fits"},
        {"settings missing", nothing, "--model Leica1200 --ini %d/gone.ini", 1,
         "cannot read settings %d/gone.ini: No such file or directory"},
        {"settings a folder", nothing, "--model Leica1200 --ini %d", 1, "cannot read settings %d: it is a folder"},
        {"X0 no number", nothing, "--model Leica1200 --set X0=nan", 1,
         "the setting X0=nan is not a finite number; nothing written"},
        {"X0 too large", nothing, "--model Leica1200 --set X0=1e308 --set x1000=Yes", 1,
         "the setting X0=1e308 is too large (at most 1000000000); nothing written"},
        {"dH no number", nothing, "--model Leica1200 --hvsd --set dH=inf", 1,
         "the setting dH=inf is not a finite number; nothing written"},
        {"a known point too large", write("k.txt", "A 1e308 5 6\n"),
         "--model Leica1200 --set ComputeXYZ=Yes --known %d/k.txt", 1,
         "the known point A has X 1e+308, which is too large (at most 1000000000); nothing written"},
        // One output refused: named with its reason, also by a quiet run,
        // and the others written.
        {"settings named like an output", [](const test::ScratchDir& dir) {
             test::writeFile(dir.file("job.kor"), test::readFile(dir.file("defaults.ini")));
         },
         "-q --model Leica1200 --ini %d/job.kor", 1, "%d/job.kor not written: it is the settings file", true},
        {"a DXF header named like an output", nothing, "-q --model Leica1200 --dxf-header %d/job_xyz.txt", 1,
         "%d/job_xyz.txt not written: it is the DXF header file", true},
        {"a folder in an output's place", [](const test::ScratchDir& dir) {
             std::filesystem::remove(dir.file("job_nxyz.txt"));
             std::filesystem::create_directory(dir.file("job_nxyz.txt"));
         },
         "-q --model Leica1200", 1, "cannot write %d/job_nxyz.txt: Is a directory", true},
    };
#ifndef _WIN32
    // A FIFO as any file the run reads is refused at once, never waited on.
    const auto fifo = [](const char* name) {
        return [=](const test::ScratchDir& dir) {
            std::filesystem::remove(dir.file(name));
            ASSERT_EQ(::mkfifo(dir.file(name).c_str(), 0600), 0);
        };
    };
    cases.push_back({"a FIFO input", fifo("job.txt"), "--model Leica1200", 1, "job.txt: it is not a regular file"});
    cases.push_back({"a FIFO input under auto", fifo("job.txt"), "--model auto", 1, "it is not a regular file"});
    cases.push_back({"FIFO settings", fifo("f.ini"), "--model Leica1200 --ini %d/f.ini", 1,
                     "cannot read settings %d/f.ini: it is not a regular file"});
    // The drawing is refused before it is begun; the others are written.
    cases.push_back({"a FIFO DXF header", fifo("h.txt"), "-q --model Leica1200 --dxf-header %d/h.txt", 1,
                     "it is not a regular file", true});
    cases.push_back({"FIFO known points", fifo("k.txt"), "--model Leica1200 --set ComputeXYZ=Yes --known %d/k.txt", 1,
                     "cannot read the known points %d/k.txt: it is not a regular file"});
#endif
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::ScratchDir dir;
        const std::string input = dir.file(job);
        test::writeFile(input, kLeica);
        const std::string defaults = test::defaultsIni(dir);
        test::CliRun first = test::runCli(dir, "convert -q --ini " + defaults + " --model Leica1200 " +
                                                   test::shellQuote(input));
        ASSERT_EQ(first.status, 0) << first.err;
        std::map<std::string, std::string> before;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.is_regular_file() && entry.path().filename() != "stdout" && entry.path().filename() != "stderr")
                before[entry.path().string()] = test::readFile(entry.path().string());
        c.setup(dir);
        // "%d/" in a case is the folder and the system's separator.
        const std::string folder = dir.path().string();
        const std::string inFolder = folder + static_cast<char>(std::filesystem::path::preferred_separator);
        std::string args = test::replaceAll(test::replaceAll(c.args, "%d/", inFolder), "%d", folder);
        if (args.find("--ini") == std::string::npos) args += " --ini " + defaults;
        test::CliRun r = test::runCli(dir, "convert " + args + " " + test::shellQuote(input));
        EXPECT_EQ(r.status, c.status) << r.err;
        const std::string said = test::replaceAll(test::replaceAll(c.said, "%d/", inFolder), "%d", folder);
        EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
        if (c.othersWritten) continue;
        for (const auto& [path, bytes] : before)
            if (path != input) {
                EXPECT_EQ(test::readFile(path), bytes) << path;
            }
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            EXPECT_EQ(entry.path().string().find("tervan-tmp"), std::string::npos) << entry.path();
    }
}

TEST(CliOptions, ParsesEveryOption) {
    CliOptions o;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"convert", "--ini", "a.ini", "--model", "kor", "--set", "Z.000=No", "--dxf-header",
                                  "h.txt", "--hvsd", "--seed", "42", "--bffb", "1.5,4,100,7", "--log-dir", "L",
                                  "--port", "/dev/ttyS0", "--known", "k.kor", "--set", "KnownPoints=x.txt", "-q",
                                  "in1", "in2"},
                                 o, error))
        << error;
    EXPECT_EQ(o.iniPath, "a.ini");
    EXPECT_EQ(*o.model, "kor");
    ASSERT_EQ(o.sets.size(), 2u);
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
    EXPECT_EQ(s.KnownPoints, "k.kor");  // --known goes after every --set
}

// Options stand before or after the command; --help and --version win over
// everything else but an unknown option.
TEST(CliOptions, CommandsAndOptionsInAnyOrder) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        Command command;
        std::string topic;
        std::vector<std::string> inputs;
        bool quiet;
    };
    const Case cases[] = {
        {{"-q", "convert", "a"}, true, Command::Convert, "", {"a"}, true},
        {{"--model", "kor", "convert", "a", "b"}, true, Command::Convert, "", {"a", "b"}, false},
        {{"convert", "a", "-q"}, true, Command::Convert, "", {"a"}, true},
        {{"--port", "/dev/x", "receive"}, true, Command::Receive, "", {}, false},
        {{"--help"}, true, Command::Help, "", {}, false},
        {{"-h", "-q"}, true, Command::Help, "", {}, true},
        {{"convert", "--help"}, true, Command::Help, "convert", {}, false},
        {{"help", "send"}, true, Command::Help, "send", {}, false},
        {{"help"}, true, Command::Help, "", {}, false},
        {{"--version"}, true, Command::Version, "", {}, false},
        {{"convert", "a", "--version"}, true, Command::Version, "", {}, false},
        {{"models"}, true, Command::Models, "", {}, false},
        {{"-q", "keys"}, true, Command::Keys, "", {}, true},
        {{"--", "convert", "-x"}, true, Command::Convert, "", {"-x"}, false},
        {{"--bogus", "convert", "a"}, false, Command::Convert, "", {}, false},
        {{"--help", "--bogus"}, false, Command::Convert, "", {}, false},
        {{"-q"}, false, Command::Convert, "", {}, false},
        {{"models", "x"}, false, Command::Convert, "", {}, false},
        {{"help", "a", "b"}, false, Command::Convert, "", {}, false},
        {{"--ini", "convert", "a"}, false, Command::Convert, "", {}, false},  // "a" is no command
    };
    for (const Case& c : cases) {
        CliOptions o;
        std::string error;
        std::string args;
        for (const auto& a : c.args) args += a + " ";
        ASSERT_EQ(parseCommandLine(c.args, o, error), c.ok) << args << error;
        if (!c.ok) {
            EXPECT_FALSE(error.empty()) << args;
            continue;
        }
        EXPECT_EQ(o.command, c.command) << args;
        EXPECT_EQ(o.helpTopic, c.topic) << args;
        EXPECT_EQ(o.inputs, c.inputs) << args;
        EXPECT_EQ(o.quiet, c.quiet) << args;
    }
}

// The lists name every row of the tables they come from.
TEST(CliOptions, ModelsAndKeysListEveryRow) {
    const std::string listedModels = modelsListing(), listedKeys = keysListing();
    for (const ModelEntry& m : models()) {
        EXPECT_NE(listedModels.find(std::string(m.name) + " "), std::string::npos) << m.name;
        EXPECT_STRNE(m.reads, "") << m.name;
    }
    for (const SettingKey& key : settingKeys()) {
        EXPECT_NE(listedKeys.find(key.key), std::string::npos) << key.key;
        EXPECT_STRNE(key.meaning, "") << key.key;
    }
    EXPECT_NE(listedKeys.find("KorHeader.Line2"), std::string::npos);
}

// The commands that only tell answer on standard output with status 0.
TEST(Cli, HelpVersionModelsAndKeys) {
    test::ScratchDir dir;
    const std::pair<const char*, const char*> cases[] = {
        {"--help", "usage: tervan-cli convert"},
        {"-h", "tervan-cli help [COMMAND]"},
        {"help convert", "options (before or after the command):"},
        {"--version", "tervan-cli " TERVAN_VERSION "\n"},
        {"models", "Zeiss3303"},
        {"keys", "LetterSize"},
#ifdef _WIN32
        {"/?", "usage: tervan-cli convert"},
#endif
    };
    for (const auto& [args, expected] : cases) {
        test::CliRun r = test::runCli(dir, args);
        EXPECT_EQ(r.status, 0) << args << r.err;
        EXPECT_NE(r.out.find(expected), std::string::npos) << args << r.out;
        EXPECT_EQ(r.err, "") << args;
    }
    const std::string rc = test::readFile(std::string(TERVAN_SOURCE_DIR) + "/win/tervan.rc");
    EXPECT_NE(rc.find("\"FileVersion\", \"" TERVAN_VERSION "\""), std::string::npos)
        << "the Windows resources carry another version";
}

TEST(Cli, KnownPointsComputeTheCoordinatesOrFailTheRun) {
    test::ScratchDir dir;
    std::string input = dir.file("polar.txt"), known = dir.file("known.txt");
    test::writeFile(input, "STS:S\nPPD:B\nRTH:0\nRTV:100\nRTD:10\nPPD:P\nRTH:100\nRTV:100\nRTD:5\n");
    test::writeFile(known, "S 1000 2000 100\nB 1010 2000 100\n");
    const std::string common = "convert --ini " + test::defaultsIni(dir) + " --model Pentax300Polar --set XyzFile=No --set "
                               "NyxzFile=No --set TrasFile=No --set 2DFile=No ";
    test::CliRun r = test::runCli(dir, common + "--set ComputeXYZ=Yes --known " + test::shellQuote(known) + " " +
                                           test::shellQuote(input));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readFile(dir.file("polar_nxyz.txt")),
              "     B   1010.000   2000.000    100.000\r\n     P   1000.000   2005.000    100.000\r\n");

    test::CliRun off = test::runCli(dir, common + "--known " + test::shellQuote(known) + " " + test::shellQuote(input));
    EXPECT_EQ(off.status, 0);
    EXPECT_NE(off.err.find("--known is used only with ComputeXYZ=Yes"), std::string::npos);
    EXPECT_EQ(test::readFile(dir.file("polar_nxyz.txt")), "");

    const std::string none = test::shellQuote(dir.file("none.txt"));
    test::CliRun missing =
        test::runCli(dir, common + "-q --set ComputeXYZ=Yes --known " + none + " " + test::shellQuote(input));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("cannot read the known points " + dir.file("none.txt") + ": No such file"),
              std::string::npos);
}

}  // namespace
}  // namespace tervan
