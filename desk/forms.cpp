#include "desk/forms.h"

#include <string_view>

#include "conversion/models.h"
#include "conversion/output_set.h"

namespace tervan::desk {
namespace {

// The angle fields offer the list of the serial speeds, as they always have.
const std::vector<std::string> kBaudRates = {"110",   "300",   "1200",   "2400",   "4800",   "9600",  "19200",
                                             "38400", "57600", "115200", "230400", "460800", "921600"};

const char* labelOf(const char* section, const char* key) {
    for (const SettingKey& k : settingKeys())
        if (std::string_view(k.section) == section && std::string_view(k.key) == key) return k.label;
    return "";
}

// The lists of COM Properties: the baud list keeps the order of the rates,
// the others are alphabetical. The hints are the dialog's own.
struct ComList {
    const char* key;
    std::vector<std::string> entries;
    const char* hint;
    std::string Settings::*setting;
};

const std::vector<ComList>& comLists() {
    static const std::vector<ComList> lists = {
        {"Baud", kBaudRates, "9600", &Settings::Baud},
        {"DataBits", {"7", "8"}, "7", &Settings::DataBits},
        {"Parity", {"Even", "None", "Odd"}, "Even", &Settings::Parity},
        {"StopBits", {"1", "1.5", "2"}, "1", &Settings::StopBits},
        {"FlowControl", {"Hardware", "None", "Xon / Xoff"}, "xon/xoff", &Settings::FlowControl},
        {"ComName", {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"}, "COM1",
         &Settings::ComName},
    };
    return lists;
}

}  // namespace

const std::string& Form::value(std::string_view key) const {
    static const std::string none;
    for (const FormField& f : fields)
        if (f.key == key) return f.value;
    return none;
}

Form hvsdForm(const Settings& s) {
    return {.name = "hvsdDialog",
            .caption = "Calculate H, V, SD",
            .fields = {{"dSD", "±dSD x 0.0001 m x ", {}, s.dSD, ""},
                       {"dH", "±dH x 0.0001 RAD x ", kBaudRates, s.dH, ""},
                       {"dV", "±dV x 0.0001 RAD x ", kBaudRates, s.dV, ""}}};
}

HvsdSizes hvsdSizes(const Form& form) { return {form.value("dSD"), form.value("dH"), form.value("dV")}; }

Form bffbForm() {
    const BffbParams defaults;
    return {.name = "bffbDialog",
            .caption = "Calc BFFB line",
            .fields = {{"reading", "R ± 0.00001 m x ", {"4"}, defaults.reading, ""},
                       {"distance", "HD ± 0.001 m x ", {"4"}, defaults.distance, ""},
                       {"first", "Numeration 1", {"4"}, defaults.first, ""},
                       {"line", "Line No", {"1"}, defaults.line, ""}},
            .cancelEnabled = false};
}

BffbParams bffbParams(const Form& form) {
    return {.reading = form.value("reading"),
            .distance = form.value("distance"),
            .first = form.value("first"),
            .line = form.value("line")};
}

Form comPropertiesForm(const Settings& settings) {
    Form form{.name = "comPropertiesDialog", .caption = "COM Properties"};
    for (const ComList& l : comLists())
        form.fields.push_back({l.key, labelOf("Serial", l.key), l.entries, settings.*l.setting, l.hint});
    form.fields.push_back({"Direction", "", {kReceiveDirection, kSendDirection}, kReceiveDirection, ""});
    return form;
}

Direction applyComProperties(const Form& form, Settings& settings) {
    for (const ComList& l : comLists())
        if (const std::string& text = form.value(l.key); !text.empty()) settings.*l.setting = text;
    return form.value("Direction") == kSendDirection ? Direction::Send : Direction::Receive;
}

std::vector<SettingsControl> settingsControls() {
    std::vector<SettingsControl> controls;
    for (const SettingKey& key : settingKeys()) {
        if (std::string_view(key.section) != "Model" || *key.label == '\0') continue;
        ControlKind kind = key.kind == KeyKind::Model  ? ControlKind::ModelList
                           : key.kind == KeyKind::Path ? ControlKind::File
                           : isFlag(key)               ? ControlKind::Check
                                                       : ControlKind::Edit;
        controls.push_back({&key, kind});
    }
    return controls;
}

std::vector<std::string> modelNames() {
    std::vector<std::string> names;
    for (const ModelEntry& m : models()) names.emplace_back(m.name);
    return names;
}

void preselectModel(SettingsForm& form, const Detection& detection) {
    form.modelHint.clear();
    if (!detection.error.empty()) {
        form.modelHint = "cannot read this file: " + detection.error;
    } else if (detection.fits(form.values.Model)) {
        return;
    } else if (const ModelEntry* best = detection.best()) {
        form.values.Model = best->name;
        form.modelHint = std::string("looks like ") + best->name;
    } else {
        form.modelHint = "no model fits this file";
    }
}

std::vector<FileFilter> inputFilters() {
    return {{"Instrument files", {"*.gsi", "*.srd", "*.dat", "*.kor", "*.txt", "*.raw", "*.sdr", "*.rw5"}}, {"All files", {"*"}}};
}

std::vector<FileFilter> knownPointsFilters() { return {{"Known points", {"*.txt", "*.kor"}}, {"All files", {"*"}}}; }

bool offeredAsInput(std::string_view fileName, const std::function<bool(const std::string& name)>& besideIt) {
    auto endsWith = [fileName](std::string_view suffix) {
        return fileName.size() > suffix.size() && fileName.substr(fileName.size() - suffix.size()) == suffix;
    };
    // The outputs named by a suffix of their own; a levelling line file
    // (".dat", "_.dat") is the input of the BFFB line.
    for (const OutputEntry& out : outputs())
        for (const char* suffix : {out.suffix, out.variantSuffix})
            if (suffix && suffix[0] == '_' && endsWith(suffix)) return false;
    constexpr std::string_view kKor = ".kor";
    if (!endsWith(kKor)) return true;
    const std::string base(fileName.substr(0, fileName.size() - kKor.size()));
    const std::vector<FileFilter> filters = inputFilters();
    for (const std::string& pattern : filters.front().patterns) {
        const std::string extension = pattern.substr(1);
        if (extension != kKor && besideIt(base + extension)) return false;
    }
    return true;
}

}  // namespace tervan::desk
