#include "core/ini.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/settings.h"
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

// A file with a byte-order mark (UTF-8, or UTF-16LE as Notepad saves
// "Unicode") reads like one without, and is saved in its own encoding.
TEST(IniEncoding, ByteOrderMarksAreReadAndKept) {
    using namespace std::string_literals;
    struct Case {
        const char* name;
        std::string bytes;
        std::string saved;  // after Model=kor
    };
    const Case cases[] = {
        {"UTF-8", "\xEF\xBB\xBF[Model]\r\nModel=Leica1200\r\nLine1=\xD0\x96\r\n",
         "\xEF\xBB\xBF[Model]\r\nModel=kor\r\nLine1=\xD0\x96\r\n"},
        {"UTF-16LE", "\xFF\xFE[\0M\0o\0d\0e\0l\0]\0\r\0\n\0M\0o\0d\0e\0l\0=\0L\0e\0i\0c\0a\0001\0002\0000\0000\0\r\0\n\0L\0i\0n\0e\0001\0=\0\x16\x04\r\0\n\0"s,
         "\xFF\xFE[\0M\0o\0d\0e\0l\0]\0\r\0\n\0M\0o\0d\0e\0l\0=\0k\0o\0r\0\r\0\n\0L\0i\0n\0e\0001\0=\0\x16\x04\r\0\n\0"s},
    };
    for (const Case& c : cases) {
        IniDocument ini = IniDocument::parse(c.bytes);
        EXPECT_EQ(ini.get("Model", "Model"), "Leica1200") << c.name;
        EXPECT_EQ(ini.get("Model", "Line1"), "\xD0\x96") << c.name;  // Ж, in UTF-8 inside the program
        ini.set("Model", "Model", "kor");
        EXPECT_EQ(ini.bytes(), c.saved) << c.name;
    }
}

// A file that is there but cannot be read is never saved over.
TEST(IniWrite, NeverSavesOverAFileItCannotRead) {
    test::ScratchDir dir;
    std::filesystem::create_directory(dir.file("Tervan.ini"));
    EXPECT_FALSE(iniWrite(dir.file("Tervan.ini"), "Model", "Model", "kor"));
    Settings settings;
    std::string reason;
    EXPECT_FALSE(saveSettingsAtExit(settings, dir.file("Tervan.ini"), &reason));
    EXPECT_EQ(reason, "cannot read it: it is a folder");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Tervan.ini")));
}

TEST(IniWrite, UnwritableFolderFailsAndLeavesNothing) {
    EXPECT_FALSE(iniWrite("/nonexistent/folder/Tervan.ini", "Model", "Model", "kor"));
}

}  // namespace
}  // namespace tervan
