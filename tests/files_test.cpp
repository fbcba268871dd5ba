// The file layer: names with any letters reach the system as they are, and
// "the same file" is what the system says it is.
#include "core/files.h"

#include <gtest/gtest.h>

#include <set>

#include "core/ini.h"
#include "test_util.h"

namespace tervan {
namespace {

namespace fs = std::filesystem;

// Windows compares names regardless of letter case; Linux does not.
#ifdef _WIN32
constexpr bool kCaseBlind = true;
#else
constexpr bool kCaseBlind = false;
#endif

TEST(Files, NamesWithAnyLettersArriveAsTheyAre) {
    test::ScratchDir dir;
    const std::set<std::string> names = {"Müller.txt", "ТОЧКИ.KOR", "Ñandú über 北京.gsi", "plain name.txt"};
    for (const std::string& name : names) {
        std::FILE* f = openFile(dir.file(name), "wb");
        ASSERT_NE(f, nullptr) << name;
        std::fputs(name.c_str(), f);
        std::fclose(f);
        EXPECT_EQ(test::readFile(dir.file(name)), name);
    }
    std::set<std::string> listed;
    for (const auto& entry : fs::directory_iterator(dir.path())) listed.insert(utf8Path(entry.path().filename()));
    EXPECT_EQ(listed, names);
}

TEST(Files, SameFileIsTheSystemsAnswer) {
    test::ScratchDir dir;
    const std::string file = dir.file("Точки.kor");
    test::writeFile(file, "1");
    test::writeFile(dir.file("other.kor"), "2");
    ASSERT_TRUE(createFolders(dir.file("sub")));
    fs::create_hard_link(fsPath(file), fsPath(dir.file("link.kor")));
    const std::pair<std::string, bool> cases[] = {
        {file, true},
        {dir.file("sub/../Точки.kor"), true},
        {dir.file("link.kor"), true},
        {dir.file("ТОЧКИ.KOR"), kCaseBlind},
        {dir.file("other.kor"), false},
        {dir.file("missing.kor"), false},
        {dir.file("sub"), false},
    };
    for (const auto& [other, same] : cases) EXPECT_EQ(sameFile(file, other), same) << other;
    EXPECT_FALSE(sameFile(dir.file("missing.kor"), dir.file("missing.kor")));
}

TEST(Files, ReplaceRemoveAndFolders) {
    test::ScratchDir dir;
    const std::string folder = dir.file("Обект 7/Log/");
    ASSERT_TRUE(createFolders(folder));
    EXPECT_TRUE(isFolder(folder));
    EXPECT_TRUE(createFolders(folder));  // there already
    test::writeFile(folder + "new", "new");
    test::writeFile(folder + "old", "old");
    EXPECT_TRUE(replaceFile(folder + "new", folder + "old"));
    EXPECT_EQ(test::readFile(folder + "old"), "new");
    EXPECT_FALSE(test::fileExists(folder + "new"));
    EXPECT_FALSE(removeFile(dir.file("Обект 7/Log")));  // a folder stays
    EXPECT_TRUE(isFolder(folder));
    EXPECT_TRUE(removeFile(folder + "old"));
    EXPECT_FALSE(removeFile(folder + "old"));
    EXPECT_FALSE(isFolder(folder + "old"));
}

TEST(Files, LongWindowsPathsGetTheirPrefix) {
    const std::string deep(kLongPath, 'd');
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\short\\job.txt", "C:\\short\\job.txt"},
        {"C:\\data\\" + deep + "\\job.txt", "\\\\?\\C:\\data\\" + deep + "\\job.txt"},
        {"c:/data/./x/../" + deep + "//job.txt", "\\\\?\\c:\\data\\" + deep + "\\job.txt"},
        {"C:\\" + deep + "\\Log\\", "\\\\?\\C:\\" + deep + "\\Log\\"},
        {"\\\\server\\share\\" + deep + "\\job.txt", "\\\\?\\UNC\\server\\share\\" + deep + "\\job.txt"},
        {"\\\\?\\C:\\" + deep, "\\\\?\\C:\\" + deep},    // prefixed already
        {"data\\" + deep, "data\\" + deep},              // relative: the system resolves it
        {"/home/" + deep, "/home/" + deep},              // not a Windows path
    };
    for (const auto& [path, extended] : cases) EXPECT_EQ(extendedPath(path), extended) << path;
}

// Names beyond 260 characters: written, read, replaced and found.
TEST(Files, PathsLongerThan260Characters) {
    test::ScratchDir dir;
    std::string folder = dir.path().string() + "/";
    while (folder.size() < 300) folder += "Обект с дълго име " + std::to_string(folder.size()) + "/";
    ASSERT_TRUE(createFolders(folder)) << folder;
    const std::string file = folder + "job1.txt";
    std::FILE* f = openFile(file, "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("101,1,2,3\r\n", f);
    std::fclose(f);
    EXPECT_TRUE(isFile(file));
    EXPECT_TRUE(isFolder(folder));
    EXPECT_TRUE(sameFile(file, folder + "./job1.txt"));
    f = openFile(folder + "new", "wb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(replaceFile(folder + "new", file));
    EXPECT_TRUE(removeFile(file));
    EXPECT_FALSE(isFile(file));
}

TEST(Files, SettingsSaveInAFolderWithAnyLetters) {
    test::ScratchDir dir;
    ASSERT_TRUE(createFolders(dir.file("Настройки Müller")));
    const std::string ini = dir.file("Настройки Müller/Tervan.ini");
    ASSERT_TRUE(iniWrite(ini, "Model", "Model", "Leica1200"));
    ASSERT_TRUE(iniWrite(ini, "Serial", "ComName", "COM12"));
    EXPECT_EQ(iniRead(ini, "Model", "Model"), "Leica1200");
    EXPECT_EQ(test::readFile(ini), "[Model]\r\nModel=Leica1200\r\n[Serial]\r\nComName=COM12\r\n");
}

TEST(Files, TheProgramFolderHoldsTheSettings) {
    // The tests are built beside the programs, with Tervan.ini.
    const std::string folder = programFolder("");
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), static_cast<char>(fs::path::preferred_separator));
    EXPECT_TRUE(test::fileExists(folder + "Tervan.ini")) << folder;
}

}  // namespace
}  // namespace tervan
