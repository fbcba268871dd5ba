// The formatter must give the bytes of C printf for every conversion the
// output templates use.
#include "core/printf.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include "levelling/level_formats.h"
#include "writers/formats.h"

namespace tervan {
namespace {

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
template <class... A>
std::string viaSnprintf(const char* fmt, A... args) {
    char buf[1024];
    int n = std::snprintf(buf, sizeof buf, fmt, args...);
    return std::string(buf, static_cast<std::size_t>(n));
}
template <class... A>
std::string viaStrf(const char* fmt, A... args) {
    return strf(fmt, args...);
}
#pragma GCC diagnostic pop

// Values of every magnitude the files meet, with exact halves (ties) and
// values just beside them, negatives and zeros.
double randomValue(std::mt19937_64& gen) {
    std::uniform_int_distribution<int> kind(0, 7);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-6, 9);
    switch (kind(gen)) {
        case 0: return unit(gen) * std::pow(10.0, exponent(gen));
        case 1: return std::round(unit(gen) * 1e7) / 1000.0 + 0.0005;  // ties of %.3f
        case 2: return std::round(unit(gen) * 1e6) / 8.0;                // exact binary halves
        case 3: return std::nextafter(std::round(unit(gen) * 1e7) / 1000.0 + 0.0005, 1e300);
        case 4: return 4700000.0 + unit(gen) * 100000.0;
        case 5: return unit(gen) < 0 ? -0.0 : 0.0;
        case 6: return unit(gen) * 1e15;
        default: return std::round(unit(gen) * 400 * 10000) / 10000.0;
    }
}

TEST(Printf, DoubleConversionsMatchSnprintf) {
    const char* specs[] = {"%f",     "%0.0f",  "%0.1f",  "%0.2f",   "%0.3f",   "%4.3f",   "%6.3f",   "%7.4f",
                           "%8.3f",  "%8.4f",  "%9.3f",  "%9.4f",   "%10.3f",  "%10.5f",  "% 10.3f", "%11.3f",
                           "%12.3f", "%12.5f", "%13.3f", "%13.5f",  "%14.3f",  "%17.3f",  "%17.5f",  "%-10.3f",
                           "%+8.2f", "%010.3f", "%#.0f", "x%10.3fy"};
    std::mt19937_64 gen(20261207);
    for (const char* spec : specs) {
        for (int i = 0; i < 100000; ++i) {
            double v = randomValue(gen);
            ASSERT_EQ(viaStrf(spec, v), viaSnprintf(spec, v)) << spec << " " << v;
        }
    }
}

TEST(Printf, NearTiesAtEveryPrecisionMatchSnprintf) {
    const char* specs[] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4f", "%.5f", "%.6f", "%.7f", "%.8f"};
    std::mt19937_64 gen(42);
    std::uniform_int_distribution<long long> whole(-100000000000LL, 100000000000LL);
    std::uniform_int_distribution<int> nudge(-3, 3);
    for (int p = 0; p < 9; ++p) {
        double scale = std::pow(10.0, p);
        for (int i = 0; i < 100000; ++i) {
            double v = (static_cast<double>(whole(gen) % (i % 2 ? 1000000 : 100000000000LL)) + 0.5) / scale;
            for (int k = nudge(gen); k != 0; k += k > 0 ? -1 : 1) v = std::nextafter(v, k > 0 ? 1e300 : -1e300);
            ASSERT_EQ(viaStrf(specs[p], v), viaSnprintf(specs[p], v)) << specs[p] << " " << v;
        }
    }
}

TEST(Printf, SpecialValuesMatchSnprintf) {
    const double values[] = {INFINITY, -INFINITY, NAN,
#ifndef _WIN32
                             // mingw's printf drops the sign of a NaN; ours
                             // writes "-nan" as glibc's does, on every system.
                             -NAN,
#endif
                             1e300, -1e-300, 0.5, 1.5, 2.5, -0.5, 0.0005, 0.0015};
    for (const char* spec : {"%10.3f", "%0.0f", "% 10.3f", "%4.3f", "%010.3f"})
        for (double v : values) EXPECT_EQ(viaStrf(spec, v), viaSnprintf(spec, v)) << spec << " " << v;
}

// Doubles of every kind the bits allow (subnormals, the largest, values
// around 10^19 after scaling, where the integer path hands over to
// snprintf), the coordinates scaled by 1000 (x1000), each at every
// precision and with the flags, in each rounding mode the C library knows.
TEST(Printf, AnyDoubleAtAnyPrecisionMatchesSnprintf) {
    std::mt19937_64 gen(2718);
    std::uniform_int_distribution<int> power(-30, 30);
    std::vector<double> values = {0.0, -0.0, 5e-324, -5e-324, 2.2250738585072009e-308, 1.7976931348623157e308,
                                  -1.7976931348623157e308, 9.999999999999999e18, 1e19, 18446744073709551615.0,
                                  9007199254740993.0, 4503599627370495.5, 0.125, 0.375, 2.5, 1e-5, 5e-7};
    for (int i = 0; i < 2000; ++i) {
        std::uint64_t bits = gen();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) values.push_back(v);
        values.push_back(randomValue(gen) * std::pow(10.0, power(gen)));
        values.push_back(std::round(randomValue(gen) * 1000) * 1000);  // x1000 of a value with three decimals
        values.push_back(std::nextafter(1e19 / std::pow(10.0, i % 20), i % 3 ? 0.0 : 1e300));
    }
    const char* specs[] = {"%.0f",  "%.1f",  "%.2f",    "%.3f",  "%.4f",  "%.5f",  "%.6f",  "%.7f",
                           "%.8f",  "%.9f",  "%.12f",   "%.17f", "%.19f", "%.20f", "%0.0f",
                           "%#.0f", "%+.3f", "% 12.5f", "%-9.2f", "%014.3f", "%+014.4f", "%-+10.1f", "%f"};
#ifdef _WIN32
    const int modes[] = {FE_TONEAREST};
#else
    const int modes[] = {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
#endif
    for (int mode : modes) {
        ASSERT_EQ(std::fesetround(mode), 0);
        for (const char* spec : specs)
            for (double v : values) {
                if (viaStrf(spec, v) != viaSnprintf(spec, v)) {
                    std::fesetround(FE_TONEAREST);
                    FAIL() << spec << " " << v << " in rounding mode " << mode;
                }
            }
        std::fesetround(FE_TONEAREST);
    }
}

TEST(Printf, IntegerAndStringConversionsMatchSnprintf) {
    std::mt19937_64 gen(7);
    std::uniform_int_distribution<int> anyInt(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int> small(-2000, 2000);
    for (const char* spec : {"%d", "%3d", "%4d", "%6d", "%7d", "%9d", "%10d", "%15d", "%19d", "%-5d", "%05d", "%.3d", "%+d",
                             "% d", "%u", "%x", "%X", "%04X"}) {
        for (int i = 0; i < 100000; ++i) {
            int v = i % 2 ? anyInt(gen) : small(gen);
            ASSERT_EQ(viaStrf(spec, v), viaSnprintf(spec, v)) << spec << " " << v;
        }
    }
    const char* strings[] = {"", "P1", "123456", "1234567890", "\x8E\x81", "  x  "};
    for (const char* spec : {"%s", "%6s", "%-6s", "%.3s", "%9s", "%8.2s"})
        for (const char* s : strings) EXPECT_EQ(viaStrf(spec, s), viaSnprintf(spec, s)) << spec << " '" << s << "'";
    EXPECT_EQ(viaStrf("%c%3c%%", 'a', 'b'), viaSnprintf("%c%3c%%", 'a', 'b'));
}

TEST(Printf, WholeTemplatesMatchSnprintf) {
    std::mt19937_64 gen(99);
    const char* row = "%s\r\n%s\t%4.3f\t%s\t%4.3f\t%7.4f\t%7.4f\t%9.3f\t% 10.3f\t% 10.3f\t%6.3f\t%6.3f";
    const char* tras = "   0000%s         X%13.3f Y%14.3f Z%10.3f\n";
    for (int i = 0; i < 100000; ++i) {
        double a = randomValue(gen), b = randomValue(gen), c = randomValue(gen);
        ASSERT_EQ(viaStrf(tras, "        P1", a, b, c), viaSnprintf(tras, "        P1", a, b, c));
        ASSERT_EQ(viaStrf(row, "  *", "S1", a, "P2", b, c, a, b, c, a, b, c),
                  viaSnprintf(row, "  *", "S1", a, "P2", b, c, a, b, c, a, b, c));
    }
}

TEST(Printf, UnknownConversionsFallBackToVsnprintf) {
    EXPECT_EQ(viaStrf("%e|%g|%*d", 1234.5, 0.5, 4, 7), viaSnprintf("%e|%g|%*d", 1234.5, 0.5, 4, 7));
    EXPECT_EQ(viaStrf("%ld", 5L), "5");
}

TEST(Printf, ATemplateBuiltAtRunTimeIsCheckedByItsText) {
    // The same buffer holds first a template the formatter knows, then one
    // it must hand to vsnprintf.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s", "%7d|%s");
    EXPECT_EQ(viaStrf(buffer, 42, "a"), "     42|a");
    std::snprintf(buffer, sizeof buffer, "%s", "%9.2e|%ld");
    EXPECT_EQ(viaStrf(buffer, 1234.5, 7L), viaSnprintf("%9.2e|%ld", 1234.5, 7L));
}

// A value of each argument type of a Format, as the Format takes it and as
// snprintf takes it.
template <class T>
struct Drawn {
    using Held = T;
};
template <>
struct Drawn<std::string_view> {
    using Held = std::string;
};

// A coordinate the scripts and the drawing repeat: written once by their
// conversion half the time, so that the copied bytes are checked as well
// as the value written where it stands.
struct DrawnRepeated {
    double value = 0;
    bool written = false;
    mutable char room[boundOf(formats::kCoordinate, 0.0)] = {};
};
template <>
struct Drawn<Repeated> {
    using Held = DrawnRepeated;
};

template <class T>
typename Drawn<T>::Held draw(std::mt19937_64& gen) {
    if constexpr (std::is_same_v<T, double>) {
        return randomValue(gen);
    } else if constexpr (std::is_same_v<T, Repeated>) {
        return DrawnRepeated{randomValue(gen), gen() % 2 == 0};
    } else if constexpr (std::is_same_v<T, unsigned>) {
        return static_cast<unsigned>(gen() % (gen() % 2 ? 0x10000u : 0xFFFFFFFFu));
    } else if constexpr (std::is_same_v<T, int>) {
        return static_cast<int>(gen() % 40000) - 20000;
    } else {
        // With a NUL (printf stops there) or line feeds, at every length
        // the short paths take.
        using namespace std::string_literals;
        static const std::string texts[] = {"", "P1", "123456", "1234567890", "\x8E\x81", "  x  ", "TOCKI", "#12",
                                            "P\n1", "AB\0CD"s, "NAME\nXY", "A\0"s, "12345678901\n", "x\0yz12345678901234"s,
                                            "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl\nm\nn\no\np\nq"};
        return texts[gen() % std::size(texts)];
    }
}

const char* forSnprintf(const std::string& text) { return text.c_str(); }
double forSnprintf(const DrawnRepeated& drawn) { return drawn.value; }
template <class T>
T forSnprintf(T value) {
    return value;
}

Repeated forFormat(const DrawnRepeated& d) {
    return d.written ? repeat(d.room, formats::kCoordinate, d.value, roundsToNearest()) : Repeated(d.value);
}
template <class T>
const T& forFormat(const T& value) {
    return value;
}

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

template <class... Args>
void expectLikeSnprintf(const Format<Args...>& format, std::mt19937_64& gen, int times = 20000) {
    for (int i = 0; i < times; ++i) {
        std::tuple<typename Drawn<Args>::Held...> values{draw<Args>(gen)...};
        std::apply(
            [&](const auto&... v) {
                std::string plain = "old ", lines = "old ";
                format.append(plain, forFormat(v)...);
                format.appendLines(lines, forFormat(v)...);
                const std::string expected = viaSnprintf(format.text(), forSnprintf(v)...);
                ASSERT_EQ(plain, "old " + expected) << format.text();
                ASSERT_EQ(lines, "old " + withCrLf(expected)) << format.text();
            },
            values);
    }
}

TEST(Printf, EveryOutputLineMatchesSnprintf) {
    using namespace formats;
    std::mt19937_64 gen(1207);
    // A value written by one conversion and given to another is written afresh.
    char room[boundOf(kCoordinate, 0.0)];
    constexpr Format<Repeated, Repeated> kOther("%10.3f|%0.3f");
    std::string other;
    const Repeated y = repeat(room, kCoordinate, -0.0005, roundsToNearest());
    kOther.append(other, y, y);
    EXPECT_EQ(other, viaSnprintf("%10.3f|%0.3f", -0.0005, -0.0005));
    expectLikeSnprintf(kNameCoordinates, gen);
    expectLikeSnprintf(kXyz, gen);
    expectLikeSnprintf(kTras, gen);
    expectLikeSnprintf(kDpiStation, gen);
    expectLikeSnprintf(kDpiObservation, gen);
    expectLikeSnprintf(kKorPoint, gen);
    expectLikeSnprintf(kPointLine, gen);
    expectLikeSnprintf(kNameLine, gen);
    expectLikeSnprintf(kLevelLine, gen);
    expectLikeSnprintf(kLevelMillimetres, gen);
    expectLikeSnprintf(kLevelThreeDecimals, gen);
    expectLikeSnprintf(kLevelTwoDecimals, gen);
    expectLikeSnprintf(kPointEntity, gen);
    expectLikeSnprintf(kLevelEntity, gen);
    expectLikeSnprintf(kNameEntity, gen);
    expectLikeSnprintf(kCsvCoordinates, gen);
    expectLikeSnprintf(kLandXmlStamp, gen);
    expectLikeSnprintf(kCgPointCoordinates, gen);
    // The levelling rows, the file's form and the text's.
    const auto rows = [&](const auto&... format) { (expectLikeSnprintf(format, gen, 2000), ...); };
    rows(kBffbStartFile, kBffbStartText, kBffbBackFile, kBffbBackText, kBffbForeFile, kBffbForeText, kBffbHeightFile,
         kBffbHeightText, kBffbSumFile, kBffbSumText, kBffbDistFile, kBffbDistText, kBffbEndFile, kBffbEndText);
    rows(kDnaStartFile, kDnaStartText, kDnaHeightFile, kDnaStartHeightText, kDnaHeightText, kDnaBackFile, kDnaBackText,
         kDnaForeFile, kDnaForeText, kDnaSumFile, kDnaSumText, kDnaDistFile, kDnaDistText, kDnaEndFile, kDnaEndText);
    rows(kDiniHeaderFile, kDiniHeaderText, kDiniDataFile, kDiniSumFile, kDiniDataText);
    // Flags and the other letters a Format knows.
    constexpr Format<int, int, unsigned, unsigned, char, double, std::string_view> kOthers("%-5d|%+i|%u|%x|%c|%%|%010.2f|%-8.3s|");
    static_assert(!formatFits<double>("%d") && !formatFits<int>("%d %d") && !formatFits<double>("%e"));
    for (int i = 0; i < 1000; ++i) {
        const int n = static_cast<int>(gen());
        const unsigned u = static_cast<unsigned>(gen());
        const double v = randomValue(gen);
        std::string out;
        kOthers.append(out, n, -(n / 2), u, u, 'q', v, "abcdefghij");
        ASSERT_EQ(out, viaSnprintf(kOthers.text(), n, -(n / 2), u, u, 'q', v, "abcdefghij"));
    }
}

}  // namespace
}  // namespace tervan
