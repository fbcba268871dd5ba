#include "core/text.h"

#include <gtest/gtest.h>

#include "core/input.h"

#include <array>
#include <random>
#include <vector>

#include "test_util.h"

namespace tervan {
namespace {

struct ReadResult {
    int status;
    std::string line;
};

std::vector<ReadResult> readAll(Input& input) {
    LineReader reader(input);
    std::vector<ReadResult> out;
    while (!reader.eof()) {
        ReadResult r;
        r.status = reader.read(r.line);
        out.push_back(r);
    }
    return out;
}

// The lines as views, forEachLine's way.
std::vector<ReadResult> readViews(Input& input) {
    LineReader reader(input);
    std::string spare;
    std::vector<ReadResult> views;
    while (!reader.eof()) {
        std::string_view line;
        int status = reader.read(line, spare);
        views.push_back({status, std::string(line)});
    }
    return views;
}

// The lines read into a string, which must be the lines read as views.
std::vector<ReadResult> readAll(const std::string& bytes) {
    Input input(bytes), again(bytes);
    std::vector<ReadResult> views = readViews(again);
    std::vector<ReadResult> copied = readAll(input);
    EXPECT_EQ(views.size(), copied.size());
    for (std::size_t i = 0; i < std::min(views.size(), copied.size()); ++i) {
        EXPECT_EQ(views[i].status, copied[i].status) << i;
        EXPECT_EQ(views[i].line, copied[i].line) << i;
    }
    return copied;
}

TEST(LineReader, CutsLongLinesAndDropsCarriageReturns) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<ReadResult> expected;
    };
    std::string s253(253, 'a');
    std::string s300(300, 'b');
    const std::vector<Case> cases = {
        {"carriage returns dropped", "A\r\rB\n", {{0, "AB"}, {-1, ""}}},
        {"last line without line feed", "C", {{-1, "C"}}},
        {"final line feed gives an empty read", "C\n", {{0, "C"}, {-1, ""}}},
        {"empty file", "", {{-1, ""}}},
        {"300 characters in two pieces", s300 + "\n", {{1, s300.substr(0, 253)}, {0, s300.substr(253)}, {-1, ""}}},
        {"exactly 253 then line feed", s253 + "\n", {{1, s253}, {0, ""}, {-1, ""}}},
        {"exactly 253 then CR LF", s253 + "\r\n", {{1, s253}, {0, ""}, {-1, ""}}},
        {"carriage returns do not count", "\r" + s253 + "\rz", {{1, s253}, {-1, "z"}}},
        {"byte 255 is a character", "a\xff" "b\n", {{0, "a\xff" "b"}, {-1, ""}}},
        {"NUL ends what the line shows", std::string("ab\0cd\nx", 7), {{0, "ab"}, {-1, "x"}}},
    };
    for (const auto& c : cases) {
        auto got = readAll(c.bytes);
        ASSERT_EQ(got.size(), c.expected.size()) << c.name;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].status, c.expected[i].status) << c.name << " call " << i;
            EXPECT_EQ(got[i].line, c.expected[i].line) << c.name << " call " << i;
        }
    }
}

// A file is read a block at a time: lines that straddle the blocks' edges
// (long ones, carriage returns, NULs among them) read as from memory.
TEST(LineReader, AFileReadsAsTheSameBytesInMemory) {
    std::string bytes;
    std::uint32_t state = 7;
    auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    while (bytes.size() < 1500000) {
        std::string line(next() % 600, 'x');
        for (char& c : line) {
            const std::uint32_t r = next() % 50;
            c = r == 0 ? '\r' : r == 1 ? '\0' : static_cast<char>('a' + r % 26);
        }
        bytes += line + (next() % 3 == 0 ? "\r\n" : "\n");
    }
    test::ScratchDir dir;
    test::writeFile(dir.file("in.txt"), bytes);
    InputFile file;
    std::string reason;
    ASSERT_TRUE(file.open(dir.file("in.txt"), reason)) << reason;
    Input fromFile(file);
    const auto got = readViews(fromFile), expected = readAll(bytes);
    EXPECT_FALSE(fromFile.failed());
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_EQ(got[i].status, expected[i].status) << i;
        ASSERT_EQ(got[i].line, expected[i].line) << i;
    }
}

TEST(ReadWholeFile, ReadsEveryByteOrSaysWhyNot) {
    test::ScratchDir dir;
    std::string bytes;
    for (int i = 0; bytes.size() < 200000; ++i) bytes += std::string(static_cast<std::size_t>(i % 300), 'x') + "\r\n";
    bytes += std::string("\0\x1a\xff", 3);
    test::writeFile(dir.file("in.txt"), bytes);
    std::filesystem::create_directory(dir.file("folder"));
    struct Case {
        std::string path;
        const char* reason;  // "" when the file reads
    } cases[] = {
        {dir.file("in.txt"), ""},
        {dir.file("missing.txt"), "No such file or directory"},
        {dir.file("folder"), "it is a folder"},
#ifndef _WIN32
        {"/dev/null", "it is not a regular file"},
        // a regular file whose first read fails: a read error is no end
        {"/proc/self/mem", "Input/output error"},
#endif
    };
    for (const Case& c : cases) {
        std::string read = "old", reason;
        bool ok = readWholeFile(c.path, read, reason);
        EXPECT_EQ(ok, *c.reason == '\0') << c.path;
        EXPECT_EQ(reason, c.reason) << c.path;
        EXPECT_EQ(read, ok ? bytes : "") << c.path;
    }
}

TEST(FieldSplitter, SeparatorRunsCountAsOne) {
    std::array<std::string_view, 4> f;
    splitFields("  P1;100.5,,200 ", kSeparators, f);
    EXPECT_EQ(f[0], "P1");
    EXPECT_EQ(f[1], "100.5");
    EXPECT_EQ(f[2], "200");
    EXPECT_EQ(f[3], "");

    std::array<std::string_view, 2> g;
    splitFields("PPD*5", kSeparators, g);
    EXPECT_EQ(g[0], "PPD");
    EXPECT_EQ(g[1], "5");
    splitFields("PPD*5", kSeparatorsNoStar, g);
    EXPECT_EQ(g[0], "PPD*5");
    EXPECT_EQ(g[1], "");
    splitFields("a:b", kListSeparators, g);
    EXPECT_EQ(g[0], "a:b");
}

// Lines of every length around the 64 bytes the word-at-a-time path takes,
// of separators, field bytes and NULs at random, against the rule itself.
TEST(FieldSplitter, AnyLineSplitsAsTheRuleSays) {
    std::mt19937 gen(64);
    for (int i = 0; i < 20000; ++i) {
        const std::string_view separators = i % 3 == 0 ? kSeparators : i % 3 == 1 ? kListSeparators : "x";
        std::string line(gen() % 80, ' ');
        for (char& c : line) c = "; ,\t*x\0a1.-:"[gen() % 12];
        std::array<std::string_view, 9> fields;
        splitFields(line, separators, fields);
        std::size_t at = 0;
        for (const std::string_view field : fields) {
            while (at < line.size() && separators.find(line[at]) != std::string_view::npos) ++at;
            const std::size_t start = at;
            while (at < line.size() && separators.find(line[at]) == std::string_view::npos) ++at;
            ASSERT_EQ(field.data(), line.data() + start) << line;
            ASSERT_EQ(field.size(), at - start) << line;
        }
    }
}

TEST(NameNormalisation, TrimsAndRenumbersHashNames) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"  P12  ", "P12"}, {"   ", ""},       {"", ""},         {"#7", "100007"},
        {"#-5", "99995"},   {"#12abc", "100012"}, {"#0", "#0"},     {"#", "#"},
        {"#x", "#x"},       {"# 0", "# 0"},    {"A#7", "A#7"},   {"\tP", "\tP"},
        {"    #0", "#0"},   {"  #3 ", "100003"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(normaliseName(in), out) << "'" << in << "'";
}

TEST(RightAligned, PadsShortTextsAndKeepsTheEndOfLongOnes) {
    EXPECT_EQ(rightAligned("12", 6), "    12");
    EXPECT_EQ(rightAligned("", 3), "   ");
    EXPECT_EQ(rightAligned("ABCDEFGH", 6), "CDEFGH");
    EXPECT_EQ(rightAligned("ABCDEF", 6), "ABCDEF");
}

TEST(HexText, FourDigitsAndHandles) {
    EXPECT_EQ(hex4(255), "00FF");
    EXPECT_EQ(hex4(126), "007E");
    EXPECT_EQ(hex4(70000), "1170");
    EXPECT_EQ(hex4(0xFFFF), "FFFF");
    EXPECT_EQ(hexHandle(126), "007E");
    EXPECT_EQ(hexHandle(0xFFFF), "FFFF");
    EXPECT_EQ(hexHandle(0x10000), "10000");
    EXPECT_EQ(hexHandle(70000), "11170");
}

}  // namespace
}  // namespace tervan
