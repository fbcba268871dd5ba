#include "core/ini.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_util.h"

namespace tervan {
namespace {

TEST(IniRead, FollowsTheProfileRules) {
    const std::string file =
        "  [ Model ]  \r\n"
        "Model = Leica1200  \r\n"
        "Quoted=\"  spaced  \"\n"
        "Single=' x '\r"
        "Blank=    \r\n"
        "NoEquals\r\n"
        ";Comment=semi\r\n"
        "#Hash=hash\r\n"
        "Dup=first\r\n"
        "dup=second\r\n"
        "High=\x8E\x81\xFF\r\n"
        "[model]\r\n"
        "Other=in second section\r\n"
        "[Serial]\r\n"
        "Baud=1200";
    IniDocument ini = IniDocument::parse(file);
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"Model", "Model", "Leica1200"},
        {"MODEL", "model", "Leica1200"},
        {"Model", "Quoted", "  spaced  "},
        {"Model", "Single", " x "},
        {"Model", "Blank", ""},
        {"Model", "NoEquals", ""},
        {"Model", ";Comment", "semi"},
        {"Model", "#Hash", "hash"},
        {"Model", "Dup", "first"},
        {"Model", "High", "\x8E\x81\xFF"},
        {"Model", "Other", ""},
        {"Serial", "Baud", "1200"},
        {"Serial", "Missing", ""},
        {"Nowhere", "Baud", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ini.get(c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(IniRead, MissingFileReadsEmpty) {
    EXPECT_EQ(iniRead("/nonexistent/Tervan.ini", "Model", "Model"), "");
    EXPECT_FALSE(IniDocument::load("/nonexistent/Tervan.ini").exists());
}

TEST(IniWrite, ChangesOnlyTheKeyLine) {
    struct Case {
        const char* name;
        std::string before;
        const char* section;
        const char* key;
        const char* value;
        std::string after;
    };
    const Case cases[] = {
        {"replace keeps other bytes", "; top\n[Model]\r\nA=1\r\nb = 2\n\n[X]\rY=3", "model", "B", "\x8E",
         "; top\n[Model]\r\nA=1\r\nB=\x8E\n\n[X]\rY=3"},
        {"new key after last line of its section", "[Model]\r\nA=1\r\n\r\n[Serial]\r\nC=3\r\n", "Model", "K", "v",
         "[Model]\r\nA=1\r\nK=v\r\n\r\n[Serial]\r\nC=3\r\n"},
        {"new section at the end", "[Model]\r\nA=1", "Serial", "Baud", "1200",
         "[Model]\r\nA=1\r\n[Serial]\r\nBaud=1200\r\n"},
        {"empty file", "", "Model", "A", "1", "[Model]\r\nA=1\r\n"},
    };
    for (const auto& c : cases) {
        IniDocument ini = IniDocument::parse(c.before);
        ini.set(c.section, c.key, c.value);
        EXPECT_EQ(ini.bytes(), c.after) << c.name;
    }
}

TEST(IniWrite, CreatesAndReplacesTheFileAtomically) {
    test::ScratchDir dir;
    std::string path = dir.file("Tervan.ini");
    ASSERT_TRUE(iniWrite(path, "Model", "Model", "kor"));
    ASSERT_TRUE(iniWrite(path, "Model", "x1000", "No"));
    ASSERT_TRUE(iniWrite(path, "Model", "Model", "nxyz"));
    EXPECT_EQ(test::readFile(path), "[Model]\r\nModel=nxyz\r\nx1000=No\r\n");
    EXPECT_EQ(iniRead(path, "model", "MODEL"), "nxyz");
    // Nothing but the settings file is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1);
}

TEST(IniWrite, UnwritableFolderFailsAndLeavesNothing) {
    EXPECT_FALSE(iniWrite("/nonexistent/folder/Tervan.ini", "Model", "Model", "kor"));
}

}  // namespace
}  // namespace tervan
