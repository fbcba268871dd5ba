#include "core/settings.h"

#include <array>

#include "core/ini.h"
#include "core/numbers.h"

namespace tervan {
namespace {

using S = Settings;
constexpr int S::*noFlag = nullptr;
constexpr std::string S::*noText = nullptr;

#define FLAG(key, member, label, ...) \
    SettingKey{"Model", key, KeyKind::Flag, &S::member, noText, label __VA_OPT__(, ) __VA_ARGS__}
#define TEXT(section, key, kind, member, label, ...) \
    SettingKey{section, key, kind, noFlag, &S::member, label __VA_OPT__(, ) __VA_ARGS__}

const std::array kKeys = {
    TEXT("Model", "Model", KeyKind::Model, Model,
         "StationModel:", "the instrument model whose files are read (auto: the model that fits each file)"),
    FLAG("2DFile", TwoDFile, "File.dxf", "write the DXF drawing <base>_2d.dxf"),
    FLAG("3DFile", ThreeDFile, "3D", "the drawing in 3D, named <base>_3d.dxf"),
    FLAG("DpiFile", DpiFile, "File.dpi", "write the observation list <base>.dpi"),
    FLAG("KorFile", KorFile, "File.kor", "write the coordinate list <base>.kor"),
    FLAG("LevelsFile", LevelsFile, "LevelsScript.scr", "write the levels script <base>_z.scr"),
    FLAG("NamesFile", NamesFile, "NamesScript.scr", "write the names script <base>_names.scr"),
    FLAG("PointsFile", PointsFile, "PointsScript.scr", "write the points script <base>_point.scr"),
    FLAG("ScriptsFile", ScriptsFile, "ScriptsInOne.scr", "write the all-in-one script <base>.scr"),
    FLAG("NxyzFile", NxyzFile, "nxyz.txt", "write the name, X, Y, Z list <base>_nxyz.txt"),
    FLAG("NyxzFile", NyxzFile, "nyxz.txt", "write the name, Y, X, Z list <base>_nyxz.txt"),
    FLAG("XyzFile", XyzFile, "xyz.txt", "write the X, Y, Z list <base>_xyz.txt"),
    FLAG("TrasFile", TrasFile, "tras.dat", "write the tras.dat list <base>_tras.dat"),
    FLAG("SpaceInNames", SpaceInNames, "SpaceInNames", "name handling of the Zeiss 3303 reader"),
    FLAG("Z.000", Z000, "Z.000", "heights written with three decimals instead of two (scripts, DXF)"),
    SettingKey{"Model", "x1000", KeyKind::FlagUnlessNo, &S::x1000, noText, "x1000",
               "scale step: coordinates times 1000"},
    FLAG("StartWithFileOpen", StartWithFileOpen, "StartFOpen", "the window runs File/Open as soon as it opens"),
    FLAG("SaveSettings", SaveSettings, "SaveSettings", "the window writes the settings back to this file"),
    TEXT("Model", "LetterSize", KeyKind::NonZero, LetterSize,
         "FontSize:", "text height in the scripts and the DXF drawing"),
    TEXT("Model", "X0", KeyKind::Offset, X0, "X = X +", "offset added to X"),
    TEXT("Model", "Y0", KeyKind::Offset, Y0, "Y = Y +", "offset added to Y"),
    TEXT("Model", "Z0", KeyKind::Offset, Z0, "Z = Z +", "offset added to Z"),
    TEXT("Model", "dSD", KeyKind::NonZero, dSD, "", "size of the random distance errors (H, V, SD calculation)"),
    TEXT("Model", "dH", KeyKind::NonZero, dH, "", "size of the random horizontal angle errors (H, V, SD calculation)"),
    TEXT("Model", "dV", KeyKind::NonZero, dV, "", "size of the random vertical angle errors (H, V, SD calculation)"),
    TEXT("Model", "LevelLayer", KeyKind::NonEmpty, LevelLayer, "LayerLEVEL:", "DXF layer of the height texts"),
    TEXT("Model", "NamesLayer", KeyKind::NonEmpty, NamesLayer, "LayerNAMES:", "DXF layer of the name texts"),
    TEXT("Model", "PointsLayer", KeyKind::NonEmpty, PointsLayer, "LayerPOINTS:", "DXF layer of the points"),
    FLAG("ComputeXYZ", ComputeXYZ, "Compute XYZ", "compute coordinates from the observations"),
    FLAG("CsvFile", CsvFile, "File.csv", "write the CSV list <base>.csv (name, x, y, z, code)"),
    FLAG("LandXmlFile", LandXmlFile, "LandXML.xml", "write the LandXML points <base>.xml"),
    FLAG("LayerPerCode", LayerPerCode, "Layer per code", "the drawing puts each coded point on a layer of its code"),
    TEXT("Model", "KnownPoints", KeyKind::Path, KnownPoints, "Known points…",
         "list of known points (nxyz, nyxz or kor) for ComputeXYZ, or the benchmarks of levelling lines"),
    TEXT("Model", "LevelTolerance", KeyKind::NonZero, LevelTolerance, "Level tolerance mm/√km:",
         "allowed misclosure of a levelling line, mm per root km of its length"),
    FLAG("AdjustedFile", AdjustedFile, "Adjusted", "write the adjusted heights of the levelling lines <base>_adj.txt"),
    TEXT("DpiHeader", "Line1", KeyKind::Header, DpiLine1, "", "first header line of the observation list (.dpi)"),
    TEXT("DpiHeader", "Line2", KeyKind::Header, DpiLine2, "", "second header line of the observation list (.dpi)"),
    TEXT("DpiHeader", "Line3", KeyKind::Header, DpiLine3, "", "third header line of the observation list (.dpi)"),
    TEXT("KorHeader", "Line1", KeyKind::Header, KorLine1, "", "first header line of the coordinate list (.kor)"),
    TEXT("KorHeader", "Line2", KeyKind::Header, KorLine2, "", "second header line of the coordinate list (.kor)"),
    TEXT("KorHeader", "Line3", KeyKind::Header, KorLine3, "", "third header line of the coordinate list (.kor)"),
    TEXT("Serial", "ComName", KeyKind::NonEmpty, ComName,
         "COM name:", "serial port of the instrument (COM1, /dev/ttyUSB0, ...)"),
    TEXT("Serial", "Baud", KeyKind::NonEmpty, Baud, "Beets per second:", "serial line speed in bits per second"),
    TEXT("Serial", "DataBits", KeyKind::NonEmpty, DataBits, "Data bits:", "data bits of the serial line"),
    TEXT("Serial", "StopBits", KeyKind::NonEmpty, StopBits, "Stop bits:", "stop bits of the serial line"),
    TEXT("Serial", "Parity", KeyKind::NonEmpty, Parity, "Parity:", "parity of the serial line"),
    TEXT("Serial", "FlowControl", KeyKind::NonEmpty, FlowControl, "Flow control:", "flow control of the serial line"),
};

#undef FLAG
#undef TEXT

const char* yesNo(int flag) { return flag ? "Yes" : "No"; }

}  // namespace

std::span<const SettingKey> settingKeys() { return kKeys; }

bool isFlag(const SettingKey& key) { return key.kind == KeyKind::Flag || key.kind == KeyKind::FlagUnlessNo; }

const SettingKey* findSettingKey(std::string_view name) {
    const SettingKey* found = nullptr;
    int matches = 0;
    for (const auto& k : kKeys) {
        if (name == k.key) {
            found = &k;
            ++matches;
        }
    }
    if (matches == 1) return found;
    auto dot = name.find('.');
    if (dot == std::string_view::npos) return nullptr;
    for (const auto& k : kKeys)
        if (name.substr(0, dot) == k.section && name.substr(dot + 1) == k.key) return &k;
    return nullptr;
}

std::string settingRefusal(const Settings& settings) {
    // Sizes of letters and of errors beyond this are no sizes at all.
    constexpr double kLargestSize = 1e6;
    for (const auto& k : kKeys) {
        if (k.kind != KeyKind::NonZero && k.kind != KeyKind::Offset) continue;
        const std::string& text = settings.*k.text;
        const double limit = k.kind == KeyKind::Offset ? kLargestCoordinate : kLargestSize;
        if (std::string why = sizeRefusal(toNumber(text), limit); !why.empty())
            return "the setting " + std::string(k.key) + "=" + text + " " + why;
    }
    return {};
}

bool loadSettings(Settings& settings, const std::string& iniPath, std::string* reason) {
    IniDocument ini = IniDocument::load(iniPath, reason);
    if (!ini.exists()) return false;
    for (const auto& k : kKeys) {
        std::string value = ini.get(k.section, k.key);
        switch (k.kind) {
            case KeyKind::Flag:
                // Only an exact "Yes" sets a flag: a missing key clears it.
                settings.*k.flag = value == "Yes" ? 1 : 0;
                break;
            case KeyKind::FlagUnlessNo:
                // x1000 is the other way round: a missing key sets it.
                settings.*k.flag = value == "No" ? settings.*k.flag : 1;
                break;
            default:
                if (!value.empty()) settings.*k.text = value;
        }
    }
    return true;
}

bool saveSettingsAtExit(const Settings& settings, const std::string& iniPath, std::string* reason) {
    if (!settings.SaveSettings) return true;
    IniDocument ini;
    std::string why;
    if (!loadToChange(iniPath, ini, why)) {
        if (reason) *reason = why;
        return false;
    }
    for (const auto& k : kKeys) {
        switch (k.kind) {
            case KeyKind::Flag:
            case KeyKind::FlagUnlessNo:
                ini.set(k.section, k.key, yesNo(settings.*k.flag));
                break;
            case KeyKind::NonZero:
                if (toNumber(settings.*k.text) != 0) ini.set(k.section, k.key, settings.*k.text);
                break;
            case KeyKind::Offset:
                ini.set(k.section, k.key, toNumber(settings.*k.text) != 0 ? settings.*k.text : "0.000");
                break;
            case KeyKind::NonEmpty:
                if (!(settings.*k.text).empty()) ini.set(k.section, k.key, settings.*k.text);
                break;
            case KeyKind::Path:
                ini.set(k.section, k.key, settings.*k.text);
                break;
            case KeyKind::Model:
            case KeyKind::Header:
                break;
        }
    }
    return ini.save(iniPath, reason);
}

bool saveSettingsAfterDialog(const Settings& settings, const std::string& iniPath, std::string* reason) {
    if (!settings.SaveSettings) return true;
    IniDocument ini;
    std::string why;
    if (!loadToChange(iniPath, ini, why)) {
        if (reason) *reason = why;
        return false;
    }
    for (const auto& k : kKeys) {
        if (k.kind == KeyKind::Model && !settings.Model.empty() && settings.Model != kAutoModel)
            ini.set(k.section, k.key, settings.Model);
        if (isFlag(k)) ini.set(k.section, k.key, yesNo(settings.*k.flag));
    }
    return ini.save(iniPath, reason);
}

}  // namespace tervan
