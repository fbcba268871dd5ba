#include "writers/dxf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "cli_runner.h"
#include "core/text.h"
#include "test_util.h"
#include "writer_cases.h"
#include "conversion/output_set.h"

namespace tervan {
namespace {

class DxfGolden : public testing::TestWithParam<const char*> {};

TEST_P(DxfGolden, MatchesExpectedFiles) { test::checkWriterCase(GetParam()); }

// dxf-one-point-3d: a zero point skipped, the layer settings, a non-numeric
// LetterSize (0.5). dxf-two-points-2d: handles 007E to 0083, seed 0084,
// elevation 0.000, text height 2.25 written as 2.2 (printf rounding).
// dxf-header-lines: placeholders only on exact lines (carriage returns
// dropped first), a 300-character line and a 253-character line cut, MIK
// bytes copied, the last line without a line feed kept.
INSTANTIATE_TEST_SUITE_P(Cases, DxfGolden,
                         testing::Values("dxf-one-point-3d", "dxf-two-points-2d", "dxf-header-lines",
                                         "x1000-scripts-and-dxf"));

const char* kTrailer = "   0\r\nENDSEC\r\n   0\r\nEOF\r\n";

// The 3D drawing of the session's points (and nothing else) as the output
// set writes it, with header as the DXF header file.
Result writeDrawing(test::ScratchDir& dir, Session& session) {
    for (const auto& out : outputs()) session.settings.*out.flag = 0;
    session.settings.TwoDFile = 1;
    session.settings.ThreeDFile = 1;
    session.inputPath = dir.file("job.txt");
    Result result;
    writeOutputs(session, dir.file("job"), result);
    return result;
}

std::string writeWithHeader(const std::string& header, Session session = Session()) {
    test::ScratchDir dir;
    session.dxfHeaderPath = dir.file("header.txt");
    test::writeFile(session.dxfHeaderPath, header);
    Result result = writeDrawing(dir, session);
    EXPECT_FALSE(result.outputFailed()) << result.message;
    return test::readFile(dir.file("job_3d.dxf"));
}

TEST(Dxf, HeaderLinesCopiedWithCrLf) {
    struct Case {
        const char* header;
        const char* copied;
    };
    const Case cases[] = {
        {"", ""},
        {"\n", "\r\n"},
        {"A\r\nB\n", "A\r\nB\r\n"},
        {"A\nB", "A\r\nB\r\n"},          // no line feed after the last line: kept
        {"A\n````", "A\r\n007E\r\n"},     // a placeholder on that last line too
        {"A\nB\r", "A\r\nB\r\n"},
        {"A\n\n", "A\r\n\r\n"},
        {"\r\r\n", "\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(writeWithHeader(c.header), std::string(c.copied) + kTrailer) << "header: " << c.header;
}

TEST(Dxf, TextHeightFromLetterSize) {
    struct Case {
        const char* letterSize;
        const char* height;
    };
    const Case cases[] = {{"0", "0.5"}, {"", "0.5"}, {"abc", "0.5"}, {"2.5", "2.5"}, {"0.35", "0.3"}};
    for (const auto& c : cases) {
        Session session;
        session.settings.LetterSize = c.letterSize;
        session.store.points = {Point{.N = "7", .X = 1, .Y = 2, .Z = 3}};
        std::string dxf = writeWithHeader("", std::move(session));
        EXPECT_NE(dxf.find(std::string(" 40\r\n") + c.height + "\r\n  1\r\n3.000\r\n"), std::string::npos)
            << "LetterSize \"" << c.letterSize << "\"";
    }
}

// The group 5 values of the entities, in file order.
std::vector<std::string> handles(const std::string& dxf) {
    std::vector<std::string> out;
    const std::string tag = "\r\n  5\r\n";
    for (std::size_t at = dxf.find(tag); at != std::string::npos; at = dxf.find(tag, at + 1)) {
        std::size_t start = at + tag.size();
        out.push_back(dxf.substr(start, dxf.find('\r', start) - start));
    }
    return out;
}

Session manyPoints(int count) {
    Session session;
    appendPoint(session.store, {.N = "zero"});
    for (int i = 0; i < count; ++i) {
        const std::string name = std::to_string(i);
        appendPoint(session.store, {.N = name, .X = 1000.0 + i, .Y = 2000, .Z = static_cast<double>(i % 7)});
    }
    return session;
}

TEST(Dxf, HandlesNeverRepeat) {
    struct Case {
        int points;
        const char* seed;
        const char* last;
    };
    // 21,803 points use every four-digit handle up to FFFE; one more needs five.
    const Case cases[] = {{21803, "FFFF", "FFFE"}, {21804, "10002", "10001"}};
    for (const auto& c : cases) {
        std::string dxf = writeWithHeader("  9\n$HANDSEED\n  5\n````\n", manyPoints(c.points));
        auto found = handles(dxf);
        ASSERT_EQ(found.size(), 3u * static_cast<std::size_t>(c.points) + 1) << c.points;
        EXPECT_EQ(found.front(), c.seed);
        EXPECT_EQ(found[1], "007E");
        EXPECT_EQ(found.back(), c.last);
        for (std::size_t i = 1; i < found.size(); ++i) ASSERT_EQ(found[i], hexHandle(125 + i)) << i;
        EXPECT_EQ(std::set<std::string>(found.begin(), found.end()).size(), found.size());
    }
}

TEST(Dxf, MissingHeaderLeavesNoFileAndNamesIt) {
    test::ScratchDir dir;
    Session session;
    session.store.points = {Point{.N = "1", .X = 1, .Y = 1, .Z = 1}};
    const std::string out = dir.file("job_3d.dxf");

    session.dxfHeaderPath = dir.file("no_such_header.txt");
    test::writeFile(out, "a drawing of an earlier conversion");
    Result result = writeDrawing(dir, session);
    EXPECT_EQ(result.message.substr(result.message.find("\r\ncannot") + 2),
              "cannot write " + out + ": the DXF header file " + session.dxfHeaderPath + " is missing");
    ASSERT_EQ(result.outputs.size(), 1u);
    EXPECT_EQ(result.outputs[0].status, OutputStatus::Failed);
    EXPECT_FALSE(test::fileExists(out));

    session.dxfHeaderPath = dir.path().string();
    result = writeDrawing(dir, session);
    EXPECT_NE(result.message.find("the DXF header file " + session.dxfHeaderPath + " cannot be read"),
              std::string::npos);
    EXPECT_FALSE(test::fileExists(out));
}

TEST(Dxf, MissingHeaderFailsTheConversionOnly) {
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.settings.TwoDFile = 1;
    session.settings.ThreeDFile = 1;
    session.settings.XyzFile = 1;
    session.dxfHeaderPath = dir.file("missing.txt");
    session.inputPath = dir.file("job.txt");
    session.store.points = {Point{.N = "1", .X = 1, .Y = 1, .Z = 1}};
    Result result;
    writeOutputs(session, dir.file("job"), result);
    EXPECT_TRUE(result.outputFailed());
    EXPECT_NE(result.message.find("\r\ncannot write " + dir.file("job_3d.dxf") + ": the DXF header file " +
                                  dir.file("missing.txt") + " is missing"),
              std::string::npos)
        << result.message;
    EXPECT_FALSE(test::fileExists(dir.file("job_3d.dxf")));
    EXPECT_TRUE(test::fileExists(dir.file("job_xyz.txt")));
}

TEST(Dxf, MissingHeaderMakesTheCommandLineFail) {
    test::ScratchDir dir;
    const std::string input = dir.file("job.txt");
    test::writeFile(input, "P1,100.5,95.5,25.25,1.5,1.6,400.5,700.25,50.1\r\n");
    const std::string header = dir.file("gone.txt");
    test::CliRun r = test::runCli(dir, "convert -q --ini " + test::defaultsIni(dir) +
                                           " --model Leica1200 --dxf-header " + test::shellQuote(header) + " " +
                                           test::shellQuote(input));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("an output could not be written"), std::string::npos);
    EXPECT_FALSE(test::fileExists(dir.file("job_3d.dxf")));
    EXPECT_TRUE(test::fileExists(dir.file("job.kor")));
}

TEST(Dxf, FlagsChooseOneDrawing) {
    struct Case {
        int twoD, threeD;
        const char* written;  // "" for none
    };
    const Case cases[] = {{1, 1, "job_3d.dxf"}, {1, 0, "job_2d.dxf"}, {0, 1, ""}, {0, 0, ""}};
    for (const auto& c : cases) {
        test::ScratchDir dir;
        Session session = test::quietSession();
        session.settings.TwoDFile = c.twoD;
        session.settings.ThreeDFile = c.threeD;
        session.dxfHeaderPath = dir.file("header.txt");
        session.inputPath = dir.file("job.txt");
        test::writeFile(session.dxfHeaderPath, "");
        Result result;
        writeOutputs(session, dir.file("job"), result);
        std::set<std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(dir.path()))
            if (e.path().extension() == ".dxf") files.insert(e.path().filename().string());
        EXPECT_EQ(files, std::string(c.written).empty() ? std::set<std::string>{} : std::set<std::string>{c.written})
            << c.twoD << c.threeD;
    }
}

TEST(Dxf, NeverReplacesTheInput) {
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.settings.TwoDFile = 1;
    session.settings.ThreeDFile = 0;
    const std::string input = dir.file("j_2d.dxf");
    test::writeFile(input, "input");
    session.inputPath = input;
    // with or without a header, the input stays
    for (const std::string& header : {dir.file("header.txt"), dir.file("missing.txt")}) {
        session.dxfHeaderPath = header;
        test::writeFile(dir.file("header.txt"), "");
        Result result;
        writeOutputs(session, dir.file("j"), result);
        EXPECT_EQ(test::readFile(input), "input");
        EXPECT_NE(result.message.find(input + " not written: it is the input file"), std::string::npos);
    }
}

// LayerPerCode: a coded point and its texts on the layer of its code, each
// such layer declared once at the end of the header's layer table; with the
// flag off the codes change nothing.
TEST(Dxf, LayerPerCode) {
    auto drawing = [](int layerPerCode, bool codes, const std::string& header = test::readFile(TERVAN_DXF_HEADER)) {
        Session session;
        session.settings.LayerPerCode = layerPerCode;
        const char* tree = codes ? "tree" : "";
        appendPoint(session.store, {.N = "1", .code = tree, .X = 1, .Y = 2, .Z = 3});
        appendPoint(session.store, {.N = "2", .X = 1, .Y = 2, .Z = 3});
        appendPoint(session.store, {.N = "3", .code = codes ? "KERB/1 a" : "", .X = 1, .Y = 2, .Z = 3});
        appendPoint(session.store, {.N = "4", .code = codes ? "TREE" : "", .X = 1, .Y = 2, .Z = 3});
        appendPoint(session.store, {.N = "zero", .code = codes ? "ZERO" : ""});
        return writeWithHeader(header, std::move(session));
    };
    const std::string plain = drawing(0, false);
    EXPECT_EQ(drawing(0, true), plain);
    EXPECT_EQ(drawing(1, false), plain);

    const std::string coded = drawing(1, true);
    const std::string layerTable = "  2\r\nLAYER\r\n 70\r\n";
    EXPECT_NE(coded.find(layerTable + "     6\r\n"), std::string::npos);  // 4 + 2
    auto entry = [](const std::string& name) {
        return "  0\r\nLAYER\r\n  2\r\n" + name + "\r\n 70\r\n     0\r\n 62\r\n     7\r\n  6\r\nCONTINUOUS\r\n";
    };
    EXPECT_NE(coded.find(entry("TOCKI_TREE") + entry("TOCKI_KERB_1_A") + "  0\r\nENDTAB\r\n"), std::string::npos);
    EXPECT_EQ(coded.find("TOCKI_ZERO"), std::string::npos);
    // Layers are never declared twice, nor again when the settings name them.
    Session same;
    same.settings.LayerPerCode = 1;
    same.settings.LevelLayer = "TOCKI_MH";
    appendPoint(same.store, {.N = "1", .code = "mh", .X = 1});
    const std::string onLevel = writeWithHeader(test::readFile(TERVAN_DXF_HEADER), std::move(same));
    EXPECT_NE(onLevel.find(layerTable + "     4\r\n"), std::string::npos);
    EXPECT_NE(onLevel.find("POINT\r\n  5\r\n007E\r\n  8\r\nTOCKI_MH\r\n"), std::string::npos);
    // A header without a layer table: the entities alone name the layers.
    const std::string bare = drawing(1, true, "  0\nSECTION\n  2\nENTITIES\n");
    EXPECT_EQ(bare.find("LAYER"), std::string::npos);
    EXPECT_NE(bare.find("  8\r\nTOCKI_KERB_1_A\r\n"), std::string::npos);
}

// ezdxf is a Linux program here: the Windows build's drawings are compared
// byte for byte with the Linux build's instead (tests/windows/).
#ifndef _WIN32
// Runs the ezdxf check on a DXF file and returns what it printed.
std::string readWithEzdxf(const test::ScratchDir& dir, const std::string& dxf) {
    const std::string out = dir.file("ezdxf.out");
    std::string cmd = std::string(TERVAN_PYTHON) + " '" + TERVAN_DXF_CHECK + "' '" + dxf + "' >'" + out + "'";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    return test::readFile(out);
}

TEST(DxfRead, OurHeaderOpensInARealReader) {
    struct Case {
        int threeD;
        const char* file;
        const char* expected;
    };
    const Case cases[] = {
        {1, "job_3d.dxf",
         "version AC1009\naudit errors 0\nwarnings 0\npoints 2 texts 4 unique handles 6\n"
         "layers 0 Defpoints HEIGHTS NAMES TOCKI\nseed 0084\n"
         "POINT 007E TOCKI 9512345.123 4712345.678 123.457\n"
         "TEXT 007F HEIGHTS 9512345.123 4712345.678 123.457 0.5 123.457\n"
         "TEXT 0080 NAMES 9512345.123 4712345.678 123.457 0.5 100007\n"
         "POINT 0081 TOCKI -2.500 1.000 -0.004\n"
         "TEXT 0082 HEIGHTS -2.500 1.000 -0.004 0.5 -0.004\n"
         "TEXT 0083 NAMES -2.500 1.000 -0.004 0.5 A 1\n"},
        {0, "job_2d.dxf",
         "version AC1009\naudit errors 0\nwarnings 0\npoints 2 texts 4 unique handles 6\n"
         "layers 0 Defpoints HEIGHTS NAMES TOCKI\nseed 0084\n"
         "POINT 007E TOCKI 9512345.123 4712345.678 0.000\n"
         "TEXT 007F HEIGHTS 9512345.123 4712345.678 0.000 0.5 123.457\n"
         "TEXT 0080 NAMES 9512345.123 4712345.678 0.000 0.5 100007\n"
         "POINT 0081 TOCKI -2.500 1.000 0.000\n"
         "TEXT 0082 HEIGHTS -2.500 1.000 0.000 0.5 -0.004\n"
         "TEXT 0083 NAMES -2.500 1.000 0.000 0.5 A 1\n"},
    };
    for (const auto& c : cases) {
        test::ScratchDir dir;
        Session session = test::quietSession();
        session.settings.TwoDFile = 1;
        session.settings.ThreeDFile = c.threeD;
        session.settings.LevelLayer = "HEIGHTS";
        session.settings.NamesLayer = "NAMES";
        session.dxfHeaderPath = TERVAN_DXF_HEADER;
        session.inputPath = dir.file("job.txt");
        appendPoint(session.store, {.N = "#7", .X = 4712345.678, .Y = 9512345.123, .Z = 123.4567});
        appendPoint(session.store, {.N = "zero"});
        appendPoint(session.store, {.N = "A 1", .X = 1, .Y = -2.5, .Z = -0.004});
        Result result;
        writeOutputs(session, dir.file("job"), result);
        ASSERT_FALSE(result.outputFailed()) << result.message;
        EXPECT_EQ(readWithEzdxf(dir, dir.file(c.file)), c.expected);
    }
}

TEST(DxfRead, LayersPerCodeOpenInRealReaders) {
    test::ScratchDir dir;
    Session session = test::quietSession();
    session.settings.TwoDFile = 1;
    session.settings.ThreeDFile = 1;
    session.settings.LayerPerCode = 1;
    session.dxfHeaderPath = TERVAN_DXF_HEADER;
    session.inputPath = dir.file("job.txt");
    appendPoint(session.store, {.N = "1", .code = "tree", .X = 10, .Y = 20, .Z = 1});
    appendPoint(session.store, {.N = "2", .X = 11, .Y = 21, .Z = 2});
    appendPoint(session.store, {.N = "3", .code = "KERB:1", .X = 12, .Y = 22, .Z = 3});
    Result result;
    writeOutputs(session, dir.file("job"), result);
    ASSERT_FALSE(result.outputFailed()) << result.message;
    EXPECT_EQ(readWithEzdxf(dir, dir.file("job_3d.dxf")),
              "version AC1009\naudit errors 0\nwarnings 0\npoints 3 texts 6 unique handles 9\n"
              "layers 0 Defpoints NIVA NOMERA TOCKI TOCKI_KERB_1 TOCKI_TREE\nseed 0087\n"
              "POINT 007E TOCKI_TREE 20.000 10.000 1.000\n"
              "TEXT 007F TOCKI_TREE 20.000 10.000 1.000 0.5 1.000\n"
              "TEXT 0080 TOCKI_TREE 20.000 10.000 1.000 0.5 1\n"
              "POINT 0081 TOCKI 21.000 11.000 2.000\n"
              "TEXT 0082 NIVA 21.000 11.000 2.000 0.5 2.000\n"
              "TEXT 0083 NOMERA 21.000 11.000 2.000 0.5 2\n"
              "POINT 0084 TOCKI_KERB_1 22.000 12.000 3.000\n"
              "TEXT 0085 TOCKI_KERB_1 22.000 12.000 3.000 0.5 3.000\n"
              "TEXT 0086 TOCKI_KERB_1 22.000 12.000 3.000 0.5 3\n");
    if (std::system("command -v ogrinfo >/dev/null 2>&1") != 0) GTEST_SKIP() << "ogrinfo (gdal-bin) is not installed";
    const std::string out = dir.file("ogrinfo.out");
    const std::string cmd = "ogrinfo -ro -al -q '" + dir.file("job_3d.dxf") + "' >'" + out + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
    const std::string got = test::readFile(out);
    for (const char* layer : {"Layer (String) = TOCKI_TREE", "Layer (String) = TOCKI_KERB_1", "Layer (String) = NIVA"})
        EXPECT_NE(got.find(layer), std::string::npos) << layer << " not in\n" << got;
}

TEST(DxfRead, FiveDigitHandlesOpenInARealReader) {
    test::ScratchDir dir;
    Session session = manyPoints(21804);
    session.dxfHeaderPath = TERVAN_DXF_HEADER;
    ASSERT_FALSE(writeDrawing(dir, session).outputFailed());
    std::string got = readWithEzdxf(dir, dir.file("job_3d.dxf"));
    EXPECT_NE(got.find("audit errors 0\nwarnings 0\npoints 21804 texts 43608 unique handles 65412\n"),
              std::string::npos)
        << got;
    EXPECT_NE(got.find("seed 10002\n"), std::string::npos) << got;
    EXPECT_NE(got.find("TEXT 10001 NOMERA 2000.000 22803.000 5.000 0.5 21803\n"), std::string::npos) << got;
}
#endif

}  // namespace
}  // namespace tervan
