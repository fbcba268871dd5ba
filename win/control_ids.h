// The control of each setting in the Settings dialog, by INI key. A path's
// edit field has its button (IDC_KNOWNPOINTS_BUTTON) before it.
#pragma once

#include <string_view>

#include "win/resource.h"

namespace tervan::win {

struct SettingControl {
    std::string_view key;
    int id;
};

inline constexpr SettingControl kSettingControls[] = {
    {"Model", IDC_MODEL},
    {"2DFile", IDC_2DFILE},
    {"3DFile", IDC_3DFILE},
    {"DpiFile", IDC_DPIFILE},
    {"KorFile", IDC_KORFILE},
    {"LevelsFile", IDC_LEVELSFILE},
    {"NamesFile", IDC_NAMESFILE},
    {"PointsFile", IDC_POINTSFILE},
    {"ScriptsFile", IDC_SCRIPTSFILE},
    {"NxyzFile", IDC_NXYZFILE},
    {"NyxzFile", IDC_NYXZFILE},
    {"XyzFile", IDC_XYZFILE},
    {"TrasFile", IDC_TRASFILE},
    {"SpaceInNames", IDC_SPACEINNAMES},
    {"Z.000", IDC_Z000},
    {"x1000", IDC_X1000},
    {"StartWithFileOpen", IDC_STARTWITHFILEOPEN},
    {"SaveSettings", IDC_SAVESETTINGS},
    {"ComputeXYZ", IDC_COMPUTEXYZ},
    {"CsvFile", IDC_CSVFILE},
    {"LandXmlFile", IDC_LANDXMLFILE},
    {"LayerPerCode", IDC_LAYERPERCODE},
    {"KnownPoints", IDC_KNOWNPOINTS},
    {"LevelTolerance", IDC_LEVELTOLERANCE},
    {"AdjustedFile", IDC_ADJUSTEDFILE},
    {"LetterSize", IDC_LETTERSIZE},
    {"X0", IDC_X0},
    {"Y0", IDC_Y0},
    {"Z0", IDC_Z0},
    {"LevelLayer", IDC_LEVELLAYER},
    {"NamesLayer", IDC_NAMESLAYER},
    {"PointsLayer", IDC_POINTSLAYER},
};

// The identifier of key's control; 0 when the dialog has none.
constexpr int settingControl(std::string_view key) {
    for (const SettingControl& c : kSettingControls)
        if (c.key == key) return c.id;
    return 0;
}

// The template of a dialog of fields (desk::Form::name); 0 when none.
constexpr int formTemplate(std::string_view name) {
    return name == "hvsdDialog"            ? IDD_HVSD
           : name == "bffbDialog"          ? IDD_BFFB
           : name == "comPropertiesDialog" ? IDD_COM
           : name == "findDialog"          ? IDD_FIND
                                           : 0;
}

}  // namespace tervan::win
