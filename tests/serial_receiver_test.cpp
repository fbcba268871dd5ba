// The receiver tick by tick with a scripted port and clock, and whole
// transfers over a pseudo-terminal.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "serial/receiver.h"
#include "serial_test_util.h"
#include "test_util.h"

namespace tervan {
namespace {

const std::string kBar = std::string(kNoDataComing);

// A receiver with a scripted port and a clock that always says
// 5 March 2009, 07:04:09.
struct Rig {
    test::ScratchDir dir;
    Settings settings;
    std::string message;
    test::FakeView view;
    test::FakePort::Log port;
    int opens = 0;
    bool portMissing = false;
    std::string logFolder = dir.file("Log") + "/";
    Receiver receiver{settings, message, view,
                      {.logFolder = logFolder,
                       .openPort =
                           [this](const std::string&, std::string& reason) {
                               ++opens;
                               if (portMissing) reason = "there is no such port";
                               return portMissing ? nullptr : std::make_unique<test::FakePort>(port);
                           },
                       .clock = test::march5th2009}};

    Rig() { view.message = &message; }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) receiver.tick();
    }
    // Starts a transfer whose ticks read the given chunks, one tick each.
    void start(std::initializer_list<std::string> perTick) {
        for (const std::string& chunk : perTick) {
            if (!chunk.empty()) port.chunks.push_back(chunk);
            port.chunks.push_back("");
        }
        receiver.buttonPressed();
    }
    std::string logPath() const { return logFolder + "20090305070409.srd"; }
};

TEST(Receiver, CancelOrAMissingPortLeavesTheLinkIdle) {
    Rig r;
    r.view.comOk = false;
    r.receiver.buttonPressed();
    r.receiver.buttonPressed();
    EXPECT_EQ(r.view.comAsked, 2);
    EXPECT_EQ(r.opens, 0);

    r.view.comOk = true;
    r.portMissing = true;
    r.message = "the last table";
    r.receiver.buttonPressed();
    EXPECT_EQ(r.opens, 1);
    r.ticks(3);
    EXPECT_FALSE(r.receiver.running());
    EXPECT_EQ(r.view.button, kStartSerial);
    EXPECT_TRUE(r.view.status1History.empty());
    // the window is told why; the text shown before stays
    const std::string reason = "cannot open the port COM1: there is no such port";
    EXPECT_EQ(r.receiver.portError(), reason);
    EXPECT_EQ(r.view.failure, reason);
    EXPECT_EQ(r.message, "the last table");

    r.view.direction = Direction::Send;
    r.receiver.buttonPressed();
    EXPECT_EQ(r.view.sends, 1);
    EXPECT_EQ(r.opens, 1);
}

TEST(Receiver, CountsDownWithTheSpinnerAndEndsAfter240QuietTicks) {
    Rig r;
    r.message = "the last table";
    r.view.status2 = "old";
    r.receiver.buttonPressed();
    EXPECT_EQ(r.view.button, kStopSerial);
    EXPECT_EQ(r.view.shownMessage, "");
    EXPECT_EQ(r.view.status2, "");
    ASSERT_EQ(r.port.configured.size(), 1u);

    r.ticks(1);
    EXPECT_EQ(r.view.status1, "- No data comming ------------------------------------------------------------*");
    EXPECT_EQ(r.view.status1.size(), 79u);
    struct Step {
        int countdown;
        std::size_t hyphens;
        char spinner;
    } steps[] = {{238, 59, '|'}, {237, 59, '\\'}, {236, 59, '-'}, {235, 58, '/'}, {234, 58, '|'}};
    for (const Step& s : steps) {
        r.ticks(1);
        EXPECT_EQ(r.receiver.countdown(), s.countdown);
        EXPECT_EQ(r.view.status1, kBar + std::string(s.hyphens, '-') + s.spinner);
    }
    r.ticks(234);
    EXPECT_TRUE(r.receiver.running());
    EXPECT_EQ(r.view.status1, "- No data comming --");
    EXPECT_FALSE(r.port.closed);
    r.ticks(1);  // the 241st finds the countdown at 0
    EXPECT_FALSE(r.receiver.running());
    EXPECT_EQ(r.view.button, kStartSerial);
    EXPECT_EQ(r.view.status1, ".");
    EXPECT_EQ(r.view.status2, "");
    EXPECT_TRUE(r.port.closed);
    EXPECT_FALSE(std::filesystem::exists(r.logFolder));  // nothing came, nothing to keep
    std::size_t shown = r.view.status1History.size();
    r.ticks(5);
    EXPECT_EQ(r.view.status1History.size(), shown);
}

TEST(Receiver, AWholeTransmissionIsLoggedAndOpened) {
    Rig r;
    std::string lineAtOpen;
    r.view.duringFileOpen = [&] { lineAtOpen = r.view.status2; };
    r.start({"12", "3\r\n456\r", "\nEND\r\n"});
    r.ticks(1);
    EXPECT_EQ(r.view.status2, "12");
    EXPECT_EQ(r.view.shownMessage, "12");
    r.ticks(1);
    EXPECT_EQ(r.view.status2, "456");
    EXPECT_EQ(r.view.shownMessage, "123\r\n456\r\n");
    EXPECT_TRUE(r.view.fileOpens.empty());
    r.ticks(1);
    ASSERT_EQ(r.view.fileOpens, std::vector<std::string>{r.logPath()});
    EXPECT_EQ(lineAtOpen, "END");
    // The folder Log did not exist; it was made.
    EXPECT_EQ(test::readFile(r.logPath()), "123\r\n456\r\nEND\r\n");
    EXPECT_EQ(r.message, "123\n456\nEND\n");
    EXPECT_EQ(r.receiver.countdown(), 0);  // set to 1 after File/Open, then counted down
    EXPECT_TRUE(r.receiver.running());
    r.ticks(1);
    EXPECT_FALSE(r.receiver.running());
    EXPECT_EQ(r.view.fileOpens.size(), 1u);
}

TEST(Receiver, OnlyALineBeginningWithEndEndsTheTransmission) {
    struct Case {
        const char* text;
        bool ends;
    } cases[] = {
        {"XEND\r\n", false}, {"ENDING\r\n", true}, {" END\r\n", false},
        {"EN\r\nD\r\n", false}, {"END", false},   {"END\n", false},
        {"end\r\n", false},  {"END\r", true},
    };
    for (const Case& c : cases) {
        Rig r;
        r.start({c.text});
        r.ticks(1);
        EXPECT_EQ(r.view.fileOpens.size(), c.ends ? 1u : 0u) << c.text;
    }
}

TEST(Receiver, StopWaitsUntilTheDataStops) {
    Rig r;
    r.start({"abc", "def", "ghi\r\n"});
    r.ticks(1);
    r.receiver.buttonPressed();  // "&Stop Serial"
    EXPECT_EQ(r.view.comAsked, 1);
    EXPECT_EQ(r.receiver.countdown(), 1);
    r.ticks(2);  // data keeps coming: the countdown starts again
    EXPECT_TRUE(r.receiver.running());
    EXPECT_EQ(r.receiver.countdown(), 239);
    r.receiver.buttonPressed();
    r.ticks(1);  // quiet now
    EXPECT_TRUE(r.receiver.running());
    r.ticks(1);
    EXPECT_FALSE(r.receiver.running());
    // No END came: the text is kept in a log file, but not opened.
    EXPECT_TRUE(r.view.fileOpens.empty());
    EXPECT_EQ(test::readFile(r.logPath()), "abcdefghi\r\n");
    EXPECT_NE(r.view.shownMessage.find("abcdefghi\r\n"), std::string::npos);
    EXPECT_NE(r.view.shownMessage.find("no END line came; the received text is kept in " + r.logPath()),
              std::string::npos);
}

TEST(Receiver, TimeOutWithDataKeepsTheLog) {
    Rig r;
    r.start({"P1,1,2\r\n"});
    r.ticks(240);
    EXPECT_TRUE(r.receiver.running());
    r.ticks(1);
    EXPECT_FALSE(r.receiver.running());
    EXPECT_EQ(test::readFile(r.logPath()), "P1,1,2\r\n");
    EXPECT_TRUE(r.view.fileOpens.empty());
}

TEST(Receiver, ManyEndLinesWithinOneSecondGoToOneLogInLinearTime) {
    // Each END line writes the log and opens it; a transmission of nothing
    // but END lines must neither rewrite the whole log nor search the whole
    // text again for each of them.
    Rig r;
    std::string sent;
    for (int i = 0; i < 100000; ++i) sent += "END " + std::to_string(i) + "\r\n";
    r.start({sent});
    r.ticks(3);
    EXPECT_FALSE(r.receiver.running());
    EXPECT_EQ(r.view.fileOpens.size(), 100000u);
    EXPECT_EQ(test::readFile(r.logPath()), sent);
    EXPECT_EQ(r.message.find('\r'), std::string::npos);
    EXPECT_EQ(r.message.size(), sent.size() - 100000);
}

TEST(Receiver, LogNamesArePaddedToTwoDigits) {
    EXPECT_EQ(receiveLogPath("Log/", test::march5th2009()), "Log/20090305070409.srd");
    std::tm t{};
    t.tm_year = 2024 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 31;
    t.tm_hour = 23;
    t.tm_min = 59;
    t.tm_sec = 58;
    EXPECT_EQ(receiveLogPath("C:\\Tervan\\Log\\", t), "C:\\Tervan\\Log\\20241231235958.srd");
}

TEST(Receiver, ALogThatCannotBeWrittenIsReported) {
    Rig r;
    test::writeFile(r.dir.file("Log"), "a file where the folder should be");
    r.start({"A\r\nEND\r\n"});
    r.ticks(1);
    EXPECT_TRUE(r.view.fileOpens.empty());
    EXPECT_NE(r.receiver.logError().find("cannot write the receive log " + r.logPath()), std::string::npos);
    EXPECT_NE(r.view.shownMessage.find("cannot write the receive log"), std::string::npos);
    r.ticks(2);
    EXPECT_FALSE(r.receiver.running());
    EXPECT_FALSE(r.receiver.logError().empty());
}

TEST(Receiver, ATransferThatEndedDuringFileOpenLeavesNoStaleCountdown) {
    Rig r;
    r.view.duringFileOpen = [&] { r.ticks(260); };  // the dialogs stay open for a long time
    r.start({"123\r\nEND\r\nXY"});
    r.ticks(1);
    ASSERT_EQ(r.view.fileOpens.size(), 1u);
    EXPECT_FALSE(r.receiver.running());
    EXPECT_EQ(r.receiver.countdown(), 0);
    EXPECT_EQ(r.view.button, kStartSerial);
    // What came after END in the same read was handled by the ticks during
    // File/Open, and is kept too.
    EXPECT_EQ(test::readFile(r.logPath()), "123\r\nEND\r\nXY");
    r.ticks(3);
    r.receiver.buttonPressed();  // starts a new transfer, is no stop request
    EXPECT_EQ(r.view.comAsked, 2);
    EXPECT_TRUE(r.receiver.running());
    EXPECT_EQ(r.receiver.countdown(), Receiver::kCountdown);
}

// A receiver on the system's port: a pseudo-terminal whose other side
// plays the instrument.
struct PtyRig {
    test::ScratchDir dir;
    test::Pty pty;
    Settings settings{.ComName = pty.name()};
    std::string message;
    test::FakeView view;
    std::string folder = dir.file("Log") + "/";
    Receiver receiver{settings, message, view, {.logFolder = folder, .openPort = {}, .clock = test::march5th2009}};

    PtyRig() { view.message = &message; }
    std::string log() const { return test::readFile(folder + "20090305070409.srd"); }
};

TEST(Receiver, ReceivesOverAPseudoTerminal) {
    struct Case {
        const char* sent;
        std::size_t opens;
        const char* logged;
    } cases[] = {
        {"123\r\n456\r\nEND\r\n", 1, "123\r\n456\r\nEND\r\n"},
        {"XEND\r\nENDING\r\n", 1, "XEND\r\nENDING\r\n"},
    };
    for (const Case& c : cases) {
        PtyRig r;
        r.pty.send(c.sent);
        r.receiver.buttonPressed();
        ASSERT_TRUE(r.receiver.running());
        for (int i = 0; i < 4 && r.receiver.running(); ++i) r.receiver.tick();
        EXPECT_FALSE(r.receiver.running());
        EXPECT_EQ(r.view.fileOpens.size(), c.opens);
        EXPECT_EQ(r.log(), c.logged);
    }
}

#ifndef _WIN32
// Over a pseudo-terminal, whose far end can also go away as a device does.
// What arrived, as the receive log keeps it: each carriage return a line
// end, line feeds dropped, every other byte as it came.
std::string logged(const std::string& sent) {
    std::string log;
    for (char c : sent) {
        if (c == '\r')
            log += "\r\n";
        else if (c != '\n')
            log += c;
    }
    return log;
}

TEST(Receiver, SurvivesWhatTheInstrumentSideDoesOverAPseudoTerminal) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + i / 7) % 256);
    const std::string megabyteLine(1 << 20, 'x');
    enum class Then { Nothing, Stop, Close };
    struct Case {
        const char* name;
        std::string sent;
        Then then;  // after the bytes arrived
        bool opened;
        const char* report;  // the end of the message text
    } cases[] = {
        {"garbage, NUL bytes and END", garbage + std::string("\0\0P1\r\n\0END\r\nEND\r\n", 17), Then::Nothing, true,
         "END\n"},
        {"a line of a megabyte without a line end", megabyteLine + "\rEND\r\n", Then::Nothing, true, "END\n"},
        {"stops in the middle of a line", "123\r\nP1,1,2", Then::Stop, false, "no END line came"},
        {"closes its end in the middle of a line", "123\r\nP1,1,", Then::Close, false, "no END line came"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PtyRig r;
        r.receiver.buttonPressed();
        ASSERT_TRUE(r.receiver.running());
        // The instrument writes as fast as the line takes it; the ticks go
        // on until one that began after the last byte was sent.
        std::atomic<bool> sent = false;
        std::thread instrument([&] {
            r.pty.send(c.sent);
            sent = true;
        });
        for (bool last = false; !last && r.receiver.running() && r.view.fileOpens.empty();) {
            last = sent;
            r.receiver.tick();
        }
        instrument.join();
        if (c.then == Then::Stop) r.receiver.buttonPressed();
        if (c.then == Then::Close) r.pty.closeInstrument();
        for (int i = 0; i < 4 && r.receiver.running(); ++i) r.receiver.tick();
        EXPECT_FALSE(r.receiver.running());
        EXPECT_EQ(r.view.fileOpens.size(), c.opened ? 1u : 0u);
        EXPECT_EQ(r.log(), logged(c.sent));
        EXPECT_LE(r.view.status2.size(), Receiver::kShownLine);
        const std::string& shown = c.opened ? r.message : r.view.shownMessage;
        const std::string tail = shown.substr(shown.size() - std::min<std::size_t>(shown.size(), 200));
        EXPECT_NE(tail.find(c.report), std::string::npos) << tail;
        if (c.then == Then::Close) {
            const std::string failure = "the port " + r.pty.name() + " stopped working: the line was hung up";
            EXPECT_EQ(r.receiver.portError(), failure);
            EXPECT_EQ(r.view.failure, failure);
        }
    }
}
#endif

}  // namespace
}  // namespace tervan
