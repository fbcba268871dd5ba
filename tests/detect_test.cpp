// Format detection: which model fits a file. The golden conversions check
// "auto" on a typical file of every model; here the real recordings, the
// models the content cannot tell apart, files that are not survey data and
// how much of a file is looked at.
#include "conversion/detect.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/ini.h"
#include "test_util.h"

namespace tervan {
namespace {

std::string examples(const std::string& name) { return test::readFile(std::string(TERVAN_EXAMPLES) + "/" + name); }

const char* bestName(const Detection& d) { return d.best() ? d.best()->name : "(none)"; }

TEST(Detect, EveryModelHasAGoldenCase) {
    // The golden cases run "auto" too; a model without one is never tried.
    std::vector<std::string> covered;
    for (const auto& entry : std::filesystem::directory_iterator(test::dataPath("conversions")))
        covered.push_back(IniDocument::load((entry.path() / "Tervan.ini").string()).get("Model", "Model"));
    for (const ModelEntry& m : models())
        EXPECT_NE(std::find(covered.begin(), covered.end(), m.name), covered.end()) << m.name;
}

TEST(Detect, RealLevelRecordings) {
    for (const char* name :
         {"140618BOYA.GSI", "20180430VU.GSI", "2018STAFF.GSI", "STAFF20180111.GSI", "M_210112BOYA.GSI"}) {
        Detection d = detectFile(test::dataPath(std::string("levelling/dna8-real/") + name));
        EXPECT_STREQ(bestName(d), "DNA8") << name;
        EXPECT_TRUE(d.alike().empty()) << name;
    }
}

TEST(Detect, ModelsTheContentCannotTellApartGoToTheFirstInTheTable) {
    struct Case {
        const char* file;
        const char* best;
        std::vector<std::string> alike;
    };
    const Case cases[] = {
        {"points_nyxz.txt", "nxyz", {"nyxz"}},
        {"pentax200polar.txt", "Pentax200Polar", {"Pentax300Polar"}},
        // a "*" inside a name: the 200 layout would cut the name there
        {"pentax300polar.txt", "Pentax300Polar", {}},
        {"pentax300coord.txt", "Pentax300Coordinate", {"nxyz", "nyxz"}},
        // station columns: a Pentax 300 list has none
        {"points_nxyz.txt", "nxyz", {"nyxz"}},
    };
    for (const Case& c : cases) {
        Detection d = detectModel(examples(c.file));
        EXPECT_STREQ(bestName(d), c.best) << c.file;
        EXPECT_EQ(d.alike(), c.alike) << c.file;
    }
}

TEST(Detect, AZeissFileWithoutRecordNumbersFits) {
    // The reader never reads columns 1 to 7, so a file may leave them blank.
    std::string blanked;
    const std::string zeiss = examples("zeiss3303.txt");
    for (std::size_t start = 0, end; start < zeiss.size(); start = end + 1) {
        end = zeiss.find('\n', start);
        std::string line = zeiss.substr(start, end - start);
        if (line.rfind("END", 0) != 0) line.replace(0, 7, 7, ' ');
        blanked += line + "\n";
        if (end == std::string::npos) break;
    }
    Detection d = detectModel(blanked);
    EXPECT_STREQ(bestName(d), "Zeiss3303");
    EXPECT_EQ(d.ranking.front().percent(), detectModel(zeiss).ranking.front().percent());
}

TEST(Detect, FilesThatAreNotSurveyDataFitNoModel) {
    Rng rng;
    std::string noise;
    for (int i = 0; i < 20000; ++i) noise += static_cast<char>(rng.draw() & 0xFF);
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"blank lines", "\r\n   \r\n\t\n"},
        {"prose", test::readFile(std::string(TERVAN_SOURCE_DIR) + "/README.md")},
        {"settings file", test::readFile(std::string(TERVAN_SOURCE_DIR) + "/resources/Tervan.ini")},
        {"DXF header", test::readFile(TERVAN_DXF_HEADER)},
        {"picture", test::readFile(std::string(TERVAN_SOURCE_DIR) + "/resources/tervan.png")},
        {"random bytes", noise},
        {"table of words", "name;street;town\nIvan;Vitosha;Sofia\nPetar;Rakovski;Plovdiv\n"},
    };
    for (const auto& [name, bytes] : cases) {
        Detection d = detectModel(bytes);
        EXPECT_EQ(d.best(), nullptr) << name << ": " << bestName(d);
        EXPECT_EQ(d.noFitText("x.txt").rfind("no model fits x.txt", 0), 0u) << name;
    }
}

TEST(Detect, NoFitNamesTheNearestModels) {
    // Two Leica lines among eight of text: a quarter of the lines.
    std::string bytes = "one\ntwo\nthree\nfour\nfive\nsix\n" + examples("leica1200.txt").substr(0, 132);
    Detection d = detectModel(bytes);
    EXPECT_EQ(d.best(), nullptr);
    EXPECT_EQ(d.noFitText("job.txt"), "no model fits job.txt; nearest: Leica1200 (25% of the lines)");
    EXPECT_FALSE(d.fits("Leica1200"));
    EXPECT_TRUE(detectModel(examples("leica1200.txt")).fits("Leica1200"));
}

TEST(Detect, LooksOnlyAtTheBeginningOfTheFile) {
    const std::string leica = examples("leica1200.txt");
    std::string text;
    while (text.size() < 3 * kDetectBytes) text += "some words that no model reads\n";
    // 200 lines of Leica, then only text: Leica.
    std::string leicaFirst;
    for (std::size_t i = 0; i < kDetectLines; ++i) leicaFirst += leica.substr(0, leica.find('\n') + 1);
    EXPECT_STREQ(bestName(detectModel(leicaFirst + text)), "Leica1200");
    // 200 lines of text, then Leica: nothing.
    EXPECT_EQ(detectModel(text.substr(0, 31 * kDetectLines) + leica).best(), nullptr);

    std::string sample = detectionSample(std::string(70000, 'x') + "\n" + leica);
    EXPECT_EQ(sample.size(), kDetectBytes);
    sample = detectionSample(text);
    EXPECT_LE(sample.size(), kDetectBytes);
    EXPECT_EQ(sample.back(), '\n');
    EXPECT_EQ(detectionSample("a\n\n  \r\nb"), "a\nb");
}

TEST(Detect, AnUnreadableFileSaysWhy) {
    test::ScratchDir dir;
    EXPECT_EQ(detectFile(dir.file("missing.txt")).error, "No such file or directory");
    EXPECT_EQ(detectFile(dir.path().string()).error, "it is a folder");
    EXPECT_EQ(detectFile(dir.file("missing.txt")).best(), nullptr);
}

}  // namespace
}  // namespace tervan
