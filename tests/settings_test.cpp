#include "core/settings.h"

#include <gtest/gtest.h>

#include "core/ini.h"
#include "test_util.h"

namespace tervan {
namespace {

std::vector<int Settings::*> outputAndNameFlags() {
    std::vector<int Settings::*> flags;
    for (const auto& k : settingKeys())
        if (k.kind == KeyKind::Flag) flags.push_back(k.flag);
    return flags;
}

TEST(SettingsDefaults, MikHeadersHaveTheirBytes) {
    Settings s;
    EXPECT_EQ(s.DpiLine1.size(), 12u);
    EXPECT_EQ(s.KorLine2.size(), 75u);
    EXPECT_EQ(s.KorLine2.substr(0, 7), " \x8D\xAE\xAC\xA5\xB0 ");
    EXPECT_EQ(s.KorLine2.substr(34, 8), "\x8A\xAB\xA0\xB1   H");
}

TEST(SettingsLoad, ModelOnlyClearsFlagsAndSetsX1000) {
    test::ScratchDir dir;
    std::string ini = dir.file("Tervan.ini");
    test::writeFile(ini, "[Model]\r\nModel=Leica1200\r\n");
    Settings s;
    loadSettings(s, ini);
    EXPECT_EQ(s.Model, "Leica1200");
    for (auto flag : outputAndNameFlags()) EXPECT_EQ(s.*flag, 0);
    EXPECT_EQ(s.x1000, 1);
    EXPECT_EQ(s.LetterSize, "0.50");
}

TEST(SettingsLoad, ValueRules) {
    struct Case {
        const char* line;
        int Settings::*flag;
        int expected;
    };
    const Case cases[] = {
        {"2DFile=Yes", &Settings::TwoDFile, 1},     {"2DFile=yes", &Settings::TwoDFile, 0},
        {"2DFile=1", &Settings::TwoDFile, 0},       {"x1000=No", &Settings::x1000, 0},
        {"x1000=no", &Settings::x1000, 1},          {"x1000=", &Settings::x1000, 1},
        {"StartWithFileOpen=Yes", &Settings::StartWithFileOpen, 1},
        {"StartWithFileOpen=YES", &Settings::StartWithFileOpen, 0},
        {"Z.000=Yes", &Settings::Z000, 1},
    };
    test::ScratchDir dir;
    std::string ini = dir.file("Tervan.ini");
    for (const auto& c : cases) {
        test::writeFile(ini, std::string("[Model]\r\n") + c.line + "\r\n");
        Settings s;
        loadSettings(s, ini);
        EXPECT_EQ(s.*c.flag, c.expected) << c.line;
    }
}

TEST(SettingsLoad, EmptyTextsKeepDefaults) {
    test::ScratchDir dir;
    std::string ini = dir.file("Tervan.ini");
    test::writeFile(ini, "[Model]\r\nLetterSize=\r\nX0=12.5\r\n[Serial]\r\nBaud=2400\r\n[KorHeader]\r\nLine3=\"  1970 x\"\r\n");
    Settings s;
    loadSettings(s, ini);
    EXPECT_EQ(s.LetterSize, "0.50");
    EXPECT_EQ(s.X0, "12.5");
    EXPECT_EQ(s.Baud, "2400");
    EXPECT_EQ(s.KorLine3, "  1970 x");
    EXPECT_EQ(s.DpiLine3, Settings{}.DpiLine3);
}

TEST(SettingsLoad, MissingFileKeepsBuiltInDefaults) {
    Settings s;
    loadSettings(s, "/nonexistent/Tervan.ini");
    Settings d;
    for (const auto& k : settingKeys()) {
        if (isFlag(k))
            EXPECT_EQ(s.*k.flag, d.*k.flag) << k.key;
        else
            EXPECT_EQ(s.*k.text, d.*k.text) << k.key;
    }
    EXPECT_EQ(s.x1000, 0);
    EXPECT_EQ(s.TwoDFile, 1);
}

TEST(SettingsSave, AtExitWritesTheKeptValues) {
    test::ScratchDir dir;
    std::string ini = dir.file("Tervan.ini");
    test::writeFile(ini, "[Model]\r\ndSD=7\r\nModel=kor\r\n");
    Settings s;
    s.Model = "nxyz";
    s.Z0 = "0";
    s.Y0 = "5";
    s.X0 = "abc";
    s.dSD = "0";
    s.LetterSize = "x";
    s.LevelLayer = "";
    s.x1000 = 1;
    ASSERT_TRUE(saveSettingsAtExit(s, ini));
    IniDocument doc = IniDocument::load(ini);
    EXPECT_EQ(doc.get("Model", "Model"), "kor");  // Model is not written at exit
    EXPECT_EQ(doc.get("Model", "dSD"), "7");      // a zero dSD leaves the line as it was
    EXPECT_EQ(doc.get("Model", "Y0"), "5");
    EXPECT_EQ(doc.get("Model", "Z0"), "0.000");
    EXPECT_EQ(doc.get("Model", "X0"), "0.000");
    EXPECT_EQ(doc.get("Model", "LetterSize"), "");
    EXPECT_EQ(doc.get("Model", "LevelLayer"), "");
    EXPECT_EQ(doc.get("Model", "x1000"), "Yes");
    EXPECT_EQ(doc.get("Model", "Z.000"), "Yes");
    EXPECT_EQ(doc.get("Model", "NamesLayer"), "NOMERA");
    EXPECT_EQ(doc.get("Serial", "FlowControl"), "None");
    EXPECT_EQ(doc.get("DpiHeader", "Line1"), "");
    // Save, load: the same settings again.
    Settings back;
    loadSettings(back, ini);
    EXPECT_EQ(back.x1000, 1);
    EXPECT_EQ(back.Y0, "5");
    EXPECT_EQ(back.SaveSettings, 1);
}

TEST(SettingsSave, NothingWithoutSaveSettings) {
    test::ScratchDir dir;
    std::string ini = dir.file("Tervan.ini");
    Settings s;
    s.SaveSettings = 0;
    EXPECT_TRUE(saveSettingsAtExit(s, ini));
    EXPECT_TRUE(saveSettingsAfterDialog(s, ini));
    EXPECT_FALSE(test::fileExists(ini));
}

TEST(SettingsSave, AfterDialogWritesModelAndFlagsOnly) {
    test::ScratchDir dir;
    std::string ini = dir.file("Tervan.ini");
    Settings s;
    s.Model = "Pentax300Polar";
    s.KorFile = 0;
    s.X0 = "12";
    ASSERT_TRUE(saveSettingsAfterDialog(s, ini));
    IniDocument doc = IniDocument::load(ini);
    EXPECT_EQ(doc.get("Model", "Model"), "Pentax300Polar");
    EXPECT_EQ(doc.get("Model", "KorFile"), "No");
    EXPECT_EQ(doc.get("Model", "SaveSettings"), "Yes");
    EXPECT_EQ(doc.get("Model", "X0"), "");
    std::string bytes = test::readFile(ini);
    EXPECT_EQ(bytes.substr(0, 39), "[Model]\r\nModel=Pentax300Polar\r\n2DFile=Y");
}

TEST(SettingsSave, MikHeaderBytesSurviveSaveAndLoad) {
    test::ScratchDir dir;
    std::string ini = dir.file("Tervan.ini");
    std::string header = std::string(" \x8E \x81 \xFF:  ");
    test::writeFile(ini, "[KorHeader]\r\nLine2=\"" + header + "\"\r\n[Model]\r\nModel=kor\r\n");
    Settings s;
    loadSettings(s, ini);
    EXPECT_EQ(s.KorLine2, header);
    ASSERT_TRUE(saveSettingsAtExit(s, ini));
    Settings back;
    loadSettings(back, ini);
    EXPECT_EQ(back.KorLine2, header);
}

TEST(SettingsSave, ComputeXyzAndTheKnownPointsLast) {
    test::ScratchDir dir;
    std::string ini = dir.file("Tervan.ini");
    test::writeFile(ini,
                    "[Model]\r\nSaveSettings=Yes\r\nComputeXYZ=Yes\r\nKnownPoints=\"C:\\jobs\\base points.kor\"\r\n");
    Settings s;
    loadSettings(s, ini);
    EXPECT_EQ(s.ComputeXYZ, 1);
    EXPECT_EQ(s.KnownPoints, "C:\\jobs\\base points.kor");
    // cleared in the dialog: the empty path is kept, not the old one
    s.ComputeXYZ = 0;
    s.KnownPoints = "";
    ASSERT_TRUE(saveSettingsAtExit(s, ini));
    Settings back;
    loadSettings(back, ini);
    EXPECT_EQ(back.ComputeXYZ, 0);
    EXPECT_EQ(back.KnownPoints, "");
    EXPECT_NE(test::readFile(ini).find("\r\nKnownPoints=\r\n"), std::string::npos);
}

TEST(SettingKeys, NamesFindTheirRows) {
    EXPECT_EQ(findSettingKey("Z.000")->flag, &Settings::Z000);
    EXPECT_EQ(findSettingKey("2DFile")->flag, &Settings::TwoDFile);
    EXPECT_EQ(findSettingKey("KorHeader.Line3")->text, &Settings::KorLine3);
    EXPECT_EQ(findSettingKey("Line3"), nullptr);  // two sections have it
    EXPECT_EQ(findSettingKey("model"), nullptr);  // names are exact
    EXPECT_EQ(findSettingKey("Serial.Baud")->text, &Settings::Baud);
}

}  // namespace
}  // namespace tervan
