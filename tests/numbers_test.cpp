#include "core/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

namespace tervan {
namespace {

// toNumber must be strtod, whatever path it takes inside; a text that
// holds no number gives 0, as the C standard says (mingw's strtod gives -0
// for "-" and "-.", which would print as "-0.000").
void expectStrtod(const std::string& text) {
    char* end = nullptr;
    double expected = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) expected = 0;
    double got = toNumber(text);
    if (std::isnan(expected))
        EXPECT_TRUE(std::isnan(got)) << "'" << text << "'";
    else
        EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << "'" << text << "' " << got << " vs " << expected;
}

TEST(ToNumber, BehavesAsStrtod) {
    const char* cases[] = {"",        " ",      "12",      "-12.5",  "+3",      "  7.25x", "\t-0.5",  ".5",
                           "-.5",     ".",      "-",       "+-5",    "0x1A",    "-0X10",   "1e5",     "1e",
                           "1e+",     "1.5e-3", "inf",     "-Infinity", "nan",  "1e400",   "-1e400",  "1e-310",
                           "1e-400",  "00x5",   "0.000",   "-0",     "12abc",   "abc",     "4712345.678",
                           "9512345.1236", "1,5", "1 5",  "\x8E"};
    for (const char* c : cases) expectStrtod(c);
    expectStrtod(std::string("12\0" "34", 5));
    std::mt19937 gen(3);
    const char alphabet[] = "0123456789.-+eE x";
    std::uniform_int_distribution<int> len(0, 24), pick(0, sizeof alphabet - 2);
    for (int i = 0; i < 200000; ++i) {
        std::string s;
        for (int n = len(gen); n > 0; --n) s += alphabet[pick(gen)];
        expectStrtod(s);
    }
    // Plain decimals around the edges of the short path: 15 and 16
    // significant digits, 22 and 23 decimals, leading and trailing zeros.
    std::uniform_int_distribution<int> digit(0, 9), whole(0, 17), part(0, 25);
    for (int i = 0; i < 200000; ++i) {
        std::string s = i % 3 ? "" : "-";
        for (int n = whole(gen); n > 0; --n) s += static_cast<char>('0' + digit(gen));
        s += '.';
        for (int n = part(gen); n > 0; --n) s += static_cast<char>('0' + digit(gen));
        expectStrtod(s);
    }
}

TEST(ToInteger, BehavesAsAtoiWithoutOverflow) {
    const std::pair<const char*, int> cases[] = {{"", 0},     {"12", 12},      {" -5x", -5},
                                                 {"+7", 7},   {"3.9", 3},      {"abc", 0},
                                                 {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
    for (const auto& [text, value] : cases) EXPECT_EQ(toInteger(text), value) << text;
}

}  // namespace
}  // namespace tervan
