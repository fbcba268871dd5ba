#include "core/settings.h"

#include <array>

#include "core/ini.h"
#include "core/numbers.h"

namespace tervan {
namespace {

using S = Settings;
constexpr int S::*noFlag = nullptr;
constexpr std::string S::*noText = nullptr;

#define FLAG(key, member, label) SettingKey{"Model", key, KeyKind::Flag, &S::member, noText, label}
#define TEXT(section, key, kind, member, label) SettingKey{section, key, kind, noFlag, &S::member, label}

const std::array kKeys = {
    TEXT("Model", "Model", KeyKind::Model, Model, "StationModel:"),
    FLAG("2DFile", TwoDFile, "File.dxf"),
    FLAG("3DFile", ThreeDFile, "3D"),
    FLAG("DpiFile", DpiFile, "File.dpi"),
    FLAG("KorFile", KorFile, "File.kor"),
    FLAG("LevelsFile", LevelsFile, "LevelsScript.scr"),
    FLAG("NamesFile", NamesFile, "NamesScript.scr"),
    FLAG("PointsFile", PointsFile, "PointsScript.scr"),
    FLAG("ScriptsFile", ScriptsFile, "ScriptsInOne.scr"),
    FLAG("NxyzFile", NxyzFile, "nxyz.txt"),
    FLAG("NyxzFile", NyxzFile, "nyxz.txt"),
    FLAG("XyzFile", XyzFile, "xyz.txt"),
    FLAG("TrasFile", TrasFile, "tras.dat"),
    FLAG("SpaceInNames", SpaceInNames, "SpaceInNames"),
    FLAG("Z.000", Z000, "Z.000"),
    SettingKey{"Model", "x1000", KeyKind::FlagUnlessNo, &S::x1000, noText, "x1000"},
    FLAG("StartWithFileOpen", StartWithFileOpen, "StartFOpen"),
    FLAG("SaveSettings", SaveSettings, "SaveSettings"),
    TEXT("Model", "LetterSize", KeyKind::NonZero, LetterSize, "FontSize:"),
    TEXT("Model", "X0", KeyKind::Offset, X0, "X = X +"),
    TEXT("Model", "Y0", KeyKind::Offset, Y0, "Y = Y +"),
    TEXT("Model", "Z0", KeyKind::Offset, Z0, "Z = Z +"),
    TEXT("Model", "dSD", KeyKind::NonZero, dSD, ""),
    TEXT("Model", "dH", KeyKind::NonZero, dH, ""),
    TEXT("Model", "dV", KeyKind::NonZero, dV, ""),
    TEXT("Model", "LevelLayer", KeyKind::NonEmpty, LevelLayer, "LayerLEVEL:"),
    TEXT("Model", "NamesLayer", KeyKind::NonEmpty, NamesLayer, "LayerNAMES:"),
    TEXT("Model", "PointsLayer", KeyKind::NonEmpty, PointsLayer, "LayerPOINTS:"),
    FLAG("ComputeXYZ", ComputeXYZ, "Compute XYZ"),
    FLAG("CsvFile", CsvFile, "File.csv"),
    FLAG("LandXmlFile", LandXmlFile, "LandXML.xml"),
    FLAG("LayerPerCode", LayerPerCode, "Layer per code"),
    TEXT("Model", "KnownPoints", KeyKind::Path, KnownPoints, "Known points…"),
    TEXT("DpiHeader", "Line1", KeyKind::Header, DpiLine1, ""),
    TEXT("DpiHeader", "Line2", KeyKind::Header, DpiLine2, ""),
    TEXT("DpiHeader", "Line3", KeyKind::Header, DpiLine3, ""),
    TEXT("KorHeader", "Line1", KeyKind::Header, KorLine1, ""),
    TEXT("KorHeader", "Line2", KeyKind::Header, KorLine2, ""),
    TEXT("KorHeader", "Line3", KeyKind::Header, KorLine3, ""),
    TEXT("Serial", "ComName", KeyKind::NonEmpty, ComName, "COM name:"),
    TEXT("Serial", "Baud", KeyKind::NonEmpty, Baud, "Beets per second:"),
    TEXT("Serial", "DataBits", KeyKind::NonEmpty, DataBits, "Data bits:"),
    TEXT("Serial", "StopBits", KeyKind::NonEmpty, StopBits, "Stop bits:"),
    TEXT("Serial", "Parity", KeyKind::NonEmpty, Parity, "Parity:"),
    TEXT("Serial", "FlowControl", KeyKind::NonEmpty, FlowControl, "Flow control:"),
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

void loadSettings(Settings& settings, const std::string& iniPath) {
    IniDocument ini = IniDocument::load(iniPath);
    if (!ini.exists()) return;
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
}

bool saveSettingsAtExit(const Settings& settings, const std::string& iniPath) {
    if (!settings.SaveSettings) return true;
    IniDocument ini = IniDocument::load(iniPath);
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
    return ini.save(iniPath);
}

bool saveSettingsAfterDialog(const Settings& settings, const std::string& iniPath) {
    if (!settings.SaveSettings) return true;
    IniDocument ini = IniDocument::load(iniPath);
    for (const auto& k : kKeys) {
        if (k.kind == KeyKind::Model && !settings.Model.empty() && settings.Model != kAutoModel)
            ini.set(k.section, k.key, settings.Model);
        if (isFlag(k)) ini.set(k.section, k.key, yesNo(settings.*k.flag));
    }
    return ini.save(iniPath);
}

}  // namespace tervan
