// The dialogs of the window as plain data: what each shows, what it opens
// with, and what "OK" does with what the user typed. A front end builds its
// widgets from a form and hands the typed texts back in it; the form edits a
// copy, so "Cancel" changes nothing.
//
// Labels and captions are the program's own texts in UTF-8; values are the
// bytes of the settings (MIK letters above 0x7F), shown and typed as such.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/detect.h"
#include "conversion/driver.h"
#include "core/settings.h"
#include "levelling/level_job.h"
#include "serial/receiver.h"

namespace tervan::desk {

// One editable drop-down list with its label.
struct FormField {
    std::string key;    // the field's name: the setting's INI key where it edits one
    std::string label;  // "" for a field without a label
    std::vector<std::string> presets;
    std::string value;  // the text shown, and typed
    std::string hint;   // a text right of the field, "" when none
};

struct Form {
    std::string name;     // the dialog's name ("hvsdDialog", ...)
    std::string caption;  // its title bar
    std::vector<FormField> fields;
    bool cancelEnabled = true;

    // The text of the field named key; "" when there is none.
    const std::string& value(std::string_view key) const;
};

// "Calculate H, V, SD": dSD, dH and dV with their current texts.
Form hvsdForm(const Settings& settings);
HvsdSizes hvsdSizes(const Form& form);

// "Calc BFFB line": the four fields, always opened with the defaults;
// "Cancel" is shown disabled (the Escape key and the close box cancel).
Form bffbForm();
BffbParams bffbParams(const Form& form);

// "Find a point": the name asked for, the last one at first.
Form findForm(const std::string& name);

inline constexpr const char* kReceiveDirection = "1 Station to PC(Recieve)";
inline constexpr const char* kSendDirection = "2 PC to Station(Send)";

// "COM Properties": the serial settings, each list showing its current
// value, and the direction of the transfer, preset to receiving.
Form comPropertiesForm(const Settings& settings);
// "OK": every setting whose list text is not empty takes that text; the
// direction is Send only for exactly the send entry.
Direction applyComProperties(const Form& form, Settings& settings);

// The Settings dialog ("Setings"): one control per setting of section
// "Model" that has a label, in the settings table's order, and the disabled
// "FilesName:" field. A File control is an edit with a button (its label)
// that opens the open-file dialog on the edit's path.
// Each control's label carries an access key ("Fi&le.dxf"): a letter or
// digit of its own where one can be found, else its first letter again
// (pressing that key then goes from one to the next).
enum class ControlKind { ModelList, Check, Edit, File };
struct SettingsControl {
    const SettingKey* key;
    ControlKind kind;
    std::string accessLabel;  // the label with "&" before its access key
};
std::vector<SettingsControl> settingsControls();
// labels with an access key each, as distinct as they can be: the keys
// are matched to the labels (the first letters of words preferred), none
// of them in taken (the dialog's other keys, lower case). A label without
// a letter or digit gets none.
std::vector<std::string> withAccessKeys(const std::vector<std::string>& labels, std::string_view taken = "");
// What a control of the Settings dialog does, in plain words, for its
// tooltip (the captions stay the instrument manuals' words); "" for a key
// without a control.
std::string settingTip(std::string_view key);
// The entries of the model list, in the model table's order; the list also
// takes typed text, an unknown name included.
std::vector<std::string> modelNames();

struct SettingsForm {
    std::string fileName;  // the chosen input file, shown disabled
    Settings values;       // a copy of the settings, edited by the dialog
    std::string modelHint; // beside the model list: what detection says of the file, "" when it has not looked
    bool modelHintWarns = false;  // the hint is a warning: another model reads it better, none fits, or the file cannot be read
};

// The Settings dialog for a file that detection has looked at: the user's
// model stays when it fits the file; otherwise the model that fits best is
// preselected. Beside the list, in the plain tone, "Kolida440 fits" (with
// "; nxyz fits as well" for each other model that fits as well as the best);
// as a warning, that another model reads the file better ("looks like
// DNA8", the user's model staying), that no model fits or that the file
// cannot be read.
void preselectModel(SettingsForm& form, const Detection& detection);

// The choices of the open-file dialog: the instrument files first, then all
// files. Patterns are "*.ext".
struct FileFilter {
    std::string name;
    std::vector<std::string> patterns;
};
std::vector<FileFilter> inputFilters();
// The choices of the open-file dialog of the known points (the File
// control of KnownPoints): the lists, then all files.
std::vector<FileFilter> knownPointsFilters();
std::vector<FileFilter> receiveLogFilters();
// Whether the instrument files' choice offers a file of this name: not the
// outputs of a conversion ("job_nxyz.txt", "job_3d.dxf", ...), nor a .kor
// or .csv list beside an instrument file of its name (job.kor beside job.txt
// is that file's output); only "All files" shows those. besideIt: whether the
// file's folder holds a file of a name.
bool offeredAsInput(std::string_view fileName, const std::function<bool(const std::string& name)>& besideIt);

}  // namespace tervan::desk
