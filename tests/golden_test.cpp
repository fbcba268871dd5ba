// Whole conversions against golden files. Each folder under
// tests/data/conversions/ is one case, and one test: Tervan.ini (the
// settings), one input file named input.*, an optional dxf_header.txt (else
// the shipped one), an optional list of known points named known* (it
// becomes KnownPoints), and expected/ with every file the conversion must
// write (named as written) plus message.txt, the message text with the
// input path shown as INPUT and the known points' as KNOWN. Files are
// compared byte for byte, and the conversion must write no other file.
// Adding a case is adding a folder.
//
// Each case runs a second time with Model "auto": detection must find the
// folder's model (or a model that the content cannot tell from it, taken
// first in the model table), and with the folder's model the very same files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "conversion/detect.h"
#include "conversion/driver.h"
#include "core/settings.h"
#include "test_util.h"

namespace tervan {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> caseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(test::dataPath("conversions")))
        if (entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class GoldenConversion : public testing::TestWithParam<std::string> {};

// Converts the case's input with its settings (Model replaced by model when
// given) and compares what was written with expected/.
void checkCase(const std::string& caseName, const std::string& model = {}) {
    const fs::path dir = test::dataPath("conversions/" + caseName);
    test::ScratchDir work;
    fs::path input, known;
    for (const auto& f : fs::directory_iterator(dir)) {
        const std::string name = f.path().filename().string();
        fs::path* copy = f.path().stem() == "input" ? &input : name.starts_with("known") ? &known : nullptr;
        if (!copy) continue;
        *copy = work.path() / name;
        fs::copy_file(f.path(), *copy);
    }
    ASSERT_FALSE(input.empty()) << "no input file";
    test::fixClock("1700000000");  // the LandXML file's date and time

    Session session;
    session.dxfHeaderPath =
        fs::exists(dir / "dxf_header.txt") ? (dir / "dxf_header.txt").string() : std::string(TERVAN_DXF_HEADER);
    loadSettings(session.settings, (dir / "Tervan.ini").string());
    if (!known.empty()) session.settings.KnownPoints = known.string();
    session.fixedSeed = 1;
    const std::string folderModel = session.settings.Model;
    if (!model.empty()) session.settings.Model = model;
    Result result = test::convertFile(session, input.string());
    if (model == kAutoModel) {
        const std::vector<std::string>& alike = result.alsoFits;
        if (result.detected != folderModel) {
            EXPECT_NE(std::find(alike.begin(), alike.end(), folderModel), alike.end())
                << result.detected << " detected, and " << folderModel << " does not fit as well";
            return;
        }
        EXPECT_EQ(session.settings.Model, folderModel);
    }

    std::set<std::string> written;
    for (const auto& f : fs::directory_iterator(work.path()))
        if (f.path() != input && f.path() != known) written.insert(f.path().filename().string());
    std::set<std::string> expected;
    for (const auto& f : fs::directory_iterator(dir / "expected")) {
        std::string name = f.path().filename().string();
        if (name == "message.txt") {
            std::string message = test::replaceAll(result.message, input.string(), "INPUT");
            EXPECT_EQ(test::replaceAll(message, known.string(), "KNOWN"), test::readFile(f.path().string()))
                << "message text";
            continue;
        }
        expected.insert(name);
        EXPECT_EQ(test::readFile((work.path() / name).string()), test::readFile(f.path().string())) << name;
    }
    EXPECT_EQ(written, expected);
}

TEST_P(GoldenConversion, WritesExactlyItsFiles) { checkCase(GetParam()); }

TEST_P(GoldenConversion, AutoFindsTheModelAndWritesTheSameFiles) { checkCase(GetParam(), std::string(kAutoModel)); }

INSTANTIATE_TEST_SUITE_P(Cases, GoldenConversion, testing::ValuesIn(caseNames()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace tervan
