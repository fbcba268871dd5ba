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

namespace {

char keyOf(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool canBeKey(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// The places of a label's possible keys, best first: the first letters of
// its words (and its capitals), then its other letters and digits.
std::vector<std::size_t> keyPlaces(const std::string& label) {
    std::vector<std::size_t> first, other;
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (!canBeKey(label[i])) continue;
        const bool starts = i == 0 || !canBeKey(label[i - 1]) || (label[i] >= 'A' && label[i] <= 'Z');
        (starts ? first : other).push_back(i);
    }
    first.insert(first.end(), other.begin(), other.end());
    return first;
}

}  // namespace

std::vector<std::string> withAccessKeys(const std::vector<std::string>& labels, std::string_view taken) {
    // A matching of labels to keys, made larger along augmenting paths.
    std::vector<std::vector<std::size_t>> places;
    for (const std::string& label : labels) places.push_back(keyPlaces(label));
    std::vector<int> owner(256, -1);      // the label holding each key
    std::vector<std::size_t> chosen(labels.size(), std::string::npos);
    auto keyAt = [&](std::size_t l, std::size_t at) { return static_cast<unsigned char>(keyOf(labels[l][at])); };
    auto take = [&](std::size_t l, std::size_t at) {
        owner[keyAt(l, at)] = static_cast<int>(l);
        chosen[l] = at;
        return true;
    };
    // A free key first, the best one; else one whose holder can move on.
    std::function<bool(std::size_t, std::vector<bool>&)> assign = [&](std::size_t l, std::vector<bool>& seen) {
        for (std::size_t at : places[l])
            if (owner[keyAt(l, at)] < 0 && taken.find(static_cast<char>(keyAt(l, at))) == std::string_view::npos)
                return take(l, at);
        for (std::size_t at : places[l]) {
            const unsigned char k = keyAt(l, at);
            if (seen[k] || taken.find(static_cast<char>(k)) != std::string_view::npos) continue;
            seen[k] = true;
            if (assign(static_cast<std::size_t>(owner[k]), seen)) return take(l, at);
        }
        return false;
    };
    for (std::size_t l = 0; l < labels.size(); ++l) {
        std::vector<bool> seen(256, false);
        assign(l, seen);
    }
    std::vector<std::string> marked;
    for (std::size_t l = 0; l < labels.size(); ++l) {
        std::string label = labels[l];
        if (chosen[l] != std::string::npos)
            label.insert(chosen[l], 1, '&');
        else if (!places[l].empty())
            label.insert(places[l].front(), 1, '&');
        marked.push_back(std::move(label));
    }
    return marked;
}

std::vector<SettingsControl> settingsControls() {
    std::vector<SettingsControl> controls;
    std::vector<std::string> labels;
    for (const SettingKey& key : settingKeys()) {
        if (std::string_view(key.section) != "Model" || *key.label == '\0') continue;
        ControlKind kind = key.kind == KeyKind::Model  ? ControlKind::ModelList
                           : key.kind == KeyKind::Path ? ControlKind::File
                           : isFlag(key)               ? ControlKind::Check
                                                       : ControlKind::Edit;
        controls.push_back({&key, kind, {}});
        labels.emplace_back(key.label);
    }
    // "OK" and "Cancel" answer to Enter and Escape and keep no key.
    labels = withAccessKeys(labels);
    for (std::size_t i = 0; i < controls.size(); ++i) controls[i].accessLabel = labels[i];
    return controls;
}

std::vector<std::string> modelNames() {
    std::vector<std::string> names;
    for (const ModelEntry& m : models()) names.emplace_back(m.name);
    return names;
}

std::string settingTip(std::string_view key) {
    static const std::pair<const char*, const char*> kTips[] = {
        {"Model", "The instrument or list format of the file; the list also takes a name typed in"},
        {"2DFile", "Write a DXF drawing of the points, their names and heights"},
        {"3DFile", "Draw the points at their real heights, in the DXF drawing (named _3d.dxf) and the scripts"},
        {"DpiFile", "Write the observations as a .dpi list"},
        {"KorFile", "Write the points as a .kor coordinate file"},
        {"LevelsFile", "Write a CAD script that writes each point's height beside it"},
        {"NamesFile", "Write a CAD script that writes each point's name beside it"},
        {"PointsFile", "Write a CAD script that draws each point"},
        {"ScriptsFile", "Write the points, names and heights in one CAD script"},
        {"NxyzFile", "Write a text list: name, X, Y, Z (job_nxyz.txt)"},
        {"NyxzFile", "Write a text list: name, Y, X, Z (job_nyxz.txt)"},
        {"XyzFile", "Write a text list of X, Y, Z without names (job_xyz.txt)"},
        {"TrasFile", "Write the points as a tras.dat coordinate list (job_tras.dat)"},
        {"SpaceInNames", "Kept for the Zeiss 3303 files; it changes nothing in the conversion"},
        {"Z.000", "Write heights with three decimals in the drawings and scripts"},
        {"x1000", "Multiply the coordinates by 1000 in every file written"},
        {"StartWithFileOpen", "Show the open-file dialog as soon as the program starts"},
        {"SaveSettings", "Keep these settings for the next start (written when you press OK)"},
        {"LetterSize", "Height of the texts (names, heights) in the DXF drawing and the scripts"},
        {"X0", "Added to every X coordinate written"},
        {"Y0", "Added to every Y coordinate written"},
        {"Z0", "Added to every height written"},
        {"LevelLayer", "Layer of the heights in the drawings and scripts"},
        {"NamesLayer", "Layer of the point names in the drawings and scripts"},
        {"PointsLayer", "Layer of the points in the drawings and scripts"},
        {"ComputeXYZ", "Compute X, Y, Z from the observations, starting from the known points"},
        {"KnownPoints", "The list of known points (nxyz, nyxz or kor): the stations of ComputeXYZ, the benchmarks of levelling lines"},
        {"CsvFile", "Write a CSV list: name, X, Y, Z, code (job.csv)"},
        {"LandXmlFile", "Write the points as LandXML, for other surveying and CAD programs (job.xml)"},
        {"LayerPerCode", "Put each coded point of the drawing on a layer named after its code"},
        {"LevelTolerance", "The misclosure a levelling line may have, in mm per square root of its length in km"},
        {"AdjustedFile", "Write the heights of each levelling line adjusted for its misclosure (job_adj.txt)"},
    };
    for (const auto& [name, tip] : kTips)
        if (key == name) return tip;
    return {};
}

Form findForm(const std::string& name) {
    return {.name = "findDialog",
            .caption = "Find a point",
            .fields = {{.key = "Name", .label = "Point name:", .presets = {}, .value = name, .hint = {}}},
            .cancelEnabled = true};
}

void preselectModel(SettingsForm& form, const Detection& detection) {
    form.modelHint.clear();
    form.modelHintWarns = true;
    if (!detection.error.empty()) {
        form.modelHint = "cannot read this file: " + detection.error;
        return;
    }
    const ModelEntry* best = detection.best();
    if (!best) {
        form.modelHint = "no model fits this file";
        return;
    }
    if (!detection.fits(form.values.Model)) {
        form.values.Model = best->name;
    } else if (const ModelEntry* other = detection.betterThan(form.values.Model)) {
        // The choice stays, but a model that reads the file better is named.
        form.modelHint = std::string("looks like ") + other->name;
        return;
    }
    form.modelHintWarns = false;
    form.modelHint = form.values.Model + " fits";
    std::vector<std::string> others = detection.alike();
    others.insert(others.begin(), best->name);
    for (const std::string& other : others)
        if (other != form.values.Model) form.modelHint += "; " + other + " fits as well";
}

std::vector<FileFilter> inputFilters() {
    return {{"Instrument files",
             {"*.gsi", "*.srd", "*.dat", "*.kor", "*.txt", "*.raw", "*.sdr", "*.rw5", "*.m5", "*.r5", "*.job", "*.are",
              "*.gts7", "*.csv"}},
            {"All files", {"*"}}};
}

std::vector<FileFilter> knownPointsFilters() { return {{"Known points", {"*.txt", "*.kor"}}, {"All files", {"*"}}}; }

std::vector<FileFilter> receiveLogFilters() { return {{"Receive logs", {"*.srd"}}, {"All files", {"*"}}}; }

bool offeredAsInput(std::string_view fileName, const std::function<bool(const std::string& name)>& besideIt) {
    auto endsWith = [fileName](std::string_view suffix) {
        return fileName.size() > suffix.size() && fileName.substr(fileName.size() - suffix.size()) == suffix;
    };
    // The outputs named by a suffix of their own; a levelling line file
    // (".dat", "_.dat") is the input of the BFFB line.
    for (const OutputEntry& out : outputs())
        for (const char* suffix : {out.suffix, out.variantSuffix})
            if (suffix && suffix[0] == '_' && endsWith(suffix)) return false;
    // The lists that are inputs too (.kor, .csv): one beside an instrument
    // file of its name is that file's output.
    for (std::string_view list : {".kor", ".csv"}) {
        if (!endsWith(list)) continue;
        const std::string base(fileName.substr(0, fileName.size() - list.size()));
        const std::vector<FileFilter> filters = inputFilters();
        for (const std::string& pattern : filters.front().patterns) {
            const std::string extension = pattern.substr(1);
            if (extension != ".kor" && extension != ".csv" && besideIt(base + extension)) return false;
        }
    }
    return true;
}

}  // namespace tervan::desk
