// The Windows program's dialog templates (win/tervan.rc) against the
// program's own tables: every setting's control with its identifier and
// label, every field of the dialogs of fields with its label and hint, and
// the captions. The templates are read as text, so this runs everywhere.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "core/settings.h"
#include "desk/forms.h"
#include "test_util.h"
#include "win/control_ids.h"

namespace tervan {
namespace {

struct Control {
    std::string kind;  // LTEXT, COMBOBOX, AUTOCHECKBOX, ...
    std::string text;  // "" for controls without one
    int id;
};

struct Dialog {
    std::string caption;
    int width = 0, height = 0;
    std::vector<Control> controls;

    // The index of the control with id, or -1.
    int find(int id) const {
        for (std::size_t i = 0; i < controls.size(); ++i)
            if (controls[i].id == id) return static_cast<int>(i);
        return -1;
    }
};

std::string source(const std::string& relative) {
    return test::readFile(std::string(TERVAN_SOURCE_DIR) + "/" + relative);
}

// The #defines of win/resource.h, and those of windows.h the templates use.
std::map<std::string, int> identifiers() {
    std::map<std::string, int> ids = {{"IDOK", 1}, {"IDCANCEL", 2}, {"-1", -1}};
    std::regex define(R"re(#define\s+(\w+)\s+(\d+))re");
    std::string text = source("win/resource.h");
    for (std::sregex_iterator m(text.begin(), text.end(), define), end; m != end; ++m)
        ids[(*m)[1]] = std::stoi((*m)[2]);
    return ids;
}

// "NAME" or "NAME + n".
int identifier(const std::map<std::string, int>& ids, const std::string& expression) {
    std::smatch m;
    std::regex sum(R"re(\s*([-\w]+)\s*(?:\+\s*(\d+))?\s*)re");
    if (!std::regex_match(expression, m, sum) || !ids.count(m[1])) return -2;
    return ids.at(m[1]) + (m[2].matched ? std::stoi(m[2]) : 0);
}

std::map<int, Dialog> dialogs() {
    const std::map<std::string, int> ids = identifiers();
    std::map<int, Dialog> found;
    std::istringstream rc(source("win/tervan.rc"));
    std::regex head(R"re((\w+) DIALOGEX 0, 0, (\d+), (\d+))re");
    std::regex caption(R"re(CAPTION "(.*)")re");
    // KIND "text", id, ...   or   KIND id, ...
    std::regex withText(R"re(\s+(\w+) "([^"]*)", ([^,]+),.*)re");
    std::regex withoutText(R"re(\s+(EDITTEXT|COMBOBOX|ICON) ([^,]+),.*)re");
    Dialog* dialog = nullptr;
    std::string line;
    std::smatch m;
    while (std::getline(rc, line)) {
        if (std::regex_match(line, m, head)) {
            dialog = &found[ids.at(m[1])];
            dialog->width = std::stoi(m[2]);
            dialog->height = std::stoi(m[3]);
        } else if (dialog && std::regex_match(line, m, caption)) {
            dialog->caption = m[1];
        } else if (dialog && std::regex_match(line, m, withText)) {
            dialog->controls.push_back({m[1], m[2], identifier(ids, m[3])});
        } else if (dialog && std::regex_match(line, m, withoutText)) {
            dialog->controls.push_back({m[1], "", identifier(ids, m[2])});
        } else if (line == "END") {
            dialog = nullptr;
        }
    }
    return found;
}

TEST(WindowsResources, MainWindowHasItsControls) {
    const Dialog main = dialogs().at(IDD_MAIN);
    EXPECT_EQ(main.caption, "Tervan");
    EXPECT_EQ(main.width, 430);
    EXPECT_EQ(main.height, 202);
    const std::pair<int, const char*> controls[] = {{1000, ""},           {1016, ""},          {1015, ""}, {1014, ""},
                                                    {1017, "&Start Serial"}, {3, "C&alcHVSD"}, {2, "&Close"}};
    for (const auto& [id, text] : controls) {
        const int at = main.find(id);
        ASSERT_GE(at, 0) << id;
        EXPECT_EQ(main.controls[at].text, text) << id;
    }
    const std::string rc = source("win/tervan.rc");
    for (const char* item : {"\"&File\"", "\"&Open\\tCtrl+O\", ID_FILE_OPEN", "\"&Recent files\"",
                             "\"E&xit\", ID_FILE_EXIT", "\"&Help\"", "\"&About...\", ID_HELP_ABOUT"})
        EXPECT_NE(rc.find(item), std::string::npos) << item;
}

TEST(WindowsResources, SettingsDialogHasEveryControlOfTheTable) {
    const Dialog settings = dialogs().at(IDD_SETTINGS);
    EXPECT_EQ(settings.caption, "Setings");
    const int files = settings.find(IDC_FILES_NAME);
    ASSERT_GT(files, 0);
    EXPECT_EQ(settings.controls[files - 1].text, "FilesName:");
    for (const desk::SettingsControl& c : desk::settingsControls()) {
        SCOPED_TRACE(c.key->key);
        const int at = settings.find(win::settingControl(c.key->key));
        ASSERT_GT(at, 0);
        const Control& control = settings.controls[at];
        if (c.kind == desk::ControlKind::Check) {
            EXPECT_EQ(control.kind, "AUTOCHECKBOX");
            EXPECT_EQ(control.text, c.accessLabel);
        } else if (c.kind == desk::ControlKind::File) {
            EXPECT_EQ(control.kind, "EDITTEXT");
            EXPECT_EQ(settings.controls[at - 1].id, IDC_KNOWNPOINTS_BUTTON);  // the button that chooses the file
            EXPECT_EQ(settings.controls[at - 1].text, c.accessLabel);
        } else {
            EXPECT_EQ(control.kind, c.kind == desk::ControlKind::ModelList ? "COMBOBOX" : "EDITTEXT");
            EXPECT_EQ(settings.controls[at - 1].text, c.accessLabel);  // the label before it
        }
    }
}

TEST(WindowsResources, DialogsOfFieldsMatchTheirForms) {
    const std::map<int, Dialog> all = dialogs();
    for (const desk::Form& form : {desk::hvsdForm(Settings{}), desk::bffbForm(), desk::comPropertiesForm(Settings{}),
                                   desk::findForm("")}) {
        SCOPED_TRACE(form.name);
        const Dialog& dialog = all.at(win::formTemplate(form.name));
        EXPECT_EQ(dialog.caption, form.caption);
        for (std::size_t i = 0; i < form.fields.size(); ++i) {
            const desk::FormField& field = form.fields[i];
            const int at = dialog.find(IDC_FIELD1 + static_cast<int>(i));
            ASSERT_GT(at, 0) << field.key;
            EXPECT_EQ(dialog.controls[at].kind, "COMBOBOX");
            if (!field.label.empty()) {
                EXPECT_EQ(dialog.controls[at - 1].text, field.label) << field.key;
            }
            if (!field.hint.empty()) {
                EXPECT_EQ(dialog.controls[at + 1].text, field.hint) << field.key;
            }
        }
        EXPECT_EQ(dialog.find(IDC_FIELD1 + static_cast<int>(form.fields.size())), -1);
    }
}

TEST(WindowsResources, SendDialogAndAboutBox) {
    const std::map<int, Dialog> all = dialogs();
    const Dialog& send = all.at(IDD_SEND);
    EXPECT_EQ(send.caption, "Send serial data");
    const std::pair<int, const char*> buttons[] = {
        {IDC_SEND_ALL, "&All"}, {IDC_SEND_ONE, "&Send"}, {IDC_SEND_SKIP, "Ski&p"}, {2, "St&op"}};
    for (const auto& [id, text] : buttons) {
        const int at = send.find(id);
        ASSERT_GE(at, 0) << text;
        EXPECT_EQ(send.controls[at].text, text);
    }
    const Dialog& about = all.at(IDD_ABOUT);
    EXPECT_EQ(about.caption, "About Tervan");
    ASSERT_GT(about.controls.size(), 1u);
    EXPECT_EQ(about.controls[0].id, IDI_TERVAN);
    EXPECT_EQ(about.controls[1].text, "Tervan Version 2.23");
}

}  // namespace
}  // namespace tervan
