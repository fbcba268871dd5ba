// tervan-cli receive and send against a pseudo-terminal whose other side
// plays the instrument.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "conversion/driver.h"
#include "core/files.h"
#include "serial/sender.h"
#include "serial_test_util.h"
#include "cli_runner.h"
#include "test_util.h"

namespace tervan {
namespace {

const char* kIni = "[Model]\r\nModel=Leica1200\r\nNxyzFile=Yes\r\nTrasFile=Yes\r\nx1000=No\r\n";

// Lines ended by CR LF, as the instrument sends them.
std::string exampleLines() { return test::readFile(std::string(TERVAN_SOURCE_DIR) + "/examples/leica1200.txt"); }

TEST(CliSerial, ReceiveLogsAndConvertsATransmission) {
    test::ScratchDir dir;
    test::writeFile(dir.file("Tervan.ini"), kIni);
    test::Pty pty;
    std::string sent = exampleLines() + "END\r\n";
    pty.send(sent);  // waits in the terminal until the program reads it
    test::CliRun r = test::runCli(dir, "receive --ini " + test::shellQuote(dir.file("Tervan.ini")) + " --port " +
                                           pty.name() + " --log-dir " + test::shellQuote(dir.file("Log")));
    ASSERT_EQ(r.status, 0) << r.err;

    std::vector<std::filesystem::path> logs;
    for (const auto& entry : std::filesystem::directory_iterator(dir.file("Log")))
        if (entry.path().extension() == ".srd") logs.push_back(entry.path());
    ASSERT_EQ(logs.size(), 1u);
    std::string log = logs[0].string();
    EXPECT_EQ(logs[0].stem().string().size(), 14u);  // YYYYMMDDhhmmss
    EXPECT_EQ(test::readFile(log), sent);
    EXPECT_EQ(r.out.substr(0, log.size() + 2), "<" + log + ">");

    // The outputs are those of converting the log file.
    test::writeFile(dir.file("same.srd"), sent);
    test::CliRun c = test::runCli(dir, "convert -q --ini " + test::shellQuote(dir.file("Tervan.ini")) + " " +
                                           test::shellQuote(dir.file("same.srd")));
    ASSERT_EQ(c.status, 0) << c.err;
    std::string base = outputBaseName(log);
    for (const char* suffix : {"_nxyz.txt", "_tras.dat"}) {
        EXPECT_FALSE(test::readFile(base + suffix).empty()) << suffix;
        EXPECT_EQ(test::readFile(base + suffix), test::readFile(dir.file(std::string("same") + suffix))) << suffix;
    }
}

TEST(CliSerial, ReceiveFailures) {
    test::ScratchDir dir;
    test::writeFile(dir.file("Tervan.ini"), kIni);
    test::CliRun missing = test::runCli(dir, "receive --ini " + test::shellQuote(dir.file("Tervan.ini")) + " --port " +
                                                 test::shellQuote(dir.file("ttyNONE")));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "tervan-cli: cannot open the port " + dir.file("ttyNONE") + ": there is no such port\n");

    // A log folder that cannot be written: the log goes to the user's data
    // folder, and the run says where.
    test::writeFile(dir.file("notafolder"), "");
    test::Pty pty;
    pty.send("A,1,2,3\r\nEND\r\n");
#ifdef _WIN32
    const char* dataFolder = "LOCALAPPDATA";
    const std::string saved = environment(dataFolder);
    _putenv_s(dataFolder, dir.file("data").c_str());
#else
    const char* dataFolder = "XDG_DATA_HOME";
    ::setenv(dataFolder, dir.file("data").c_str(), 1);
#endif
    test::CliRun unwritable = test::runCli(dir, "receive --ini " + test::shellQuote(dir.file("Tervan.ini")) +
                                                    " --port " + pty.name() + " --log-dir " +
                                                    test::shellQuote(dir.file("notafolder/Log")));
#ifdef _WIN32
    _putenv_s(dataFolder, saved.c_str());
#else
    ::unsetenv(dataFolder);
#endif
    EXPECT_NE(unwritable.err.find("cannot write the receive log " + dir.file("notafolder/Log")), std::string::npos);
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    const std::string folder = dir.file("data") + separator + "tervan" + separator;
    const std::string kept = "the receive log is kept in " + folder;
    ASSERT_NE(unwritable.err.find(kept), std::string::npos) << unwritable.err;
    const std::size_t at = unwritable.err.find(kept) + kept.size();
    const std::string log = folder + unwritable.err.substr(at, unwritable.err.find(' ', at) - at);
    EXPECT_EQ(test::readFile(log), "A,1,2,3\r\nEND\r\n");
}

TEST(CliSerial, SendConvertsAndSendsEveryPointThenTheEndMark) {
    test::ScratchDir dir;
    test::writeFile(dir.file("Tervan.ini"), kIni);
    std::string input = dir.file("job.txt");
    test::writeFile(input, exampleLines());

    test::Pty pty;
    std::atomic<bool> done = false;
    std::string arrived;
    std::thread instrument([&] {
        while (!done) arrived += pty.receive(std::chrono::milliseconds(50));
        arrived += pty.receive(std::chrono::milliseconds(50));
    });
    test::CliRun r = test::runCli(dir, "send -q --ini " + test::shellQuote(dir.file("Tervan.ini")) + " --port " +
                                           pty.name() + " " + test::shellQuote(input));
    done = true;
    instrument.join();
    ASSERT_EQ(r.status, 0) << r.err;

    Session session = test::quietSession();
    session.settings.Model = "Leica1200";
    test::writeFile(dir.file("copy.txt"), exampleLines());
    test::convertFile(session, dir.file("copy.txt"));
    std::string expected;
    int points = 0;
    for (const Point& p : session.store.points)
        if (!isZeroPoint(p)) {
            expected += sendRecord(p);
            ++points;
        }
    ASSERT_GT(points, 3);
    EXPECT_EQ(arrived, expected + "END\r");
    EXPECT_TRUE(test::fileExists(dir.file("job_nxyz.txt")));  // converted like convert

    test::CliRun missing = test::runCli(dir, "send -q --ini " + test::shellQuote(dir.file("Tervan.ini")) +
                                                 " --port " + test::shellQuote(dir.file("ttyNONE")) + " " +
                                                 test::shellQuote(input));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "tervan-cli: cannot open the port " + dir.file("ttyNONE") + ": there is no such port\n");
}

}  // namespace
}  // namespace tervan
