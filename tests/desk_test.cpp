// The window logic without a toolkit: a scripted front end stands in for
// the widgets and dialogs, and answers them as a user would.
#include "desk/desk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <functional>
#include <set>

#include "conversion/models.h"
#include "conversion/observation_table.h"
#include "core/ini.h"
#include "core/output_file.h"
#include "serial_test_util.h"
#include "test_util.h"

namespace tervan {
namespace {

struct FakeFront final : desk::Front {
    std::string message;
    const desk::Table* table = nullptr;  // the grid shown, nullptr while text is
    std::string status[4];
    desk::Report report;
    std::string title;
    std::vector<desk::Notice> indicators;
    std::vector<std::string> foldersOpened;
    std::string button = kStartSerial;
    // Scripted answers: the open-file dialog gets the initial name and
    // returns the choice; the others edit the form they are given.
    std::function<bool(std::string&)> chooseFile = [](std::string&) { return false; };
    std::function<bool(std::string&)> chooseSave = [](std::string&) { return false; };
    std::function<bool(desk::SettingsForm&)> settings = [](desk::SettingsForm&) { return true; };
    std::function<bool(desk::Form&)> form = [](desk::Form&) { return true; };
    std::function<void(Sender&)> send = [](Sender&) {};
    std::vector<std::string> initialNames;  // of every open-file dialog
    std::vector<std::string> formsShown;    // names of the dialogs of fields
    std::deque<std::function<void()>> posted;
    int plansShown = 0;
    std::vector<std::size_t> selections;

    void showMessage(const std::string& text) override {
        message = text;
        table = nullptr;
    }
    void showTable(const desk::Table& t) override { table = &t; }
    void setStatus(int line, const std::string& text) override { status[line] = text; }
    void showReport(const desk::Report& r) override {
        report = r;
        status[3] = r.status.text;
    }
    void setTitle(const std::string& text) override { title = text; }
    void setIndicators(const std::vector<desk::Notice>& on) override { indicators = on; }
    bool fileManager = true;  // whether the system shows a folder
    bool openFolder(const std::string& folder) override {
        foldersOpened.push_back(folder);
        return fileManager;
    }
    void setSerialButton(const std::string& text) override { button = text; }
    bool chooseInputFile(std::string& path) override {
        initialNames.push_back(path);
        return chooseFile(path);
    }
    bool chooseSaveFile(std::string& path) override { return chooseSave(path); }
    bool editSettings(desk::SettingsForm& f) override { return settings(f); }
    bool editForm(desk::Form& f) override {
        formsShown.push_back(f.name);
        return form(f);
    }
    void runSendDialog(Sender& sender) override { send(sender); }
    void post(std::function<void()> task) override { posted.push_back(std::move(task)); }
    void showPlan() override { ++plansShown; }
    void showSelection(std::size_t record) override { selections.push_back(record); }

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
    bool portMissing = false;
    std::unique_ptr<desk::Desk> desk;

    explicit DeskRig(const std::string& ini = "SaveSettings=Yes\n", bool withInput = false,
                     const std::string& model = "Leica1200") {
        test::writeFile(folder + "Tervan.ini",
                        "[Model]\n" + ini + "Model=" + model + "\nNxyzFile=Yes\nStartWithFileOpen=No\nx1000=No\n");
        test::writeFile(input, test::readFile(std::string(TERVAN_EXAMPLES) + "/leica1200.txt"));
        desk::startSession(session, folder, withInput ? input : "");
        desk = std::make_unique<desk::Desk>(
            session, front,
            ReceiverOptions{.logFolder = "",
                            .fallbackFolders = {folder + "Fallback" + kSeparator},
                            .openPort =
                                [this](const std::string&, std::string& reason) -> std::unique_ptr<SerialPort> {
                                    reason = "there is no such port";
                                    if (portMissing) return nullptr;
                                    return std::make_unique<test::FakePort>(port);
                                },
                            .clock = test::march5th2009});
        desk->start();
    }
    std::string ini() const { return test::readFile(folder + "Tervan.ini"); }
    // The open-file dialog chooses path; the Settings dialog is confirmed
    // after edit has changed it.
    void choose(const std::string& path, std::function<void(desk::SettingsForm&)> edit = {}) {
        front.chooseFile = [path](std::string& chosen) {
            chosen = path;
            return true;
        };
        front.settings = [this, edit](desk::SettingsForm& f) {
            shown = f;
            if (edit) edit(f);
            return true;
        };
    }
    // A copy of an example (or, for "../README.md", of the project's README).
    std::string example(const std::string& name) {
        const bool readme = name == "../README.md";
        std::string path = folder + (readme ? "README.md" : name);
        test::writeFile(path, test::readFile(std::string(TERVAN_EXAMPLES) + "/" + name));
        return path;
    }
    desk::SettingsForm shown;  // the Settings dialog as it opened last
    static constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::string logPath() const { return folder + "Log" + kSeparator + "20090305070409.srd"; }
};

TEST(DeskStart, ConvertsTheInputOfTheCommandLineAndOpensFileOpenWhenAsked) {
    DeskRig plain;
    EXPECT_EQ(plain.front.message, "");
    EXPECT_EQ(plain.front.status[3], "");
    plain.desk->opened();
    EXPECT_TRUE(plain.front.initialNames.empty());

    DeskRig started("StartWithFileOpen=Yes\n", true);
    EXPECT_EQ(started.session.store.points.size(), 7u);
    EXPECT_EQ(started.desk->message().rfind("<" + started.input + ">\r\n", 0), 0u);
    ASSERT_NE(started.front.table, nullptr);
    EXPECT_EQ(started.front.table->rows(), 7u);
    EXPECT_EQ(started.front.status[3], "7 lines read, 7 points, 0 lines ignored");
    started.desk->opened();
    EXPECT_EQ(started.front.initialNames, std::vector<std::string>{started.input});
}

// The text of the table is built when it is asked for; when the next
// conversion empties the store and keeps the text, it is the table of the
// last good conversion all the same.
TEST(DeskFileOpen, TheTableTextOutlivesAStoreEmptiedByAnUnknownModel) {
    DeskRig r("", true);
    std::string table;
    buildObservationTable(table, r.input, r.session.store.points);
    r.choose(r.input, [](desk::SettingsForm& f) { f.values.Model = "NoSuchModel"; });
    r.desk->fileOpen();
    EXPECT_TRUE(r.session.store.points.empty());
    EXPECT_EQ(r.front.status[3], "unknown model NoSuchModel");
    EXPECT_EQ(r.desk->message(), table);
}

// A file given to the program (Open with, dropped on it) under a model that
// does not fit it would be turned into outputs of garbage.
TEST(DeskStart, AFileTheSavedModelDoesNotFitWaitsForTheSettingsDialog) {
    struct Case {
        const char* saved;
        bool asked;        // the Settings dialog opens
        bool ok;           // and is confirmed
        std::size_t points;
    };
    const Case cases[] = {
        {"Leica1200", false, false, 7},
        {"auto", false, false, 7},
        {"Zeiss3303", true, true, 7},
        {"Zeiss3303", true, false, 0},
    };
    for (const Case& c : cases) {
        DeskRig r("SaveSettings=Yes\nStartWithFileOpen=Yes\n", true, c.saved);
        const std::string nxyz = r.folder + "job1_nxyz.txt";
        EXPECT_EQ(r.session.store.points.size(), c.asked ? 0u : 7u) << c.saved;
        EXPECT_EQ(std::filesystem::exists(nxyz), !c.asked) << c.saved;
        bool asked = false;
        r.front.settings = [&](desk::SettingsForm& f) {
            asked = true;
            EXPECT_EQ(f.fileName, r.input);
            EXPECT_EQ(f.values.Model, "Leica1200");
            EXPECT_EQ(f.modelHint, "Leica1200 fits");
            return c.ok;
        };
        r.desk->opened();
        EXPECT_EQ(asked, c.asked) << c.saved;
        // The file of the command line stands for File/Open's choice.
        EXPECT_EQ(r.front.initialNames.size(), c.asked ? 0u : 1u) << c.saved;
        EXPECT_EQ(r.session.store.points.size(), c.points) << c.saved;
        EXPECT_EQ(std::filesystem::exists(nxyz), c.points > 0) << c.saved;
        if (c.asked) {
            EXPECT_EQ(r.session.settings.Model, c.ok ? "Leica1200" : c.saved) << c.saved;
        }
    }
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
    ASSERT_NE(r.front.table, nullptr);
    EXPECT_EQ(r.front.table->cell(1, 3), "P101");
    EXPECT_NE(r.desk->message().find("P101"), std::string::npos);
    EXPECT_EQ(r.front.status[1], "");
    EXPECT_EQ(r.front.status[2], "");
    EXPECT_EQ(r.front.status[3], "7 lines read, 7 points, 0 lines ignored");
    // every setting is kept at "OK", the texts too: a crash loses none
    IniDocument saved = IniDocument::parse(r.ini());
    EXPECT_EQ(saved.get("Model", "TrasFile"), "Yes");
    EXPECT_EQ(saved.get("Model", "LetterSize"), "0.75");
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
        const std::string message = r.desk->message(), iniBefore = r.ini();
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
        EXPECT_EQ(r.desk->message(), message) << c.name;
        EXPECT_NE(r.front.table, nullptr) << c.name;
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
    r.desk->select(2);
    r.desk->close();
    EXPECT_TRUE(r.session.store.points.empty());
    EXPECT_TRUE(r.desk->plan().items().empty());  // nothing left to draw from records that are gone
    EXPECT_EQ(r.desk->selected(), kNoPoint);
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

TEST(DeskPlan, EachConversionLoadsThePlanAndClearsTheSelection) {
    DeskRig r("", true);
    EXPECT_EQ(r.front.plansShown, 1);
    EXPECT_EQ(r.desk->plan().items().size(), 7u);  // the Leica example has coordinates
    r.desk->select(3);
    EXPECT_EQ(r.desk->selected(), 3u);
    r.front.chooseFile = [&](std::string& path) {
        path = r.input;
        return true;
    };
    r.front.settings = [](desk::SettingsForm& f) {
        f.values.Model = "Pentax300Polar";  // reads nothing from a Leica file
        return true;
    };
    r.desk->fileOpen();
    EXPECT_EQ(r.front.plansShown, 2);
    // Nothing was read, so the records of the conversion before stay.
    EXPECT_EQ(r.desk->plan().items().size(), 7u);
    EXPECT_EQ(r.desk->selected(), kNoPoint);
    EXPECT_EQ(r.front.selections, (std::vector<std::size_t>{kNoPoint, 3, kNoPoint}));
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

    const std::string rows = r.desk->message();
    r.front.form = [](desk::Form&) { return false; };
    r.desk->fileOpen();
    EXPECT_EQ(r.desk->message(), rows);
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
    EXPECT_EQ(r.front.report.status.tone, desk::Tone::Failure);
    EXPECT_EQ(r.desk->message(), rows);
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
    const std::string table = r.desk->message();
    r.desk->fileOpen();
    const std::string reason = "cannot read " + r.input + ": No such file or directory";
    EXPECT_EQ(r.front.status[3], reason);
    EXPECT_EQ(r.front.report.status.tone, desk::Tone::Failure);
    // the window goes on showing the last good conversion, whose outputs stay
    EXPECT_EQ(r.desk->message(), table);
    EXPECT_EQ(test::readFile(r.folder + "job1_nxyz.txt"), before);
}

TEST(DeskForms, WhatEachDialogOffers) {
    // every control of the Settings dialog says in a tooltip what it does
    for (const desk::SettingsControl& c : desk::settingsControls())
        EXPECT_FALSE(desk::settingTip(c.key->key).empty()) << c.key->key;
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
    std::vector<std::string> files;
    for (const auto& c : desk::settingsControls()) {
        checks += c.kind == desk::ControlKind::Check;
        if (c.kind == desk::ControlKind::File) files.push_back(c.key->key);
    }
    EXPECT_EQ(desk::settingsControls().size(), 32u);
    EXPECT_EQ(checks, 22);
    EXPECT_EQ(files, std::vector<std::string>{"KnownPoints"});
}

TEST(DeskForms, AccessKeysAsDistinctAsTheLabelsAllow) {
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"File", "Fix", "Fit"}, {"&File", "F&ix", "Fi&t"}},
        {{"Fix", "File"}, {"&Fix", "F&ile"}},
        {{"X = X +", "x1000", "Z.000"}, {"&X = X +", "x&1000", "&Z.000"}},
        {{"3D", "3", "D"}, {"3&D", "&3", "&D"}},  // no key left for one: its first again
        {{"Known points…", "…"}, {"&Known points…", "…"}},
    };
    for (const auto& [labels, marked] : cases) EXPECT_EQ(desk::withAccessKeys(labels), marked) << labels.front();
    EXPECT_EQ(desk::withAccessKeys({"Open", "Other"}, "o"), (std::vector<std::string>{"O&pen", "O&ther"}));

    // The Settings dialog: one "&" in each label. Six keys are shared: the
    // offsets take x, y and z, which leave nxyz.txt, nyxz.txt and xyz.txt
    // only n and t; the layers' labels, "LandXML.xml", "Layer per code" and
    // "Level tolerance" run out of letters, and "File.csv" shares the f of
    // "FontSize:".
    std::set<char> keys;
    std::size_t controls = 0;
    for (const desk::SettingsControl& c : desk::settingsControls()) {
        ++controls;
        const std::size_t at = c.accessLabel.find('&');
        ASSERT_NE(at, std::string::npos) << c.key->label;
        EXPECT_EQ(c.accessLabel.substr(0, at) + c.accessLabel.substr(at + 1), c.key->label);
        keys.insert(static_cast<char>(std::tolower(static_cast<unsigned char>(c.accessLabel[at + 1]))));
    }
    EXPECT_EQ(keys.size() + 6, controls);
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

TEST(DeskDetection, TheSettingsDialogKeepsAFittingModelAndOtherwiseNamesTheOneThatFits) {
    struct Case {
        const char* model;  // the user's
        const char* file;
        const char* shown;  // preselected
        const char* hint;
        bool warns;
    };
    const Case cases[] = {
        {"Leica1200", "leica1200.txt", "Leica1200", "Leica1200 fits", false},
        {"Leica1200", "kolida440.txt", "Kolida440", "Kolida440 fits", false},
        {"nyxz", "points_nxyz.txt", "nyxz", "nyxz fits; nxyz fits as well", false},
        {"GSI", "level.gsi", "GSI", "looks like DNA8", true},  // GSI fits, DNA8 better
        {"auto", "survey.kor", "kor", "kor fits", false},
        {"Leica1200", "../README.md", "Leica1200", "no model fits this file", true},
    };
    for (const Case& c : cases) {
        DeskRig r;
        r.session.settings.Model = c.model;
        const std::string path = r.example(c.file);
        r.choose(path);
        r.front.settings = [&](desk::SettingsForm& f) {
            r.shown = f;
            return false;
        };
        r.desk->fileOpen();
        EXPECT_EQ(r.shown.values.Model, c.shown) << c.file;
        EXPECT_EQ(r.shown.modelHint, c.hint) << c.file;
        EXPECT_EQ(r.shown.modelHintWarns, c.warns) << c.file;
        EXPECT_EQ(r.session.settings.Model, c.model) << c.file;  // cancelled: nothing changes
    }
}

TEST(DeskDetection, AutoConvertsWithTheModelThatFitsAndSavesItsName) {
    DeskRig r;
    const std::string kolida = r.example("kolida440.txt");
    r.choose(kolida, [](desk::SettingsForm& f) { f.values.Model = "auto"; });
    r.desk->fileOpen();
    EXPECT_EQ(r.session.settings.Model, "Kolida440");
    EXPECT_EQ(IniDocument::parse(r.ini()).get("Model", "Model"), "Kolida440");
    EXPECT_EQ(r.front.title, "kolida440.txt \xE2\x80\x94 Kolida440 \xE2\x80\x94 Tervan");
    ASSERT_FALSE(r.front.report.notices.empty());
    EXPECT_EQ(r.front.report.notices.back().text, "model Kolida440 (detected)");

    // a file that no model fits: nothing is written, and "auto" is not saved
    const std::string readme = r.example("../README.md");
    r.choose(readme, [](desk::SettingsForm& f) { f.values.Model = "auto"; });
    r.desk->fileOpen();
    EXPECT_EQ(r.session.settings.Model, "auto");
    EXPECT_EQ(r.front.report.status.tone, desk::Tone::Failure);
    EXPECT_EQ(r.front.status[3].rfind("no model fits " + readme, 0), 0u);
    EXPECT_FALSE(test::fileExists(r.folder + "README_nxyz.txt"));
    EXPECT_EQ(IniDocument::parse(r.ini()).get("Model", "Model"), "Kolida440");
}

TEST(DeskDetection, AModelThatFindsLittleWarnsAndNamesTheModelThatFits) {
    struct Case {
        const char* model;
        const char* file;
        desk::Tone tone;
        const char* ends;
    };
    const Case cases[] = {
        {"Leica1200", "leica1200.txt", desk::Tone::Plain, "0 lines ignored"},
        {"Leica1200", "zeiss3303.txt", desk::Tone::Warning, "; it looks like Zeiss3303, not Leica1200"},
        // nothing found: a failure, with the model that fits
        {"Zeiss3303", "pentax200polar.txt", desk::Tone::Failure,
         "nothing written; it looks like Pentax200Polar, not Zeiss3303"},
        {"DNA8", "dini.txt", desk::Tone::Failure, "nothing written; it looks like Dini USB, not DNA8"},
        {"Leica1200", "../README.md", desk::Tone::Warning, "; no model fits it"},
    };
    for (const Case& c : cases) {
        DeskRig r;
        const std::string path = r.example(c.file);
        r.choose(path, [&](desk::SettingsForm& f) { f.values.Model = c.model; });
        r.desk->fileOpen();
        EXPECT_EQ(r.front.report.status.tone, c.tone) << c.file;
        const std::string& status = r.front.status[3];
        EXPECT_EQ(status.substr(status.size() - std::min(status.size(), std::strlen(c.ends))), c.ends) << status;
    }
}

// The window never saves over a settings file that it could not read, and
// a save that fails is said; either way the file stays as it was.
TEST(DeskSettings, ASaveThatCannotBeDoneIsSaidAndChangesNothing) {
    {
        test::ScratchDir dir;
        const std::string folder = dir.path().string() + "/";
        std::filesystem::create_directory(folder + "Tervan.ini");
        Session session;
        FakeFront front;
        desk::startSession(session, folder, "");
        desk::Desk desk(session, front, ReceiverOptions{.logFolder = "", .openPort = {}, .clock = test::march5th2009});
        desk.start();
        const std::string said = "cannot read settings " + folder + "Tervan.ini: it is a folder; the settings are not saved";
        EXPECT_EQ(front.status[3], said);
        EXPECT_EQ(desk.finish(), said);
        EXPECT_TRUE(std::filesystem::is_directory(folder + "Tervan.ini"));
    }
    {
        DeskRig r;
        const std::string before = r.ini();
        injectWriteFailure("Tervan.ini");
        const std::string said = r.desk->finish();
        injectWriteFailure("");
        EXPECT_EQ(said, "cannot save settings " + r.folder + "Tervan.ini: " + std::strerror(ENOSPC));
        EXPECT_EQ(r.front.status[3], said);
        EXPECT_EQ(r.ini(), before);
    }
}

// The wrong model's warning offers the one that fits, and one press converts
// with it and keeps it; F5 opens the Settings dialog on the same file.
TEST(DeskConvertAgain, AsTheModelThatFitsAndWithChangedSettings) {
    DeskRig r;
    EXPECT_FALSE(r.desk->canConvertAgain());
    r.desk->convertAgain();  // nothing before the first file
    EXPECT_TRUE(r.shown.fileName.empty());

    const std::string path = r.example("zeiss3303.txt");
    r.choose(path, [](desk::SettingsForm& f) { f.values.Model = "Leica1200"; });
    r.desk->fileOpen();
    EXPECT_EQ(r.front.report.status.tone, desk::Tone::Warning);
    EXPECT_EQ(r.front.report.convertAgainAs, "Zeiss3303");
    EXPECT_EQ(desk::convertAgainLabel(r.front.report), "Convert again as Zeiss3303");
    r.desk->convertAgainAs();
    EXPECT_EQ(r.session.settings.Model, "Zeiss3303");
    EXPECT_EQ(r.front.report.status.tone, desk::Tone::Plain) << r.front.report.status.text;
    EXPECT_EQ(r.front.report.convertAgainAs, "");
    EXPECT_EQ(r.front.title, "zeiss3303.txt \xE2\x80\x94 Zeiss3303 \xE2\x80\x94 Tervan");
    EXPECT_EQ(IniDocument::parse(r.ini()).get("Model", "Model"), "Zeiss3303");

    // F5: the Settings dialog on the current input; "OK" converts with what was changed
    r.shown = {};
    r.front.settings = [&r](desk::SettingsForm& f) {
        r.shown = f;
        f.values.TrasFile = 1;
        return true;
    };
    r.desk->convertAgain();
    EXPECT_EQ(r.shown.fileName, path);
    EXPECT_EQ(r.shown.values.Model, "Zeiss3303");
    EXPECT_TRUE(test::fileExists(r.folder + "zeiss3303_tras.dat"));
    EXPECT_EQ(r.front.initialNames.size(), 1u);  // no open-file dialog
    // the file has gone meanwhile
    std::filesystem::remove(path);
    r.desk->convertAgain();
    EXPECT_EQ(r.front.report.status.tone, desk::Tone::Failure);
    EXPECT_EQ(r.front.status[3], "cannot open " + path + ": it is no longer there");
}

// The grid sorted by a column, a point found by its name and selected in
// its sorted row; the next conversion shows its rows in their own order.
TEST(DeskGrid, SortFindAndSelectTheRowOfARecord) {
    DeskRig r("SaveSettings=Yes\n", true);
    ASSERT_NE(r.front.table, nullptr);
    r.desk->sortBy(3);
    r.desk->sortBy(3);  // the second click: descending
    ASSERT_NE(r.desk->grid(), nullptr);
    EXPECT_FALSE(r.desk->grid()->ascending());
    EXPECT_EQ(r.front.table->cell(0, 3), "P106");
    EXPECT_EQ(r.desk->recordOfRow(0), 6u);
    EXPECT_EQ(r.desk->describeSelection().rfind("P106  from ", 0), 0u);  // row 1 while none is selected
    r.front.form = [](desk::Form& f) {
        setField(f, "Name", "p101");
        return true;
    };
    r.desk->find();
    EXPECT_EQ(r.desk->selected(), 1u);
    EXPECT_EQ(r.desk->rowOfRecord(1), 5u);
    EXPECT_EQ(r.front.selections.back(), 1u);
    r.front.form = [](desk::Form& f) {
        EXPECT_EQ(f.value("Name"), "p101");  // the name asked for last
        setField(f, "Name", "Q7");
        return true;
    };
    r.desk->find();
    EXPECT_EQ(r.front.report.status.text, "no point is named Q7");
    EXPECT_EQ(r.desk->selected(), 1u);
    r.choose(r.input);
    r.desk->fileOpen();
    EXPECT_EQ(r.desk->grid()->sortColumn(), desk::SortedTable::kNone);
    EXPECT_EQ(r.front.table->cell(0, 3), "P100");
}

// Each thing said once and in its tone: a command clears the report of the
// last one, the title names a model only once a conversion has used it, and
// where no file manager shows the folder its path is said.
TEST(DeskReport, SaidOnceAndRight) {
    DeskRig r("SaveSettings=Yes\n");
    Session missing;
    desk::startSession(missing, r.folder, r.folder + "nofile.txt");
    FakeFront front;
    desk::Desk started(missing, front);
    started.start();
    EXPECT_EQ(front.report.status.tone, desk::Tone::Failure);
    EXPECT_EQ(front.title, "nofile.txt \xE2\x80\x94 Tervan");
    started.fileOpen();  // cancelled at once: the old failure has gone
    EXPECT_EQ(front.report.status.text, "");
    EXPECT_TRUE(front.report.notices.empty());

    r.front.fileManager = false;
    r.choose(r.input);
    r.desk->fileOpen();
    r.desk->showFiles();
    r.desk->showFiles();
    ASSERT_EQ(r.front.report.notices.size(), 1u);  // the folder, once
    EXPECT_EQ(r.front.report.notices.back().text, "the files are in " + r.dir.path().string() + ": job1_nxyz.txt");
    EXPECT_EQ(r.front.report.notices.back().tone, desk::Tone::Plain);

    // Help/"User guide": the guide beside the program, or why not
    const std::string guide = r.folder + "guide" + r.folder.back() + "index.html";
    r.desk->userGuide();
    EXPECT_EQ(r.front.status[3], "the user guide is not there: " + guide);
    std::filesystem::create_directory(r.folder + "guide");
    test::writeFile(guide, "<html></html>");
    r.front.fileManager = true;
    r.desk->userGuide();
    EXPECT_EQ(r.front.foldersOpened.back(), guide);
}

TEST(DeskReport, FailuresShowAboveTheTableAndInStatusLine3) {
    DeskRig r("SaveSettings=Yes\nTrasFile=Yes\n");
    std::filesystem::create_directory(r.folder + "job1_tras.dat");  // an output that cannot be written
    r.choose(r.input);
    r.desk->fileOpen();
    const desk::Report& report = r.front.report;
    EXPECT_EQ(report.status.tone, desk::Tone::Failure);
    const std::string failed = "cannot write " + r.folder + "job1_tras.dat: ";
    EXPECT_EQ(report.status.text.rfind("7 lines read, 7 points, 0 lines ignored; " + failed, 0), 0u)
        << report.status.text;
    ASSERT_EQ(report.notices.size(), 1u);
    EXPECT_EQ(report.notices[0].tone, desk::Tone::Failure);
    // the files that were written, and where
    EXPECT_EQ(report.files, "1 file written next to job1.txt");
    r.desk->showFiles();
    EXPECT_EQ(r.front.foldersOpened, std::vector<std::string>{r.dir.path().string()});

    // the input that cannot be read
    std::filesystem::remove(r.input);
    r.desk->fileOpen();
    EXPECT_EQ(r.front.report.status.tone, desk::Tone::Failure);
    EXPECT_EQ(r.front.report.notices.front().text, r.front.report.status.text);
}

TEST(DeskReport, APortThatDoesNotOpenIsAFailure) {
    DeskRig r;
    r.portMissing = true;
    r.desk->serialButton();
    EXPECT_FALSE(r.desk->receiver().running());
    EXPECT_EQ(r.front.report.status.tone, desk::Tone::Failure);
    EXPECT_EQ(r.front.status[3], "cannot open the port COM1: there is no such port");
    r.front.form = [](desk::Form& f) {
        setField(f, "Direction", desk::kSendDirection);
        return true;
    };
    r.front.report = {};
    r.desk->serialButton();
    EXPECT_EQ(r.front.status[3], "cannot open the port COM1: there is no such port");
}

TEST(DeskWindow, TitleAndIndicators) {
    DeskRig r("SaveSettings=Yes\nY0=5\nZ.000=Yes\n");
    EXPECT_EQ(r.front.title, "Tervan");
    std::vector<std::string> shown;
    for (const desk::Notice& n : r.front.indicators) shown.push_back(n.text);
    EXPECT_EQ(shown, (std::vector<std::string>{"Y0 = 5", "Z.000"}));
    EXPECT_EQ(r.front.indicators[0].tone, desk::Tone::Warning);
    r.choose(r.input, [](desk::SettingsForm& f) {
        f.values.Y0.assign(1, '0');
        f.values.x1000 = 1;
        f.values.Z000 = 0;
    });
    r.desk->fileOpen();
    EXPECT_EQ(r.front.title, "job1.txt \xE2\x80\x94 Leica1200 \xE2\x80\x94 Tervan");
    ASSERT_EQ(r.front.indicators.size(), 1u);
    EXPECT_EQ(r.front.indicators[0].text, "x1000");
}

TEST(DeskGrid, TheMessageAreaShowsTheRowsOfWhatWasConvertedLast) {
    DeskRig r("", true);
    ASSERT_NE(r.front.table, nullptr);
    EXPECT_EQ(r.front.table->columns().size(), 13u);
    // an unknown model empties the store but keeps the text: the text is shown
    r.choose(r.input, [](desk::SettingsForm& f) { f.values.Model = "Leica"; });
    r.desk->fileOpen();
    EXPECT_EQ(r.front.table, nullptr);
    EXPECT_EQ(r.front.message.substr(0, 1), "<");
    EXPECT_EQ(r.front.report.status.tone, desk::Tone::Failure);
    // a levelling line: its rows in a grid of their own
    const std::string level = r.example("level.gsi");
    r.choose(level, [](desk::SettingsForm& f) { f.values.Model = "DNA8"; });
    r.desk->fileOpen();
    ASSERT_NE(r.front.table, nullptr);
    EXPECT_EQ(r.front.table->columns().size(), 10u);
    EXPECT_EQ(r.front.table->cell(2, 4), "Rb");
    // a transfer shows the received text
    r.port.chunks = {"12"};
    r.desk->serialButton();
    r.desk->tick();
    EXPECT_EQ(r.front.table, nullptr);
    EXPECT_EQ(r.front.message, "12");
}

TEST(DeskDrop, OneFileIsOpenedOnceTheDropHasEnded) {
    DeskRig r;
    const std::string kolida = r.example("kolida440.txt");
    const std::pair<std::vector<std::string>, bool> drops[] = {
        {{}, false},
        {{r.folder}, false},  // a folder
        {{r.folder + "gone.txt"}, false},
        {{kolida, r.input}, false},
        {{kolida}, true},
    };
    for (const auto& [paths, taken] : drops) {
        EXPECT_EQ(desk::Desk::canDrop(paths), taken) << paths.size();
        EXPECT_EQ(r.desk->drop(paths), taken) << paths.size();
    }
    r.choose("");
    ASSERT_EQ(r.front.posted.size(), 1u);
    EXPECT_EQ(r.shown.fileName, "");  // nothing shown during the drop
    r.front.runPosted();
    EXPECT_EQ(r.shown.fileName, kolida);
    EXPECT_EQ(r.shown.values.Model, "Kolida440");
}

TEST(DeskRecent, TheLastEightFilesNewestFirstKeptInTheirOwnSection) {
    DeskRig r;
    std::vector<std::string> paths;
    for (int i = 0; i < 10; ++i) {
        paths.push_back(r.folder + "job" + std::to_string(i) + ".txt");
        test::writeFile(paths.back(), test::readFile(r.input));
        r.choose(paths.back());
        r.desk->fileOpen();
    }
    r.choose(paths[5]);
    r.desk->fileOpen();
    std::vector<std::string> expected = {paths[5], paths[9], paths[8], paths[7],
                                         paths[6], paths[4], paths[3], paths[2]};
    EXPECT_EQ(r.desk->recentFiles(), expected);
    EXPECT_EQ(desk::loadRecentFiles(r.folder + "Tervan.ini"), expected);
    EXPECT_EQ(IniDocument::parse(r.ini()).get("Recent", "File1"), paths[5]);
    EXPECT_EQ(desk::recentFileLabel({"/a&b/c.txt"}, 0), "&1 /a&&b/c.txt");

    // choosing one goes straight to the Settings dialog; one that is gone is dropped
    r.front.chooseFile = [](std::string&) { return false; };
    r.desk->openRecent(2);
    EXPECT_EQ(r.shown.fileName, paths[8]);
    EXPECT_EQ(r.desk->recentFiles().front(), paths[8]);
    std::filesystem::remove(paths[9]);
    r.desk->openRecent(2);
    EXPECT_EQ(r.front.status[3], "cannot open " + paths[9] + ": it is no longer there");
    EXPECT_EQ(r.desk->recentFiles().size(), 7u);

    // the next start offers them again
    Session next;
    desk::startSession(next, r.folder, "");
    FakeFront front;
    desk::Desk again(next, front);
    EXPECT_EQ(again.recentFiles().size(), 8u);
}

TEST(DeskWindow, ThePlaceOfTheWindowIsKeptAndFittedToTheScreen) {
    DeskRig r;
    const std::vector<desk::Placement> screens = {{.x = 0, .y = 0, .width = 1280, .height = 760},
                                                  {.x = 1280, .y = 0, .width = 1920, .height = 1040}};
    // the first start: wide enough for the grid beside the plan, centred on the main screen
    auto first = r.desk->placement(screens);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->width, 1152);  // nine tenths of 1280
    EXPECT_EQ(first->height, 684);
    EXPECT_EQ(first->x, 64);
    EXPECT_EQ(first->y, 38);
    EXPECT_EQ(r.desk->placement({{.x = 0, .y = 0, .width = 1600, .height = 1000}})->width, 1360);
    r.desk->end(desk::Desk::Ending::Exit, {.x = 900, .y = 100, .width = 800, .height = 500, .maximized = true});
    r.desk->finish();
    IniDocument ini = IniDocument::parse(r.ini());
    EXPECT_EQ(ini.get("Window", "Left"), "900");
    EXPECT_EQ(ini.get("Window", "Maximized"), "Yes");
    Session next;
    desk::startSession(next, r.folder, "");
    FakeFront front;
    desk::Desk again(next, front);
    auto placed = again.placement({screens[0]});
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->x, 480);  // moved back onto the screen
    EXPECT_EQ(placed->width, 800);
    EXPECT_TRUE(placed->maximized);
    placed = again.placement(screens);  // its centre is on the second screen
    EXPECT_EQ(placed->x, 1280);
    // A screen above the main one, the nearest to a window saved far right
    // and above: clamped into it, not onto the main screen.
    const std::vector<desk::Placement> stacked = {screens[0], {.x = 0, .y = -1080, .width = 1920, .height = 1040}};
    r.desk->keepPlacement({.x = 2500, .y = -700, .width = 800, .height = 500});
    r.desk->finish();
    desk::Desk third(next, front);
    placed = third.placement(stacked);
    EXPECT_EQ(placed->x, 1120);
    EXPECT_EQ(placed->y, -700);
    placed = again.placement({{.x = 0, .y = 0, .width = 640, .height = 480}});
    EXPECT_EQ(placed->width, 640);
    EXPECT_EQ(placed->x, 0);
}

// A received text that no folder takes is offered to be saved where the
// user chooses; given up, it waits, and is offered again as the window ends.
TEST(DeskSerial, ATextNoFolderTakesIsOfferedToBeSavedElsewhere) {
    DeskRig r("", true);
    test::writeFile(r.folder + "Log", "a file where the folder should be");
    test::writeFile(r.folder + "Fallback", "and another");
    std::vector<std::string> offered;
    r.front.chooseSave = [&](std::string& path) {
        offered.push_back(path);
        if (offered.size() == 1) return false;  // given up
        path = r.folder + (offered.size() == 2 ? "Log/there.srd" : "kept.srd");
        return true;
    };
    r.port.chunks = {"A\r\nEND\r\n", "B\r\n"};
    r.desk->serialButton();
    r.desk->tick();
    EXPECT_EQ(r.front.status[3].rfind("cannot write the receive log " + r.logPath(), 0), 0u);
    r.front.runPosted();
    EXPECT_EQ(offered, std::vector<std::string>{"20090305070409.srd"});
    r.desk->tick();
    r.desk->end(desk::Desk::Ending::Exit, {});  // the second offer fails, the third is kept
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_NE(r.front.status[3].find("cannot write " + r.folder + "Log/there.srd"), std::string::npos);
    EXPECT_EQ(test::readFile(r.folder + "kept.srd"), "A\r\nEND\r\nB\r\n");
    EXPECT_TRUE(r.desk->receiver().logError().empty());
}

TEST(DeskSerial, ClosingDuringAReceiveTransferKeepsWhatArrived) {
    for (bool close : {true, false}) {
        DeskRig r("", true);
        r.port.chunks = {"12", "3\r\n4"};
        r.desk->serialButton();
        r.desk->tick();
        ASSERT_TRUE(r.desk->receiver().running());
        r.desk->end(close ? desk::Desk::Ending::Close : desk::Desk::Ending::Exit, {});
        EXPECT_FALSE(r.desk->receiver().running());
        EXPECT_EQ(test::readFile(r.logPath()), "123\r\n4") << close;
        EXPECT_TRUE(r.front.posted.empty());
        EXPECT_EQ(r.session.store.points.empty(), close);
    }
}

}  // namespace
}  // namespace tervan
