// The DNA8 reduction on recordings of a real DNA03 level, checked against the
// instrument's own print-out of the same job (tests/data/levelling/dna8-real).
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "conversion/driver.h"
#include "core/numbers.h"
#include "core/printf.h"
#include "test_util.h"

namespace tervan {
namespace {

std::string trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

std::vector<std::string> split(const std::string& text, const std::string& sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(sep, start)) != std::string::npos; start = end + sep.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

// One row of the line file, cut at the columns of the levelling line layout.
struct LineRow {
    std::string name, tag, value, distance;
    int line = -1;
};

std::vector<LineRow> readLineFile(const std::string& file) {
    std::vector<LineRow> rows;
    for (const std::string& r : split(file, "\r\n")) {
        if (r.size() < 38) continue;
        LineRow row{.name = trim(r.substr(7, 9)), .tag = r.substr(36, 2)};
        if (row.tag == "Rb" || row.tag == "Rf") {
            row.line = toInteger(r.substr(31, 4));
            row.value = trim(r.substr(38, 12));
            row.distance = trim(r.substr(53));
        } else if (r.size() == 78 && r[67] == 'Z' && row.tag == "  ") {
            row.tag = "Z";
            row.line = toInteger(r.substr(16, 19));
            row.value = trim(r.substr(68));
        } else {
            continue;
        }
        rows.push_back(row);
    }
    return rows;
}

// The print-out: blocks headed "Line: NAME", rows "| BS | INT | FS | DIST |
// TOTAL DIST | ELEV | NR MS | STD DEV | PT ID |"; a line's last row holds
// only its total distance.
struct PrintedRow {
    int line;  // 0 for the check-and-adjust block before the first line
    std::string bs, intermediate, fs, dist, elev, id, total;
};

std::vector<PrintedRow> readPrintOut(const std::string& text, bool withTotals = false) {
    std::vector<PrintedRow> rows;
    int line = -1;
    for (std::string l : split(text, "\n")) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (auto at = l.find("| Line: "); at != std::string::npos) {
            std::string name = l.substr(at + 8, 9);
            line = name.rfind("LINE", 0) == 0 ? toInteger(name.substr(4)) : 0;
            continue;
        }
        auto f = split(l, "|");
        if (f.size() != 11 || line < 0) continue;
        PrintedRow row{line, trim(f[1]), trim(f[2]), trim(f[3]), trim(f[4]), trim(f[6]), trim(f[9]), trim(f[5])};
        const bool total = withTotals && row.id.empty() && !row.total.empty() && row.total != "TOTAL DIST";
        if (!total && (row.id.empty() || row.id == "PT ID" || row.id.find('_') != std::string::npos)) continue;
        rows.push_back(row);
    }
    return rows;
}

const LineRow* findRow(const std::vector<LineRow>& rows, int line, const std::string& tag, const std::string& name) {
    for (const LineRow& r : rows)
        if (r.line == line && r.tag == tag && r.name == name) return &r;
    return nullptr;
}

struct Reduced {
    test::ScratchDir dir;
    Session session = test::quietSession();
    Result result;
    std::string file;

    explicit Reduced(const std::string& name, const std::string& bytes = {}, const std::string& known = {}) {
        std::string input = dir.file(name);
        test::writeFile(input, bytes.empty() ? test::readFile(test::dataPath("levelling/dna8-real/" + name)) : bytes);
        session.settings.Model = "DNA8";
        if (!known.empty()) {
            session.settings.KnownPoints = dir.file("benchmarks.txt");
            test::writeFile(session.settings.KnownPoints, known);
        }
        result = test::convertFile(session, input);
        file = test::readFile(outputBaseName(input) + ".dat");
    }
};

TEST(Dna8Real, ReadingsDistancesAndHeightsAgreeWithThePrintOut) {
    Reduced run("140618BOYA.GSI");
    EXPECT_EQ(run.file, test::readFile(test::dataPath("levelling/dna8-real/140618BOYA.expected.dat")));
    auto rows = readLineFile(run.file);
    auto printed = readPrintOut(test::readFile(test::dataPath("levelling/dna8-real/140618BOYA.ASC")));
    ASSERT_EQ(printed.size(), 32u);  // 2 check-and-adjust rows, 15 + 15 rows of lines 1 and 2

    int readings = 0, heights = 0;
    for (const PrintedRow& p : printed) {
        SCOPED_TRACE(p.id + " of line " + std::to_string(p.line));
        const std::string* reading = !p.bs.empty() ? &p.bs : !p.fs.empty() ? &p.fs : nullptr;
        if (reading) {
            const LineRow* r = findRow(rows, p.line, p.bs.empty() ? "Rf" : "Rb", p.id);
            ASSERT_NE(r, nullptr);
            EXPECT_EQ(r->value, *reading);
            // the print-out rounds back and fore distances to 0.01 m
            EXPECT_NEAR(toNumber(r->distance), toNumber(p.dist), 0.005 + 1e-9);
            ++readings;
        }
        // Every elevation of lines 1 and 2 is a height row of the reduction:
        // the start, each intermediate sight (the level's height record
        // after it) and the fore sight's height record.
        if (p.line > 0) {
            const LineRow* z = findRow(rows, p.line, "Z", p.id);
            ASSERT_NE(z, nullptr);
            EXPECT_EQ(z->value, p.elev);
            ++heights;
        }
    }
    EXPECT_EQ(readings, 6);
    EXPECT_EQ(heights, 30);
}

// The closing rows of one line: Sh with dz, and Db with Df and the count
// of fore sights.
struct LineSums {
    std::string sh, dz, db, df;
    int foreSights = -1;
};

std::map<int, LineSums> readSums(const std::string& file) {
    std::map<int, LineSums> sums;
    for (const std::string& r : split(file, "\r\n")) {
        if (r.size() != 78) continue;
        if (r.substr(36, 2) == "Sh") {
            LineSums& s = sums[toInteger(r.substr(16, 19))];
            s.sh = trim(r.substr(38, 12));
            s.dz = trim(r.substr(53, 13));
        } else if (r.substr(36, 2) == "Db") {
            LineSums& s = sums[toInteger(r.substr(25, 10))];
            s.foreSights = toInteger(r.substr(16, 9));
            s.db = trim(r.substr(38, 12));
            s.df = trim(r.substr(53, 13));
        }
    }
    return sums;
}

TEST(Dna8Real, LineSumsAgreeWithThePrintOut) {
    // Each line: a back sight, 14 intermediate sights, a fore sight. The
    // level writes the height of every intermediate sight with word index 83
    // in word 2; those rows must not restart the line's sums.
    Reduced run("140618BOYA.GSI");
    auto sums = readSums(run.file);
    auto printed = readPrintOut(test::readFile(test::dataPath("levelling/dna8-real/140618BOYA.ASC")), true);
    for (int line : {1, 2}) {
        SCOPED_TRACE("line " + std::to_string(line));
        double bs = 0, fs = 0, back = 0, fore = 0, total = 0;
        int foreSights = 0;
        std::string lastElevation;
        for (const PrintedRow& p : printed) {
            if (p.line != line) continue;
            if (!p.bs.empty()) {
                bs += toNumber(p.bs);
                back += toNumber(p.dist);
            }
            if (!p.fs.empty()) {
                fs += toNumber(p.fs);
                fore += toNumber(p.dist);
                ++foreSights;
                lastElevation = p.elev;
            }
            if (p.id.empty()) total = toNumber(p.total);
        }
        ASSERT_EQ(foreSights, 1);
        ASSERT_GT(total, 0);
        const LineSums& s = sums[line];
        EXPECT_EQ(s.sh, strf("%.5f", bs - fs));
        // the line starts at 0, so dz is the level's own height of the end
        EXPECT_EQ(s.dz, strf("%.5f", -toNumber(lastElevation)));
        EXPECT_EQ(s.foreSights, foreSights);
        // the print-out rounds the distances to 0.01 m
        EXPECT_NEAR(toNumber(s.db), back, 0.005 + 1e-9);
        EXPECT_NEAR(toNumber(s.df), fore, 0.005 + 1e-9);
        EXPECT_NEAR(toNumber(s.db) + toNumber(s.df), total, 0.005 + 1e-9);
    }
    // line 1 as the print-out has it: BS-FS -2.80021 over 19.95 m
    EXPECT_EQ(sums[1].sh, "-2.80021");
}

TEST(Dna8Real, EveryRecordingIsReduced) {
    struct Case {
        const char* file;
        long linesRead, rowsWritten, linesIgnored, lineStarts;
    };
    const Case cases[] = {
        {"140618BOYA.GSI", 153, 100, 65, 4},
        {"20180430VU.GSI", 113, 73, 49, 3},
        {"STAFF20180111.GSI", 72, 47, 31, 2},
        {"2018STAFF.GSI", 68, 45, 29, 2},
        // GSI-16 words of another level
        {"M_210112BOYA.GSI", 66, 46, 26, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Reduced run(c.file);
        EXPECT_EQ(run.result.linesRead, c.linesRead);
        EXPECT_EQ(run.result.rowsWritten, c.rowsWritten);
        EXPECT_EQ(run.result.linesIgnored, c.linesIgnored);
        long starts = 0, ends = 0;
        for (std::size_t at = 0; (at = run.file.find(" Start-Line ", at)) != std::string::npos; ++at) ++starts;
        for (std::size_t at = 0; (at = run.file.find(" End-Line ", at)) != std::string::npos; ++at) ++ends;
        EXPECT_EQ(starts, c.lineStarts);
        EXPECT_EQ(ends, std::max(c.lineStarts, 1L));
    }
}

// The GSI-16 job of an LS15 and its GSI-8 twin, made word by word (the sign
// and the last eight of the sixteen digits), give the same rows.
TEST(Dna8Real, Gsi16ReadsAsItsGsi8Twin) {
    const std::string gsi16 = test::readFile(test::dataPath("levelling/dna8-real/M_210112BOYA.GSI"));
    std::string gsi8;
    for (const std::string& line : split(gsi16, "\n")) {
        if (line.empty()) continue;
        ASSERT_EQ(line[0], '*');
        for (std::size_t at = 1; at + 23 <= line.size(); at += 24) gsi8 += line.substr(at, 7) + line.substr(at + 15, 8) + ' ';
        gsi8 += '\n';
    }
    Reduced wide("wide.gsi", gsi16), narrow("narrow.gsi", gsi8);
    EXPECT_EQ(wide.file, narrow.file);
    EXPECT_EQ(wide.result.rowsWritten, narrow.result.rowsWritten);
    EXPECT_EQ(narrow.result.rowsWritten, 46);
    EXPECT_EQ(wide.result.levelRows, narrow.result.levelRows);
    EXPECT_EQ(test::replaceAll(wide.result.message, wide.dir.file("wide.gsi"), "x"),
              test::replaceAll(narrow.result.message, narrow.dir.file("narrow.gsi"), "x"));
}

}  // namespace
}  // namespace tervan
