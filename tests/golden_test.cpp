// Whole conversions against golden files. Each folder under
// tests/data/conversions/ is one case: Tervan.ini (the settings), one input
// file named input.*, and expected/ with every file the conversion must
// write (named as written) plus message.txt, the message text with the
// input path shown as INPUT. Files are compared byte for byte, and the
// conversion must write no other file.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/driver.h"
#include "core/settings.h"
#include "test_util.h"

namespace tervan {
namespace {

namespace fs = std::filesystem;

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

TEST(GoldenConversions, EveryCaseWritesExactlyItsFiles) {
    fs::path root = test::dataPath("conversions");
    int cases = 0;
    for (const auto& entry : fs::directory_iterator(root)) {
        if (!entry.is_directory()) continue;
        ++cases;
        const fs::path& dir = entry.path();
        SCOPED_TRACE(dir.filename().string());
        test::ScratchDir work;
        fs::path input;
        for (const auto& f : fs::directory_iterator(dir))
            if (f.path().stem() == "input") {
                input = work.path() / f.path().filename();
                fs::copy_file(f.path(), input);
            }
        ASSERT_FALSE(input.empty()) << "no input file";

        Program program;
        program.dxfHeaderPath = fs::exists(dir / "dxf_header.txt") ? (dir / "dxf_header.txt").string() : std::string(TERVAN_DXF_HEADER);
        loadSettings(program.settings, (dir / "Tervan.ini").string());
        program.inputPath = input.string();
        program.fixedSeed = 1;
        convert(program, program.inputPath);

        std::set<std::string> written;
        for (const auto& f : fs::directory_iterator(work.path()))
            if (f.path() != input) written.insert(f.path().filename().string());
        std::set<std::string> expected;
        for (const auto& f : fs::directory_iterator(dir / "expected")) {
            std::string name = f.path().filename().string();
            if (name == "message.txt") {
                EXPECT_EQ(replaceAll(program.message, program.inputPath, "INPUT"), test::readFile(f.path().string()))
                    << "message text";
                continue;
            }
            expected.insert(name);
            EXPECT_EQ(test::readFile((work.path() / name).string()), test::readFile(f.path().string())) << name;
        }
        EXPECT_EQ(written, expected);
    }
    EXPECT_GT(cases, 0);
}

}  // namespace
}  // namespace tervan
