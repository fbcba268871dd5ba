// The window logic without a toolkit: a scripted front end stands in for
// the widgets and dialogs, and answers them as a user would.
#include "desk/desk.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "conversion/models.h"
#include "core/ini.h"
#include "serial_test_util.h"
#include "test_util.h"

namespace tervan {
namespace {

struct FakeFront final : desk::Front {
    std::string message;
    std::string status[4];
    std::string button = kStartSerial;
    // Scripted answers: the open-file dialog gets the initial name and
    // returns the choice; the others edit the form they are given.
    std::function<bool(std::string&)> chooseFile = [](std::string&) { return false; };
    std::function<bool(desk::SettingsForm&)> settings = [](desk::SettingsForm&) { return true; };
    std::function<bool(desk::Form&)> form = [](desk::Form&) { return true; };
    std::function<void(Sender&)> send = [](Sender&) {};
    std::vector<std::string> initialNames;  // of every open-file dialog
    std::vector<std::string> formsShown;    // names of the dialogs of fields
    std::deque<std::function<void()>> posted;

    void showMessage(const std::string& text) override { message = text; }
    void setStatus(int line, const std::string& text) override { status[line] = text; }
    void setSerialButton(const std::string& text) override { button = text; }
    bool chooseInputFile(std::string& path) override {
        initialNames.push_back(path);
        return chooseFile(path);
    }
    bool editSettings(desk::SettingsForm& f) override { return settings(f); }
    bool editForm(desk::Form& f) override {
        formsShown.push_back(f.name);
        return form(f);
    }
    void runSendDialog(Sender& sender) override { send(sender); }
    void post(std::function<void()> task) override { posted.push_back(std::move(task)); }

    // The window's loop: runs what was posted, in order.
    void runPosted() {
        while (!posted.empty()) {
            auto task = std::move(posted.front());
            posted.pop_front();
            task();
        }
    }
};

void setField(desk::Form& form, const std::string& key, const std::string& value) {
    for (desk::FormField& f : form.fields)
        if (f.key == key) f.value = value;
}

// A program folder with a settings file, a Leica file and a desk over them.
struct DeskRig {
    test::ScratchDir dir;
    std::string folder = dir.path().string() + "/";
    std::string input = folder + "job1.txt";
    Session session;
    FakeFront front;
    test::FakePort::Log port;
    std::string portFailure;  // why the port does not open; "" when it does
    std::unique_ptr<desk::Desk> desk;

    explicit DeskRig(const std::string& ini = "SaveSettings=Yes\n", bool withInput = false) {
        test::writeFile(folder + "Tervan.ini",
                        "[Model]\n" + ini + "Model=Leica1200\nNxyzFile=Yes\nStartWithFileOpen=No\nx1000=No\n");
        test::writeFile(input, test::readFile(std::string(TERVAN_EXAMPLES) + "/leica1200.txt"));
        desk::startSession(session, folder, withInput ? input : "");
        desk = std::make_unique<desk::Desk>(
            session, front,
            ReceiverOptions{.logFolder = "",
                            .openPort =
                                [this](const std::string&, std::string& reason) {
                                    reason = portFailure;
                                    return portFailure.empty() ? std::make_unique<test::FakePort>(port) : nullptr;
                                },
                            .clock = test::march5th2009});
        desk->start();
    }
    std::string ini() const { return test::readFile(folder + "Tervan.ini"); }
    std::string logPath() const { return folder + "Log/20090305070409.srd"; }
};

TEST(DeskStart, ConvertsTheInputOfTheCommandLineAndOpensFileOpenWhenAsked) {
    DeskRig plain;
    EXPECT_EQ(plain.front.message, "");
    EXPECT_EQ(plain.front.status[3], "");
    plain.desk->opened();
    EXPECT_TRUE(plain.front.initialNames.empty());

    DeskRig started("StartWithFileOpen=Yes\n", true);
    EXPECT_EQ(started.session.store.points.size(), 7u);
    EXPECT_EQ(started.front.message.rfind("<" + started.input + ">\r\n", 0), 0u);
    EXPECT_EQ(started.front.status[3], "7 lines read, 7 points, 0 lines ignored");
    started.desk->opened();
    EXPECT_EQ(started.front.initialNames, std::vector<std::string>{started.input});
}

TEST(DeskFileOpen, OkConvertsRefreshesAndSavesModelAndFlags) {
    DeskRig r;
    r.front.status[1] = "progress";
    r.front.status[2] = "a line";
    r.front.chooseFile = [&](std::string& path) {
        path = r.input;
        return true;
    };
    desk::SettingsForm shown;
    r.front.settings = [&](desk::SettingsForm& f) {
        shown = f;
        f.values.TrasFile = 1;
        f.values.LetterSize = "0.75";
        return true;
    };
    r.desk->fileOpen();
    EXPECT_EQ(r.front.initialNames, std::vector<std::string>{""});
    EXPECT_EQ(shown.fileName, r.input);
    EXPECT_EQ(shown.values.Model, "Leica1200");
    EXPECT_EQ(r.session.inputPath, r.input);
    EXPECT_EQ(r.session.settings.TrasFile, 1);
    EXPECT_TRUE(test::fileExists(r.folder + "job1_tras.dat"));
    EXPECT_EQ(r.front.message, r.desk->message());
    EXPECT_NE(r.front.message.find("P101"), std::string::npos);
    EXPECT_EQ(r.front.status[1], "");
    EXPECT_EQ(r.front.status[2], "");
    EXPECT_EQ(r.front.status[3], "7 lines read, 7 points, 0 lines ignored");
    // after the dialog: Model and the flags; the texts only at exit
    IniDocument saved = IniDocument::parse(r.ini());
    EXPECT_EQ(saved.get("Model", "TrasFile"), "Yes");
    EXPECT_EQ(saved.get("Model", "LetterSize"), "");
    r.desk->finish();
    EXPECT_EQ(IniDocument::parse(r.ini()).get("Model", "LetterSize"), "0.75");
    // the next File/Open starts at the file converted last
    r.desk->fileOpen();
    EXPECT_EQ(r.front.initialNames.back(), r.input);
}

TEST(DeskFileOpen, CancelAnywhereChangesNothing) {
    struct Case {
        const char* name;
        bool chooseFile;
    };
    for (const Case c : {Case{"open-file dialog", false}, Case{"Settings dialog", true}}) {
        DeskRig r("SaveSettings=Yes\n", true);
        const std::string message = r.front.message, iniBefore = r.ini();
        const Settings before = r.session.settings;
        r.front.chooseFile = [&](std::string& path) {
            path = r.folder + "other.txt";
            return c.chooseFile;
        };
        r.front.settings = [](desk::SettingsForm& f) {
            f.values.Model = "kor";
            f.values.NxyzFile = 0;
            return false;
        };
        std::filesystem::remove(r.folder + "job1_nxyz.txt");
        r.desk->fileOpen();
        EXPECT_EQ(r.session.settings.Model, before.Model) << c.name;
        EXPECT_EQ(r.session.settings.NxyzFile, before.NxyzFile) << c.name;
        EXPECT_EQ(r.session.inputPath, r.input) << c.name;
        EXPECT_EQ(r.front.message, message) << c.name;
        EXPECT_EQ(r.ini(), iniBefore) << c.name;
        EXPECT_FALSE(test::fileExists(r.folder + "job1_nxyz.txt")) << c.name;
    }
}

TEST(DeskSaves, OnlyWithSaveSettings) {
    DeskRig r("SaveSettings=No\n");
    const std::string before = r.ini();
    r.front.chooseFile = [&](std::string& path) {
        path = r.input;
        return true;
    };
    r.desk->fileOpen();
    r.session.settings.LetterSize = "0.75";
    r.desk->finish();
    EXPECT_EQ(r.ini(), before);
}

TEST(DeskClose, CloseClearsTheStore) {
    DeskRig r("", true);
    ASSERT_FALSE(r.session.store.points.empty());
    r.desk->close();
    EXPECT_TRUE(r.session.store.points.empty());
}

TEST(DeskHvsd, TheDialogsTextsRunOrCancelChangesNothing) {
    DeskRig r("", true);
    desk::Form shown;
    r.front.form = [&](desk::Form& f) {
        shown = f;
        setField(f, "dSD", "3");
        return false;
    };
    r.desk->calcHvsd();
    EXPECT_EQ(shown.value("dSD"), "2");
    EXPECT_EQ(shown.value("dH"), "50");
    EXPECT_EQ(r.session.settings.dSD, "2");
    EXPECT_EQ(r.front.status[3], "7 lines read, 7 points, 0 lines ignored");

    r.front.form = [&](desk::Form& f) {
        setField(f, "dSD", "3");
        setField(f, "dV", "7.5");
        return true;
    };
    r.desk->calcHvsd();
    EXPECT_EQ(r.session.settings.dSD, "3");
    EXPECT_EQ(r.session.settings.dV, "7.5");
    EXPECT_EQ(r.session.errors.SD, 3);
    // the Leica example names no station: nothing is computed, and it says so
    EXPECT_EQ(r.front.status[3], "H, V, SD: no record has a station with coordinates; nothing computed");
}

TEST(DeskBffb, TheLineAsksItsValuesEveryTimeFromTheDefaults) {
    DeskRig r;
    const std::string line = r.folder + "line.dat";
    test::writeFile(line, test::readFile(test::dataPath("levelling/bffb-seeded/input.dat")));
    r.session.settings.Model = "Dini BF";
    r.front.chooseFile = [&](std::string& path) {
        path = line;
        return true;
    };
    std::vector<std::string> readings;
    r.front.form = [&](desk::Form& f) {
        readings.push_back(f.value("reading"));
        setField(f, "first", "100");
        setField(f, "reading", "9");
        return true;
    };
    r.desk->fileOpen();
    r.desk->fileOpen();
    EXPECT_EQ(r.front.formsShown, (std::vector<std::string>{"bffbDialog", "bffbDialog"}));
    EXPECT_EQ(readings, (std::vector<std::string>{"2.0", "2.0"}));
    EXPECT_EQ(test::readFile(r.folder + "line_.dat").substr(0, 8), "    100 ");

    const std::string rows = r.front.message;
    r.front.form = [](desk::Form&) { return false; };
    r.desk->fileOpen();
    EXPECT_EQ(r.front.message, rows);
    EXPECT_EQ(r.front.status[3], "Calc BFFB line cancelled: nothing written");

    // a first row number the line would carry past 9999999 is refused
    const std::string written = test::readFile(r.folder + "line_.dat");
    r.front.form = [](desk::Form& f) {
        setField(f, "first", "9999990");
        return true;
    };
    r.desk->fileOpen();
    EXPECT_EQ(r.front.status[3], "Numeration 1: 9999990 is too large; the line has 17 rows, row numbers go up to "
                                 "9999999, so the first can be at most 9999983; nothing written");
    EXPECT_EQ(r.front.message, r.front.status[3]);
    EXPECT_EQ(test::readFile(r.folder + "line_.dat"), written);
}

TEST(DeskFileOpen, AnInputThatCannotBeReadIsShownAsTheReason) {
    DeskRig r("", true);
    const std::string before = test::readFile(r.folder + "job1_nxyz.txt");
    ASSERT_FALSE(before.empty());
    std::filesystem::remove(r.input);
    r.front.chooseFile = [&](std::string& path) {
        path = r.input;
        return true;
    };
    r.desk->fileOpen();
    const std::string reason = "cannot read " + r.input + ": No such file or directory";
    EXPECT_EQ(r.front.message, reason);
    EXPECT_EQ(r.front.status[3], reason);
    EXPECT_EQ(test::readFile(r.folder + "job1_nxyz.txt"), before);
}

TEST(DeskForms, WhatEachDialogOffers) {
    Settings s;
    s.ComName = "COM12";
    s.Baud = "2400";
    desk::Form com = desk::comPropertiesForm(s);
    EXPECT_EQ(com.caption, "COM Properties");
    std::vector<std::string> keys, labels;
    for (const auto& f : com.fields) {
        keys.push_back(f.key);
        labels.push_back(f.label);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"Baud", "DataBits", "Parity", "StopBits", "FlowControl", "ComName",
                                              "Direction"}));
    EXPECT_EQ(labels, (std::vector<std::string>{"Beets per second:", "Data bits:", "Parity:", "Stop bits:",
                                                "Flow control:", "COM name:", ""}));
    EXPECT_EQ(com.value("ComName"), "COM12");
    EXPECT_EQ(com.value("Baud"), "2400");
    EXPECT_EQ(com.value("Direction"), desk::kReceiveDirection);
    EXPECT_EQ(com.fields[4].presets, (std::vector<std::string>{"Hardware", "None", "Xon / Xoff"}));
    EXPECT_EQ(com.fields[4].hint, "xon/xoff");

    desk::Form hvsd = desk::hvsdForm(s);
    EXPECT_EQ(hvsd.fields[0].label, "±dSD x 0.0001 m x ");
    EXPECT_TRUE(hvsd.fields[0].presets.empty());
    EXPECT_EQ(hvsd.fields[1].presets.size(), 13u);
    EXPECT_EQ(hvsd.fields[2].presets.back(), "921600");

    desk::Form bffb = desk::bffbForm();
    EXPECT_FALSE(bffb.cancelEnabled);
    EXPECT_EQ(desk::bffbParams(bffb).distance, "5.0");

    std::vector<std::string> names;
    for (const ModelEntry& m : models()) names.push_back(m.name);
    EXPECT_EQ(desk::modelNames(), names);
    int checks = 0;
    for (const auto& c : desk::settingsControls()) checks += c.kind == desk::ControlKind::Check;
    EXPECT_EQ(desk::settingsControls().size(), 25u);
    EXPECT_EQ(checks, 17);
}

TEST(DeskForms, ComPropertiesOkTakesTheTextsThatAreNotEmpty) {
    Settings s;
    s.ComName = "COM3";
    desk::Form com = desk::comPropertiesForm(s);
    setField(com, "ComName", "");
    setField(com, "Baud", "460800");
    setField(com, "Parity", "Odd");
    EXPECT_EQ(desk::applyComProperties(com, s), Direction::Receive);
    EXPECT_EQ(s.ComName, "COM3");
    EXPECT_EQ(s.Baud, "460800");
    EXPECT_EQ(s.Parity, "Odd");
    setField(com, "Direction", desk::kSendDirection);
    EXPECT_EQ(desk::applyComProperties(com, s), Direction::Send);
    setField(com, "Direction", "2 PC to Station");
    EXPECT_EQ(desk::applyComProperties(com, s), Direction::Receive);
}

TEST(DeskSerial, CancelInComPropertiesLeavesTheLinkIdle) {
    DeskRig r;
    r.front.form = [](desk::Form& f) {
        setField(f, "Baud", "110");
        return false;
    };
    r.desk->serialButton();
    EXPECT_EQ(r.front.formsShown, std::vector<std::string>{"comPropertiesDialog"});
    EXPECT_EQ(r.session.settings.Baud, "9600");
    EXPECT_FALSE(r.desk->receiver().running());
    EXPECT_TRUE(r.port.configured.empty());
}

TEST(DeskSerial, APortThatDoesNotOpenSaysWhyInBothDirections) {
    for (const char* direction : {desk::kReceiveDirection, desk::kSendDirection}) {
        SCOPED_TRACE(direction);
        DeskRig r("", true);
        r.portFailure = "it is busy: another program holds it";
        r.front.form = [&](desk::Form& f) {
            setField(f, "ComName", "/dev/ttyUSB0");
            setField(f, "Direction", direction);
            return true;
        };
        const std::string table = r.front.message;
        r.desk->serialButton();
        const std::string reason = "cannot open the port /dev/ttyUSB0: it is busy: another program holds it";
        EXPECT_EQ(r.front.status[3], reason);
        EXPECT_EQ(r.front.message, table + "\r\n" + reason);
        EXPECT_FALSE(r.desk->receiver().running());
        EXPECT_EQ(r.front.button, kStartSerial);
    }
}

TEST(DeskSerial, ReceivesUnderTheTimerAndOpensTheLog) {
    DeskRig r;
    r.port.chunks = {"12", "", "3\r\nEND\r\n", ""};
    r.desk->serialButton();
    EXPECT_EQ(r.front.button, kStopSerial);
    r.desk->tick();
    EXPECT_EQ(r.front.status[2], "12");
    EXPECT_EQ(r.front.message, "12");
    EXPECT_EQ(r.front.status[1], "- No data comming ------------------------------------------------------------*");
    r.desk->tick();
    r.desk->tick();
    ASSERT_EQ(r.front.posted.size(), 1u);
    EXPECT_EQ(r.session.inputPath, r.logPath());
    r.front.chooseFile = [](std::string&) { return false; };
    r.front.runPosted();
    EXPECT_EQ(r.front.initialNames, std::vector<std::string>{r.logPath()});
    r.desk->tick();
    r.desk->tick();
    EXPECT_FALSE(r.desk->receiver().running());
    EXPECT_EQ(r.front.button, kStartSerial);
    EXPECT_EQ(r.front.status[1], ".");
    EXPECT_EQ(test::readFile(r.logPath()), "123\r\nEND\r\n");
}

TEST(DeskSerial, EndLinesWhileFileOpenIsPendingOpenNoSecondOne) {
    DeskRig r;
    // Two END lines in one read: the window's loop runs the File/Open of
    // the first only after the tick.
    r.port.chunks = {"A\r\nEND\r\nB\r\nEND\r\n", ""};
    r.desk->serialButton();
    r.desk->tick();
    r.desk->tick();
    EXPECT_FALSE(r.desk->receiver().running());
    EXPECT_EQ(r.front.posted.size(), 1u);
    r.front.runPosted();
    EXPECT_EQ(r.front.initialNames, std::vector<std::string>{r.logPath()});
    EXPECT_EQ(test::readFile(r.logPath()), "A\r\nEND\r\nB\r\nEND\r\n");

    // Once that File/Open is over, the next transmission opens its own.
    r.port.chunks = {"D\r\nEND\r\n", ""};
    r.desk->serialButton();
    r.desk->tick();
    EXPECT_EQ(r.front.posted.size(), 1u);
}

TEST(DeskSerial, SendDirectionRunsTheSendDialogAndEndsWithTheEndMark) {
    DeskRig r("", true);
    r.front.form = [](desk::Form& f) {
        setField(f, "Direction", desk::kSendDirection);
        return true;
    };
    std::string shown;
    r.front.send = [&](Sender& sender) {
        shown = sender.text();
        sender.send();
    };
    r.desk->serialButton();
    EXPECT_EQ(shown, pointDisplay(r.session.store.points[0]));
    EXPECT_EQ(r.port.written, sendRecord(r.session.store.points[0]) + "END\r");
    EXPECT_TRUE(r.port.closed);
    EXPECT_FALSE(r.desk->receiver().running());
}

}  // namespace
}  // namespace tervan
