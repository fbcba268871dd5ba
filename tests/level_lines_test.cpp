#include "levelling/level_lines.h"

#include <gtest/gtest.h>

#include <regex>

#include "levelling/bffb.h"
#include "test_util.h"

namespace tervan {
namespace {

// Copies a golden input into a scratch folder and runs the model on it, as
// the driver does, with "input.<ext>" as the current input path.
struct GoldenRun {
    test::ScratchDir dir;
    Session session = test::quietSession();
    std::string input;
    Result result;

    GoldenRun(const std::string& model, const std::string& folder, const std::string& inputName) {
        input = dir.file(inputName);
        test::writeFile(input, test::readFile(test::dataPath("levelling/" + folder + "/" + inputName)));
        session.settings.Model = model;
        result = test::convertFile(session, input);
        result.message = test::replaceAll(result.message, input, inputName);
    }
};

TEST(LevelLines, GoldenFilesAndMessageTexts) {
    struct Case {
        const char* model;
        const char* folder;
        const char* input;
        const char* output;    // written next to the input
        const char* expected;  // golden file in the folder
        long linesRead, rowsWritten, linesIgnored;
    };
    const Case cases[] = {
        {"DNA8", "dna8-one-line", "input.gsi", "input.dat", "expected.dat", 9, 11, 1},
        {"DNA8", "dna8-two-lines", "input.gsi", "input.dat", "expected.dat", 10, 16, 0},
        {"Dini USB", "dini-usb-rows", "input.txt", "input_.dat", "expected_.dat", 11, 7, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        GoldenRun run(c.model, c.folder, c.input);
        std::string folder = test::dataPath(std::string("levelling/") + c.folder + "/");
        EXPECT_EQ(test::readFile(run.dir.file(c.output)), test::readFile(folder + c.expected));
        EXPECT_EQ(run.result.message, test::readFile(folder + "expected-message.txt"));
        EXPECT_EQ(run.result.linesRead, c.linesRead);
        EXPECT_EQ(run.result.rowsWritten, c.rowsWritten);
        EXPECT_EQ(run.result.linesIgnored, c.linesIgnored);
        EXPECT_FALSE(run.result.outputFailed());
        EXPECT_TRUE(run.session.store.points.empty());
    }
}

// The rows of a DNA8 line file, without the empty first line.
std::vector<std::string> rowsOf(const std::string& file) {
    std::vector<std::string> rows;
    std::size_t start = 2;  // the file begins with CR LF
    while (start <= file.size()) {
        std::size_t end = file.find("\r\n", start);
        if (end == std::string::npos) end = file.size();
        rows.push_back(file.substr(start, end - start));
        start = end + 2;
    }
    return rows;
}

// The pieces of text between the separators, empty ones left out.
std::vector<std::string> piecesOf(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find(separator, start), text.size());
        if (end > start) pieces.push_back(text.substr(start, end - start));
        start = end + separator.size();
    }
    return pieces;
}

// The numbers with decimals a row shows, in order.
std::vector<std::string> numbersOf(const std::string& row) {
    static const std::regex number("-?[0-9]+\\.[0-9]+");
    std::vector<std::string> numbers;
    for (std::sregex_iterator it(row.begin(), row.end(), number), end; it != end; ++it) numbers.push_back(it->str());
    return numbers;
}

// Every row, whatever its kind, shows the same numbers in the line file, the
// message text and the grid.
TEST(LevelLines, FileTextAndGridShowTheSameNumbers) {
    const struct {
        LevelRoutine routine;
        const char* input;
        bool cut;  // the file keeps the last characters of a value only (a Z of 100.68135 shows 00.68135)
    } cases[] = {{reduceDna8, "dna8-two-lines/input.gsi", false},
                 {reduceDna8, "dna8-real/140618BOYA.GSI", false},
                 {reduceDiniUsb, "dini-usb-rows/input.txt", true},
                 {calculateBffb, "bffb-seeded/input.dat", false}};
    for (const auto& [routine, input, cut] : cases) {
        SCOPED_TRACE(input);
        auto run = test::runLevelRoutine(routine, test::readFile(test::dataPath(std::string("levelling/") + input)));
        const std::vector<std::string>& grid = run.result.levelRows;
        const auto file = piecesOf(run.lineFile, "\r\n");
        auto text = piecesOf(run.result.message, "\r\r\n");
        text.erase(text.begin());  // the heading, "<" and the input's path
        ASSERT_EQ(grid.size(), static_cast<std::size_t>(run.result.rowsWritten));
        ASSERT_EQ(file.size(), grid.size());
        ASSERT_EQ(text.size(), grid.size());
        for (std::size_t i = 0; i < grid.size(); ++i) {
            const auto inFile = numbersOf(file[i]), inGrid = numbersOf(grid[i]);
            ASSERT_EQ(inFile.size(), inGrid.size()) << file[i];
            for (std::size_t k = 0; k < inGrid.size(); ++k)
                EXPECT_TRUE(cut ? inGrid[k].ends_with(inFile[k]) : inGrid[k] == inFile[k]) << file[i];
            EXPECT_EQ(numbersOf(text[i]), numbersOf(grid[i])) << text[i];
        }
    }
}

TEST(Dna8, RowsStandInTheirColumns) {
    auto rows = rowsOf(test::runLevelRoutine(reduceDna8,
                                             "410001+?......1 \n"
                                             "110002+0000P7x9 83..58+10000000 \n"
                                             "110003-00012345 32...8+01234500 332.28+00123450 390...+00000003 \n")
                           .lineFile);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].substr(8, 10), "Start-Line");
    EXPECT_EQ(rows[0].substr(27, 8), "BF     1");
    // name in 8-16 keeps its nine columns: the run of "+" and "0" is blanked
    EXPECT_EQ(rows[1].substr(7, 9), "     P7x9");
    EXPECT_EQ(rows[1].substr(67), "Z 100.00000");
    EXPECT_EQ(rows[1].size(), 78u);
    // a leading minus ends the run at once
    EXPECT_EQ(rows[2].substr(7, 9), "-00012345");
    EXPECT_EQ(rows[2].substr(30, 8), "3   1 Rf");
    EXPECT_EQ(rows[2].substr(38, 12), "     1.23450");
    EXPECT_EQ(rows[2].substr(50, 16), " HD       12.345");
    EXPECT_EQ(rows[3].substr(35, 15), " Sh    -1.23450");
    EXPECT_EQ(rows[3].substr(50), " dz      0.00000 Z   0.00000");
    EXPECT_EQ(rows[4].substr(16, 19), "        1         1");
    EXPECT_EQ(rows[4].substr(35), " Db       0.000 Df       12.345 Z 100.00000");
    EXPECT_EQ(rows[5], "      6 End-Line                  1");
}

TEST(Dna8, SumsRestartAtAStartHeightNotAtALineStart) {
    auto rows = rowsOf(test::runLevelRoutine(reduceDna8,
                                             "410001+?......1 \n"
                                             "110002+00000001 83..58+00100000 \n"
                                             "110003+00000001 32...8+01000000 331.28+00200000 390...+00000001 \n"
                                             "410004+?......1 \n"
                                             "110005+00000002 32...8+02000000 331.28+00050000 390...+00000001 \n")
                           .lineFile);
    ASSERT_EQ(rows.size(), 11u);
    EXPECT_NE(rows[3].find(" Sh     2.00000 dz      0.00000"), std::string::npos) << rows[3];
    // line 2 has no start height: its sums go on from line 1
    EXPECT_NE(rows[8].find(" Sh     2.50000 dz      0.00000"), std::string::npos) << rows[8];
    EXPECT_NE(rows[9].find(" Db      30.000 Df        0.000 Z   1.00000"), std::string::npos) << rows[9];
}

TEST(Dna8, AHeightRightAfterAnIntermediateSightLeavesTheSums) {
    const std::string head =
        "410001+?......1 \n"
        "110002+00000001 83..58+00100000 \n"
        "110003+00000001 32...8+01000000 331.28+00200000 390...+00000001 \n"
        "110004+00000002 32...8+01000000 333.28+00150000 390...+00000001 \n";
    const std::string tail =
        "110005+00000002 83..28+00150000 \n"
        "110006+00000003 32...8+01000000 332.28+00050000 390...+00000001 \n"
        "110007+00000003 573..8+00000000 574..8+02000000 83..28+00250000 \n";
    struct Case {
        const char* name;
        std::string gsi;
        const char* sums;       // the Sh row from column 36 on
        const char* distances;  // the Db row from column 17 on
    } cases[] = {
        // the height of point 2 is shown, and the line goes on: 2.0 - 0.5
        {"directly after", head + tail, " Sh     1.50000 dz     -1.50000 Z   0.00000",
         "        1         1 Db      10.000 Df       10.000 Z   2.50000"},
        // with a line between, the record is a start height again
        {"a line between", head + "110099+00000002 \n" + tail, " Sh    -0.50000 dz     -1.00000 Z   0.00000",
         "        1         1 Db       0.000 Df       10.000 Z   2.50000"},
    };
    for (const Case& c : cases) {
        auto run = test::runLevelRoutine(reduceDna8, c.gsi);
        auto rows = rowsOf(run.lineFile);
        ASSERT_EQ(rows.size(), 9u) << c.name;
        EXPECT_EQ(rows[3], "      4        2                  1                                Z   1.50000") << c.name;
        EXPECT_EQ(rows[6].substr(35), c.sums) << c.name;
        EXPECT_EQ(rows[7].substr(16), c.distances) << c.name;
        // the message text shows the row as a start height row
        EXPECT_NE(run.result.message.find("\r\r\n      4\t        2\t\t\t  1\t\t\t\tZ\t   1.50000"), std::string::npos)
            << c.name;
    }
}

TEST(Dna8, InputNamedDatIsNotOverwritten) {
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.settings.Model = "DNA8";
    std::string input = dir.file("level.dat");
    const std::string gsi = "410001+?......1 \n110002+00000001 83..58+00100000 \n";
    test::writeFile(input, gsi);
    Result r = test::convertFile(session, input);
    EXPECT_EQ(test::readFile(input), gsi);
    EXPECT_TRUE(r.outputFailed());
    ASSERT_EQ(r.outputs.size(), 1u);
    EXPECT_EQ(r.outputs[0].status, OutputStatus::IsInput);
    // no rows are counted as written
    EXPECT_EQ(r.rowsWritten, 0);
    EXPECT_EQ(r.summary, "2 lines read, 0 rows written, 0 lines ignored");
    // the rows are still shown, with one line saying why there is no file
    const std::string report = "\r\n" + input + " not written: it is the input file";
    ASSERT_GT(r.message.size(), report.size());
    EXPECT_EQ(r.message.substr(r.message.size() - report.size()), report);
    EXPECT_NE(r.message.find("Start-Line\t\tBF\t  1"), std::string::npos);
}

TEST(LevelLines, UnwritableOutputIsReported) {
    const struct {
        const char *model, *output, *input;
    } cases[] = {{"DNA8", "c.dat", "dna8-one-line/input.gsi"},
                 {"Dini USB", "c_.dat", "dini-usb-rows/input.txt"},
                 {"Dini BF", "c_.dat", "bffb-seeded/input.dat"}};
    for (const auto& [model, output, example] : cases) {
        test::ScratchDir dir;
        Session session = test::quietSession();
        session.settings.Model = model;
        std::string input = dir.file("c.txt");
        test::writeFile(input, test::readFile(test::dataPath(std::string("levelling/") + example)));
        std::filesystem::create_directory(dir.file(output));
        Result r = test::convertFile(session, input);
        EXPECT_TRUE(r.outputFailed()) << model;
        EXPECT_NE(r.message.find("cannot write " + dir.file(output) + ": "), std::string::npos) << model;
    }
}

TEST(LevelLines, SurviveHostileBytes) {
    std::string noise;
    for (int i = 0; i < 5000; ++i) noise += static_cast<char>((i * 7919 + i / 13) % 256);
    noise += std::string(1000, '3');  // an endless line
    for (const char* model : {"DNA8", "Dini USB", "Dini BF"}) {
        test::ScratchDir dir;
        Session session = test::quietSession();
        session.settings.Model = model;
        std::string input = dir.file("n.bin");
        test::writeFile(input, noise);
        Result r = test::convertFile(session, input);
        // Noise may hold a line a routine takes; if not, nothing is written.
        EXPECT_TRUE(r.outcome == Outcome::Done || r.outcome == Outcome::NothingFound) << model;
        EXPECT_FALSE(r.outputFailed()) << model;
    }
}

TEST(DiniUsb, ShortFieldsAreTakenWhole) {
    // tag 1 "Rb" at columns 50-51 and a value 1 that the line cuts short
    auto run = test::runLevelRoutine(reduceDiniUsb,
                                     std::string(21, '.') + "P1            " + std::string(14, ' ') + "Rb  1.5");
    EXPECT_EQ(run.lineFile, "\r\n      1 P1                    3     Rb  1.5");
    EXPECT_EQ(run.result.message, "<>\r\r\n\r\r\n      1\tP1      \t\t3     \tRb\t  1.5\t \t\t");
}

}  // namespace
}  // namespace tervan
