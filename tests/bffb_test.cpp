#include "levelling/bffb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

#include "core/numbers.h"
#include "test_util.h"

namespace tervan {
namespace {

std::string bffbInput() { return test::readFile(test::dataPath("levelling/bffb-seeded/input.dat")); }

// A "Dini BF" conversion of input in a scratch folder, with a fixed seed;
// the prompt answers with the dialog's defaults unless told otherwise.
struct Prompts final : tervan::Prompts {
    std::function<bool(BffbParams&)> answer = [](BffbParams&) { return true; };
    bool askBffb(BffbParams& params) override { return answer(params); }
};

struct BffbRun {
    test::ScratchDir dir;
    Session session = test::quietSession();
    std::string input = dir.file("input.dat");
    Prompts prompts;
    Result result;

    explicit BffbRun(const std::string& bytes, std::uint32_t seed = 42) {
        test::writeFile(input, bytes);
        session.settings.Model = "Dini BF";
        session.fixedSeed = seed;
    }
    void run() { result = convert(session, input, prompts); }
    std::string output() const { return test::readFile(dir.file("input_.dat")); }
};

TEST(Bffb, SeededLineIsByteExact) {
    BffbRun r(bffbInput());
    r.run();
    EXPECT_EQ(r.result.outcome, Outcome::Done);
    EXPECT_EQ(r.output(), test::readFile(test::dataPath("levelling/bffb-seeded/expected_.dat")));
    EXPECT_EQ(test::replaceAll(r.result.message, r.input, "input.dat"),
              test::readFile(test::dataPath("levelling/bffb-seeded/expected-message.txt")));
    EXPECT_EQ(r.result.linesRead, 12);
    // the empty first line, the start row, the noise and the end row
    EXPECT_EQ(r.result.linesIgnored, 4);
    EXPECT_EQ(r.result.rowsWritten, 17);
}

TEST(Bffb, ReadingsAreSplitAroundTheMeasuredOnes) {
    BffbRun r(bffbInput(), 1234);
    r.run();
    // Rows 3-6 are Rb, Rf, Rf, Rb of the first set-up: 1.5 at 12.345 m back,
    // 0.5 at 11.0 m fore.
    std::vector<std::string> rows;
    std::string file = r.output();
    for (std::size_t s = 0, e; (e = file.find("\r\n", s)) != std::string::npos; s = e + 2)
        rows.push_back(file.substr(s, e - s));
    ASSERT_EQ(rows.size(), 17u);
    const char* tags[] = {" Rb", " Rf", " Rf", " Rb"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(rows[2 + i].substr(35, 3), tags[i]);
    auto reading = [&](int row) { return toNumber(rows[row].substr(38, 12)); };
    auto distance = [&](int row) { return toNumber(rows[row].substr(54, 12)); };
    EXPECT_NEAR(reading(2) + reading(5), 3.0, 1e-9);
    EXPECT_NEAR(reading(3) + reading(4), 1.0, 1e-9);
    EXPECT_NEAR(distance(2) + distance(5), 24.69, 1e-9);
    EXPECT_NEAR(distance(3) + distance(4), 22.0, 1e-9);
    // the height row carries the error-free difference
    EXPECT_EQ(rows[6].substr(66), " Z   1.00000");
}

TEST(Bffb, ErrorsStayWithinTheirSteps) {
    // kR 2 in 0.00001 m steps, kHD 5 in 0.001 m steps (the dialog's HD
    // field); dH and the horizontal error size play no part.
    std::string input;
    for (int i = 0; i < 300; ++i)
        input += "      1        1             10   1 Rb     1.00000 HD       10.000\r\n"
                 "      2        2             10   1 Rf     1.00000 HD       10.000\r\n"
                 "      3        2                  1                                Z   0.00000\r\n";
    BffbRun r(input, 99);
    r.session.settings.dH = "5000";
    r.session.errors.H = 7;
    r.run();
    EXPECT_EQ(r.session.settings.dH, "5000");
    EXPECT_EQ(r.session.errors.H, 7);
    std::map<long, int> readingErrors, distanceErrors;
    std::string file = r.output();
    for (std::size_t s = 0, e; (e = file.find("\r\n", s)) != std::string::npos; s = e + 2) {
        std::string row = file.substr(s, e - s);
        if (row.size() < 66 || row[36] != 'R') continue;
        ++readingErrors[std::lround((toNumber(row.substr(38, 12)) - 1.0) / 0.00001)];
        ++distanceErrors[std::lround((toNumber(row.substr(54, 12)) - 10.0) / 0.001)];
    }
    EXPECT_GE(readingErrors.begin()->first, -2);
    EXPECT_LE(readingErrors.rbegin()->first, 2);
    EXPECT_GT(readingErrors[1] + readingErrors[-1], 0);
    EXPECT_GE(distanceErrors.begin()->first, -5);
    EXPECT_LE(distanceErrors.rbegin()->first, 5);
    EXPECT_GT(distanceErrors[4] + distanceErrors[-4], 0);
    // 0 is drawn about twice as often as any other value
    EXPECT_GT(distanceErrors[0], distanceErrors[1] * 3 / 2);
}

TEST(Bffb, RandintRange) {
    Rng rng;
    rng.seed(7);
    std::map<int, int> counts;
    for (int i = 0; i < 200000; ++i) ++counts[static_cast<int>(randint(rng, 2.0))];
    EXPECT_GE(counts.begin()->first, -2);
    EXPECT_LE(counts.rbegin()->first, 2);
    EXPECT_NEAR(counts[0] / 200000.0, 0.5, 0.01);
    EXPECT_NEAR(counts[1] / 200000.0, 0.25, 0.01);
    EXPECT_NEAR(counts[-1] / 200000.0, 0.25, 0.01);
    EXPECT_LT(counts[2] + counts[-2], 40);
    // factors that no one would type still give a number, not a crash
    for (double k : {1e300, -1e300, std::nan(""), HUGE_VAL}) EXPECT_FALSE(std::isnan(randint(rng, k)));
}

TEST(Bffb, PointNameRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"        5", "        X"}, {"     1000", "   NR1000"}, {"      A12", "      A12"},
        {"      -70", "        X"}, {"      999", "        X"}, {"  1234567", "NR1234567"},
        {" 12345678", "R12345678"}, {"        0", "        0"}, {"", ""},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(bffbPointName(name), expected) << name;
}

// Values whose rows could not keep their columns are refused, naming the
// value; a text without digits reads as 0, as the dialog always took it.
TEST(Bffb, ValuesThatCannotKeepTheColumnsAreRefused) {
    const std::pair<BffbParams, const char*> cases[] = {
        {{"1e308", "5.0", "1", "1"}, "Calc BFFB line: R 1e308 is too large (at most 99999)"},
        {{"2.0", "-1e6", "1", "1"}, "Calc BFFB line: HD -1e6 is too large (at most 99999)"},
        {{"nan", "5.0", "1", "1"}, "Calc BFFB line: R nan is not a finite number"},
        {{"2.0", "inf", "1", "1"}, "Calc BFFB line: HD inf is not a finite number"},
        {{"abc", "99999", "abc", "99999999999"}, ""},
    };
    for (const auto& [params, said] : cases) EXPECT_EQ(bffbRefusal(bffbInput(), params), said) << params.reading;
}

TEST(Bffb, NumerationAndLineNumberComeFromTheDialog) {
    const std::pair<BffbParams, const char*> cases[] = {
        {{"2.0", "5.0", "100", "7"}, "    100 Start-Line       BFFB     7\r\n    101"},
        {{"2.0", "5.0", "1", "12345"}, "      1 Start-Line       BFFB   345\r\n      2"},
    };
    for (const auto& [params, start] : cases) {
        BffbRun r(bffbInput());
        BffbParams given = params;
        r.prompts.answer = [given](BffbParams& p) {
            EXPECT_EQ(p.distance, "5.0");  // asked with the defaults
            p = given;
            return true;
        };
        r.run();
        EXPECT_EQ(r.output().substr(0, std::string(start).size()), start);
    }
}

TEST(Bffb, CancelledPromptTouchesNothing) {
    BffbRun r(bffbInput());
    r.prompts.answer = [](BffbParams&) { return false; };
    Rng before = r.session.rng;
    r.run();
    EXPECT_EQ(r.result.outcome, Outcome::Cancelled);
    EXPECT_TRUE(r.result.keepMessage);
    EXPECT_EQ(r.result.summary, "Calc BFFB line cancelled: nothing written");
    EXPECT_EQ(r.session.rng.state, before.state);
    EXPECT_FALSE(test::fileExists(r.dir.file("input_.dat")));
}

}  // namespace
}  // namespace tervan
