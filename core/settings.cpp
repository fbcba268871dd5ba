#include "core/settings.h"

#include <array>

#include "core/ini.h"
#include "core/numbers.h"

namespace tervan {
namespace {

using S = Settings;
constexpr int S::*noFlag = nullptr;
constexpr std::string S::*noText = nullptr;

#define FLAG(key, member, label, id) SettingKey{"Model", key, KeyKind::Flag, &S::member, noText, label, id}
#define TEXT(section, key, kind, member, label, id) SettingKey{section, key, kind, noFlag, &S::member, label, id}

const std::array kKeys = {
    TEXT("Model", "Model", KeyKind::Model, Model, "StationModel:", 1038),
    FLAG("2DFile", TwoDFile, "File.dxf", 1001),
    FLAG("3DFile", ThreeDFile, "3D", 1003),
    FLAG("DpiFile", DpiFile, "File.dpi", 1002),
    FLAG("KorFile", KorFile, "File.kor", 1008),
    FLAG("LevelsFile", LevelsFile, "LevelsScript.scr", 1006),
    FLAG("NamesFile", NamesFile, "NamesScript.scr", 1005),
    FLAG("PointsFile", PointsFile, "PointsScript.scr", 1004),
    FLAG("ScriptsFile", ScriptsFile, "ScriptsInOne.scr", 1011),
    FLAG("NxyzFile", NxyzFile, "nxyz.txt", 1014),
    FLAG("NyxzFile", NyxzFile, "nyxz.txt", 1015),
    FLAG("XyzFile", XyzFile, "xyz.txt", 1027),
    FLAG("TrasFile", TrasFile, "tras.dat", 1028),
    FLAG("SpaceInNames", SpaceInNames, "SpaceInNames", 1016),
    FLAG("Z.000", Z000, "Z.000", 1017),
    SettingKey{"Model", "x1000", KeyKind::FlagUnlessNo, &S::x1000, noText, "x1000", 1025},
    FLAG("StartWithFileOpen", StartWithFileOpen, "StartFOpen", 1024),
    FLAG("SaveSettings", SaveSettings, "SaveSettings", 1009),
    TEXT("Model", "LetterSize", KeyKind::NonZero, LetterSize, "FontSize:", 1013),
    TEXT("Model", "X0", KeyKind::Offset, X0, "X = X +", 1032),
    TEXT("Model", "Y0", KeyKind::Offset, Y0, "Y = Y +", 1033),
    TEXT("Model", "Z0", KeyKind::Offset, Z0, "Z = Z +", 1034),
    TEXT("Model", "dSD", KeyKind::NonZero, dSD, "", 0),
    TEXT("Model", "dH", KeyKind::NonZero, dH, "", 0),
    TEXT("Model", "dV", KeyKind::NonZero, dV, "", 0),
    TEXT("Model", "LevelLayer", KeyKind::NonEmpty, LevelLayer, "LayerLEVEL:", 1018),
    TEXT("Model", "NamesLayer", KeyKind::NonEmpty, NamesLayer, "LayerNAMES:", 1020),
    TEXT("Model", "PointsLayer", KeyKind::NonEmpty, PointsLayer, "LayerPOINTS:", 1022),
    TEXT("DpiHeader", "Line1", KeyKind::Header, DpiLine1, "", 0),
    TEXT("DpiHeader", "Line2", KeyKind::Header, DpiLine2, "", 0),
    TEXT("DpiHeader", "Line3", KeyKind::Header, DpiLine3, "", 0),
    TEXT("KorHeader", "Line1", KeyKind::Header, KorLine1, "", 0),
    TEXT("KorHeader", "Line2", KeyKind::Header, KorLine2, "", 0),
    TEXT("KorHeader", "Line3", KeyKind::Header, KorLine3, "", 0),
    TEXT("Serial", "ComName", KeyKind::NonEmpty, ComName, "COM name:", 0),
    TEXT("Serial", "Baud", KeyKind::NonEmpty, Baud, "Beets per second:", 0),
    TEXT("Serial", "DataBits", KeyKind::NonEmpty, DataBits, "Data bits:", 0),
    TEXT("Serial", "StopBits", KeyKind::NonEmpty, StopBits, "Stop bits:", 0),
    TEXT("Serial", "Parity", KeyKind::NonEmpty, Parity, "Parity:", 0),
    TEXT("Serial", "FlowControl", KeyKind::NonEmpty, FlowControl, "Flow control:", 0),
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
                // Only an exact "Yes" keeps a flag: a missing key clears it.
                settings.*k.flag = value == "Yes" ? settings.*k.flag : 0;
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
        if (k.kind == KeyKind::Model && !settings.Model.empty()) ini.set(k.section, k.key, settings.Model);
        if (isFlag(k)) ini.set(k.section, k.key, yesNo(settings.*k.flag));
    }
    return ini.save(iniPath);
}

}  // namespace tervan
