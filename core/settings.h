// The Settings record: every configuration value of the program, named by
// its INI key. Flags are 0 or 1 ("Yes"/"No" in the INI file); everything else
// is text, converted to a number where it is used. Keys that are not C++
// names are spelled: 2DFile -> TwoDFile, 3DFile -> ThreeDFile, Z.000 -> Z000.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tervan {

// The Model that asks for the model that fits each input file (format
// detection); it is never saved as Model.
inline constexpr std::string_view kAutoModel = "auto";

struct Settings {
    // section "Model"
    std::string Model = "Zeiss3303";
    int TwoDFile = 1;
    int ThreeDFile = 1;
    int DpiFile = 1;
    int KorFile = 1;
    int LevelsFile = 1;
    int NamesFile = 1;
    int PointsFile = 1;
    int ScriptsFile = 1;
    int NxyzFile = 1;
    int NyxzFile = 1;
    int XyzFile = 1;
    int TrasFile = 1;
    int SpaceInNames = 1;
    int Z000 = 1;
    int x1000 = 0;
    int StartWithFileOpen = 1;
    int SaveSettings = 1;
    std::string LetterSize = "0.50";
    std::string X0 = "0.000";
    std::string Y0 = "0.000";
    std::string Z0 = "0.000";
    std::string dSD = "2";
    std::string dH = "50";
    std::string dV = "50";
    std::string LevelLayer = "NIVA";
    std::string NamesLayer = "NOMERA";
    std::string PointsLayer = "TOCKI";
    int ComputeXYZ = 0;           // coordinates from the observations
    int CsvFile = 0;              // the exchange formats of office software
    int LandXmlFile = 0;
    int LayerPerCode = 0;         // the drawing puts each coded point on a layer of its code
    std::string KnownPoints;      // the list of known points for ComputeXYZ, "" when none
    // levelling lines: the allowed misclosure in mm per √km, and the
    // adjusted heights (base_adj.txt)
    std::string LevelTolerance = "20";
    int AdjustedFile = 0;
    // sections "DpiHeader" and "KorHeader" (bytes 0x80 and up are MIK letters)
    std::string DpiLine1 = "\x20\x8E\x20\x81\x20\x85\x20\x8A\x20\x92\x20\x3A";
    std::string DpiLine2 = "    7  20   5   5   0   5  5  0  6  25   5   5";
    std::string DpiLine3 = "    NS      I    NT     T     R         Z        S";
    std::string KorLine1 = "\x20\x8E\x20\x81\x20\x85\x20\x8A\x20\x92\x20\x3A";
    std::string KorLine2 =
        " \x8D\xAE\xAC\xA5\xB0 \x8A\xAB\xA0\xB1      X           Y    \x8A\xAB\xA0\xB1   H         Mx     My    Ms       Mh";
    std::string KorLine3 = "  1970  7 4700000.000 9400000.000  0    0.0000    0.0    0.0   0.000    0.00";
    // section "Serial"
    std::string ComName = "COM1";
    std::string Baud = "9600";
    std::string DataBits = "8";
    std::string StopBits = "1";
    std::string Parity = "None";
    std::string FlowControl = "None";
};

// How a key is loaded and saved.
enum class KeyKind {
    Flag,        // loads as 1 only from exactly "Yes"; saved at exit and after the dialog
    FlagUnlessNo,  // x1000: loads as 1 unless exactly "No"; saved at exit and after the dialog
    Model,       // text; saved only after the Settings dialog
    NonZero,     // text saved at exit only when its number is not 0
    Offset,      // text saved at exit always: itself when its number is not 0, else "0.000"
    NonEmpty,    // text saved at exit only when not empty
    Header,      // text edited only in the INI file: loaded, never saved
    Path,        // a file's path, saved at exit as it stands (empty too, so that clearing it lasts)
};

// One row per INI key. The table drives the load, both saves, the Settings
// dialog and the command line's --set, so they cannot drift apart. Its order
// is the order of the saves.
struct SettingKey {
    const char* section;
    const char* key;
    KeyKind kind;
    int Settings::*flag;          // for the flag kinds
    std::string Settings::*text;  // for the text kinds
    // The label of its control: in the Settings dialog for the keys of
    // section "Model", in COM Properties for those of "Serial"; "" when no
    // dialog shows the key.
    const char* label;
    // What the key means, in plain words (tervan-cli keys, the manual).
    const char* meaning = "";
};

std::span<const SettingKey> settingKeys();

// The row for a key: "Key" when that names one key, or "Section.Key"
// (needed for Line1 to Line3, which two sections share). nullptr when none.
const SettingKey* findSettingKey(std::string_view name);

bool isFlag(const SettingKey& key);

// Why a number among the settings cannot be used (an offset, the letter
// size or an H, V, SD error size that is not a finite number, or is too
// large for the files to keep their columns), naming the key and its text;
// "" when every one can.
std::string settingRefusal(const Settings& settings);

// Loads the INI file over the settings. A file that cannot be read leaves
// them as they are (a first start keeps the built-in defaults instead of
// clearing every output flag and setting x1000) and gives false, with the
// reason when asked.
bool loadSettings(Settings& settings, const std::string& iniPath, std::string* reason = nullptr);

// Writes what the program keeps at exit (nothing unless SaveSettings is set).
// false, with the reason when asked, when it cannot be saved; a settings
// file that is there but cannot be read is never saved over.
bool saveSettingsAtExit(const Settings& settings, const std::string& iniPath, std::string* reason = nullptr);

// Writes Model (unless it is "auto") and the flags after the Settings
// dialog was confirmed (nothing unless SaveSettings is set); false as
// saveSettingsAtExit.
bool saveSettingsAfterDialog(const Settings& settings, const std::string& iniPath, std::string* reason = nullptr);

}  // namespace tervan
