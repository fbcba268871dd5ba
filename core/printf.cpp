#include "core/printf.h"

#include <array>
#include <bit>
#include <cfenv>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace tervan {
namespace {

void pad(std::string& out, std::size_t n, char c) { out.append(n, c); }

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Short blank padding is one 16-byte store (a value or a text has room
// for that much and more behind it) instead of a call.
constexpr char kBlanks[16] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};

constexpr std::uint64_t kPow10[] = {1ULL,
                                    10ULL,
                                    100ULL,
                                    1000ULL,
                                    10000ULL,
                                    100000ULL,
                                    1000000ULL,
                                    10000000ULL,
                                    100000000ULL,
                                    1000000000ULL,
                                    10000000000ULL,
                                    100000000000ULL,
                                    1000000000000ULL,
                                    10000000000000ULL,
                                    100000000000000ULL,
                                    1000000000000000ULL,
                                    10000000000000000ULL,
                                    100000000000000000ULL,
                                    1000000000000000000ULL,
                                    10000000000000000000ULL};
constexpr int kMaxExactPrecision = 19;

// Writes the decimal digits of n so that they end at end; returns where
// they begin.
template <class Unsigned>
char* digitsBeforeOf(char* end, Unsigned n) {
    while (n >= 100) {
        const auto pair = static_cast<std::size_t>(n % 100);
        n /= 100;
        end -= 2;
        std::memcpy(end, kDigitPairs + 2 * pair, 2);
    }
    if (n >= 10) {
        end -= 2;
        std::memcpy(end, kDigitPairs + 2 * n, 2);
    } else {
        *--end = static_cast<char>('0' + n);
    }
    return end;
}

// The same for any n: most numbers fit 32 bits, where dividing by 100 is a
// shorter multiplication.
char* digitsBefore(char* end, std::uint64_t n) {
    if (n <= UINT32_MAX) return digitsBeforeOf(end, static_cast<std::uint32_t>(n));
    return digitsBeforeOf(end, n);
}

// Writes the last count digits of n, leading zeros included, so that they
// end at end.
char* fixedDigitsBefore(char* end, std::uint64_t n, std::size_t count) {
    if (n > UINT32_MAX) {
        char* first = digitsBefore(end, n);
        while (first > end - count) *--first = '0';
        return first;
    }
    auto small = static_cast<std::uint32_t>(n);
    for (; count >= 2; count -= 2) {
        const std::uint32_t pair = small % 100;
        small /= 100;
        end -= 2;
        std::memcpy(end, kDigitPairs + 2 * pair, 2);
    }
    if (count) *--end = static_cast<char>('0' + small);
    return end;
}

// The number of decimal digits of n, which is not 0.
std::size_t digitCount(std::uint64_t n) {
    const int estimate = (std::bit_width(n) * 1233) >> 12;  // 1233 / 4096 is just above log10(2)
    return static_cast<std::size_t>(estimate + (n >= kPow10[estimate] ? 1 : 0));
}

// |v| * 10^precision rounded to an integer as printf rounds in the
// round-to-nearest mode: the exact binary value, a tie to the even
// neighbour. v = m * 2^e exactly, and m * 10^precision < 2^53 * 2^64 fits
// 128 bits, so nothing is rounded before the one rounding printf makes.
// false when the result is not below 10^19 (or v is not finite).
bool scaledExactly(double v, int precision, std::uint64_t& scaled) {
    if (precision > kMaxExactPrecision) return false;
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t m = bits & ((1ULL << 52) - 1);
    if (biased == 0x7FF) return false;
    int e = -1074;  // subnormal
    if (biased != 0) {
        m |= 1ULL << 52;
        e = biased - 1075;
    }
    __extension__ typedef unsigned __int128 U128;
    const U128 limit = kPow10[19];
    const U128 n = static_cast<U128>(m) * kPow10[precision];
    if (e >= 0) {
        // From 2^12 on, m * 2^e is 2^64 or more.
        if (e >= 12) return false;
        const U128 whole = n << e;
        if (whole >= limit) return false;
        scaled = static_cast<std::uint64_t>(whole);
        return true;
    }
    const int shift = -e;
    if (shift >= 128) {  // below half a unit of the last place: n < 2^117
        scaled = 0;
        return true;
    }
    U128 whole = n >> shift;
    const U128 rest = n & ((static_cast<U128>(1) << shift) - 1);
    const U128 half = static_cast<U128>(1) << (shift - 1);
    if (rest > half || (rest == half && (whole & 1))) ++whole;
    if (whole >= limit) return false;
    scaled = static_cast<std::uint64_t>(whole);
    return true;
}

// The same for the usual values, without 128-bit arithmetic. Below 2^52
// the doubles are at most 0.5 apart and every half is one of them; the
// product |v| * 10^precision in doubles (10^precision itself is exact) is
// the double nearest the exact product, so unless it is a half itself, no
// half lies between the two, and both round to the same integer. false,
// and nothing decided, for a half (and beyond 2^52): scaledExactly decides.
// With doubles computed in wider registers (x87) it decides nothing.
bool scaledQuickly(double v, int precision, std::uint64_t& scaled) {
#if FLT_EVAL_METHOD == 0
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    if (precision > 9) return false;
    const double s = std::fabs(v) * kPowers[precision];
    if (!(s < 0x1p52)) return false;
    const auto whole = static_cast<std::int64_t>(s);  // signed: one instruction each way
    const double fraction = s - static_cast<double>(whole);  // exact
    if (fraction == 0.5) return false;
    scaled = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    return true;
#else
    (void)v, (void)precision, (void)scaled;
    return false;
#endif
}

// scaled = whole * 10^precision + fraction. The usual precisions divide by
// a constant, which the compiler turns into a multiplication.
template <int P>
void splitBy(std::uint64_t scaled, std::uint64_t& whole, std::uint64_t& fraction) {
    whole = scaled / kPow10[P];
    fraction = scaled - whole * kPow10[P];
}

void splitScaled(std::uint64_t scaled, int precision, std::uint64_t& whole, std::uint64_t& fraction) {
    switch (precision) {
        case 0: whole = scaled, fraction = 0; return;
        case 1: return splitBy<1>(scaled, whole, fraction);
        case 2: return splitBy<2>(scaled, whole, fraction);
        case 3: return splitBy<3>(scaled, whole, fraction);
        case 4: return splitBy<4>(scaled, whole, fraction);
        case 5: return splitBy<5>(scaled, whole, fraction);
        case 6: return splitBy<6>(scaled, whole, fraction);
        default:
            whole = scaled / kPow10[precision];
            fraction = scaled - whole * kPow10[precision];
    }
}

// Whether a text of at most 32 bytes holds a NUL or a line feed: its bytes
// looked at in words of 8 (overlapping, so that only its own are read).
bool holdsNulOrFeed(std::string_view text) {
    const char* s = text.data();
    const std::size_t n = text.size();
    auto word = [s](std::size_t at) {
        std::uint64_t w;
        std::memcpy(&w, s + at, 8);
        return w;
    };
    if (n >= 8) {
        for (std::size_t at = 0; at + 8 < n; at += 8)
            if (format_detail::holdsNulOrFeed(word(at))) return true;
        return format_detail::holdsNulOrFeed(word(n - 8));
    }
    if (n >= 4) {
        std::uint32_t first, last;
        std::memcpy(&first, s, 4);
        std::memcpy(&last, s + n - 4, 4);
        return format_detail::holdsNulOrFeed(first | static_cast<std::uint64_t>(last) << 32);
    }
    for (std::size_t i = 0; i < n; ++i)
        if (s[i] == 0 || s[i] == '\n') return true;
    return false;
}

// Writes sign and body into p, padded to the width as the flags say; a
// zero flag pads with zeros after the sign when zeroPad.
char* putPadded(char* p, const Conversion& c, char sign, const char* body, std::size_t size, bool zeroPad) {
    const std::size_t length = size + (sign ? 1 : 0);
    const std::size_t width = widthOf(c);
    const std::size_t fill = length < width ? width - length : 0;
    if (fill && !c.left && !(c.zero && zeroPad)) {
        std::memset(p, ' ', fill);
        p += fill;
    }
    if (sign) *p++ = sign;
    if (fill && !c.left && c.zero && zeroPad) {
        std::memset(p, '0', fill);
        p += fill;
    }
    std::memcpy(p, body, size);
    p += size;
    if (fill && c.left) {
        std::memset(p, ' ', fill);
        p += fill;
    }
    return p;
}

// The value as snprintf writes it, for what the integer path does not do.
char* putBySnprintf(char* p, const Conversion& c, double v) {
    char spec[40];
    char* s = spec;
    *s++ = '%';
    if (c.left) *s++ = '-';
    if (c.plus) *s++ = '+';
    if (c.space) *s++ = ' ';
    if (c.zero) *s++ = '0';
    if (c.alt) *s++ = '#';
    std::snprintf(s, static_cast<std::size_t>(spec + sizeof spec - s), "%d.%df", c.width < 0 ? 0 : c.width,
                  c.precision < 0 ? 6 : c.precision);
    const std::size_t room = boundOf(c, v) + 1;
    std::vector<char> buffer(room);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    const int n = std::snprintf(buffer.data(), room, spec, v);
#pragma GCC diagnostic pop
    const std::size_t size = n < 0 ? 0 : std::min(static_cast<std::size_t>(n), room - 1);
    std::memcpy(p, buffer.data(), size);
    return p + size;
}

// inf and nan as glibc writes them, on every system: lower case, the sign
// of a negative nan kept, padded with blanks only.
char* putNotFinite(char* p, const Conversion& c, double v) {
    const char sign = std::signbit(v) ? '-' : c.plus ? '+' : c.space ? ' ' : 0;
    return putPadded(p, c, sign, std::isnan(v) ? "nan" : "inf", 3, false);
}

}  // namespace

bool roundsToNearest() {
#if defined(__x86_64__) && defined(__GNUC__)
    unsigned short x87;
    __asm__("fnstcw %0" : "=m"(x87));
    const unsigned sse = __builtin_ia32_stmxcsr();
    return ((x87 >> 10) & 3) == 0 && ((sse >> 13) & 3) == 0;
#else
    return std::fegetround() == FE_TONEAREST;
#endif
}

char* putValue(char* p, const Conversion& c, double v) { return putValue(p, c, v, roundsToNearest()); }

namespace {

// Writes what stands before a number fill bytes short of its width: the
// blanks and the sign (0: none), or with the '0' flag the sign and the
// zeros; nothing of the fill with the '-' flag, which pads after it. Most
// columns pad with a few blanks: one 16-byte store (a number has room for
// 311 bytes and more behind p) instead of a call.
char* padBefore(char* p, const Conversion& c, std::size_t fill, char sign) {
    if (fill && !c.left && !c.zero) {
        if (fill <= sizeof kBlanks) std::memcpy(p, kBlanks, sizeof kBlanks);
        else std::memset(p, ' ', fill);
        p += fill;
    }
    if (sign) *p++ = sign;
    if (fill && !c.left && c.zero) {
        std::memset(p, '0', fill);
        p += fill;
    }
    return p;
}

// A value of the usual shape (a width, the flags '-' and '0' at most, P
// decimals, scaled below 2^52): the same bytes as putValue's general
// path, with fewer questions asked.
template <int P>
char* putFixed(char* p, const Conversion& c, bool negative, std::uint64_t scaled) {
    constexpr std::uint64_t kUnit = kPow10[P];
    const std::uint64_t whole = scaled / kUnit;
    auto fraction = static_cast<std::uint32_t>(scaled - whole * kUnit);
    const std::size_t wholeDigits = whole < 10 ? 1 : digitCount(whole);
    const std::size_t length = wholeDigits + 1 + P + (negative ? 1 : 0);
    const std::size_t width = widthOf(c);
    const std::size_t fill = length < width ? width - length : 0;
    p = padBefore(p, c, fill, negative ? '-' : 0);
    char* end = p + wholeDigits + 1 + P;
    p = end;
    for (int i = 0; i + 1 < P; i += 2) {
        end -= 2;
        std::memcpy(end, kDigitPairs + 2 * (fraction % 100), 2);
        fraction /= 100;
    }
    if (P % 2) *--end = static_cast<char>('0' + fraction);
    *--end = '.';
    if (whole <= UINT32_MAX) digitsBeforeOf(end, static_cast<std::uint32_t>(whole));
    else digitsBefore(end, whole);
    if (fill && c.left) {
        std::memset(p, ' ', fill);
        p += fill;
    }
    return p;
}

// The general path of a double.
[[gnu::noinline]] char* putDouble(char* p, const Conversion& c, double v, bool nearest) {
    if (!std::isfinite(v)) return putNotFinite(p, c, v);
    const int precision = c.precision < 0 ? 6 : c.precision;
    std::uint64_t scaled;
    if (!nearest || !(scaledQuickly(v, precision, scaled) || scaledExactly(v, precision, scaled)))
        return putBySnprintf(p, c, v);
    std::uint64_t whole, fraction;
    splitScaled(scaled, precision, whole, fraction);
    const auto decimals = static_cast<std::size_t>(precision);
    const std::size_t wholeDigits = whole == 0 ? 1 : digitCount(whole);
    const bool point = precision > 0 || c.alt;
    const std::size_t size = wholeDigits + (point ? 1 : 0) + decimals;
    const char sign = std::signbit(v) ? '-' : c.plus ? '+' : c.space ? ' ' : 0;
    const std::size_t length = size + (sign ? 1 : 0);
    const std::size_t width = widthOf(c);
    const std::size_t fill = length < width ? width - length : 0;
    p = padBefore(p, c, fill, sign);
    // The digits are written from the right: the decimals with their
    // leading zeros, the point, the whole part.
    char* const end = p + size;
    if (decimals) fixedDigitsBefore(end, fraction, decimals);
    if (point) p[wholeDigits] = '.';
    digitsBefore(p + wholeDigits, whole);
    p = end;
    if (fill && c.left) {
        std::memset(p, ' ', fill);
        p += fill;
    }
    return p;
}

}  // namespace

char* putValue(char* p, const Conversion& c, double v, bool nearest) {
    std::uint64_t scaled;
    // The flags are bytes of 0 or 1 in the conversion's first word.
    static constexpr std::uint64_t kSignFlags =
        std::bit_cast<std::array<std::uint64_t, 2>>(Conversion{.plus = true, .space = true, .alt = true})[0];
    if (nearest && (std::bit_cast<std::array<std::uint64_t, 2>>(c)[0] & kSignFlags) == 0 &&
        static_cast<unsigned>(c.precision - 1) < 4 &&  // 1 to 4 decimals
        scaledQuickly(v, c.precision, scaled)) {
        const bool negative = std::signbit(v);
        switch (c.precision) {
            case 1: return putFixed<1>(p, c, negative, scaled);
            case 2: return putFixed<2>(p, c, negative, scaled);
            case 3: return putFixed<3>(p, c, negative, scaled);
            default: return putFixed<4>(p, c, negative, scaled);
        }
    }
    return putDouble(p, c, v, nearest);
}

Repeated repeat(char* room, const Conversion& c, double value, bool nearest) {
    Repeated r(value);
    r.by = &c;
    r.bytes = std::string_view(room, static_cast<std::size_t>(putValue(room, c, value, nearest) - room));
    return r;
}

char* putValue(char* p, const Conversion& c, int v) {
    const std::uint64_t magnitude = v < 0 ? 0ULL - static_cast<std::uint64_t>(static_cast<long long>(v))
                                          : static_cast<std::uint64_t>(v);
    char digits[kMaxPrecision + 24];
    char* const end = digits + sizeof digits;
    char* first = end;
    if (!(c.precision == 0 && magnitude == 0)) first = digitsBefore(end, magnitude);
    while (c.precision > 0 && end - first < c.precision) *--first = '0';
    const char sign = v < 0 ? '-' : c.plus ? '+' : c.space ? ' ' : 0;
    return putPadded(p, c, sign, first, static_cast<std::size_t>(end - first), c.precision < 0);
}

char* putValue(char* p, const Conversion& c, unsigned v) {
    char digits[kMaxPrecision + 24];
    char* const end = digits + sizeof digits;
    char* first = end;
    if (c.letter == 'u') {
        if (!(c.precision == 0 && v == 0)) first = digitsBefore(end, v);
    } else {
        const char* const hex = c.letter == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
        if (!(c.precision == 0 && v == 0)) {
            unsigned n = v;
            do {
                *--first = hex[n & 15];
                n >>= 4;
            } while (n);
        }
    }
    while (c.precision > 0 && end - first < c.precision) *--first = '0';
    return putPadded(p, c, 0, first, static_cast<std::size_t>(end - first), c.precision < 0);
}

char* putValue(char* p, const Conversion& c, char v) { return putPadded(p, c, 0, &v, 1, false); }

char* putText(char* p, const Conversion& c, std::string_view text, bool lineEnds) {
    // A name or a layer: short, without a NUL or a line feed, padded with a
    // few blanks if at all.
    if (text.size() <= 32 && c.precision < 0) {
        const bool plain = !holdsNulOrFeed(text);
        const std::size_t width = widthOf(c);
        const std::size_t fill = text.size() < width ? width - text.size() : 0;
        if (plain && fill <= sizeof kBlanks) {
            if (fill && !c.left) {
                std::memcpy(p, kBlanks, sizeof kBlanks);
                p += fill;
            }
            p = format_detail::copyShort(p, text.data(), text.size());
            if (fill && c.left) {
                std::memcpy(p, kBlanks, sizeof kBlanks);
                p += fill;
            }
            return p;
        }
    }
    if (const void* nul = std::memchr(text.data(), 0, text.size()))
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    if (c.precision >= 0) text = text.substr(0, static_cast<std::size_t>(c.precision));
    const std::size_t width = widthOf(c);
    const std::size_t fill = text.size() < width ? width - text.size() : 0;
    if (fill && !c.left) {
        std::memset(p, ' ', fill);
        p += fill;
    }
    if (lineEnds && std::memchr(text.data(), '\n', text.size())) {
        for (char ch : text) {
            if (ch == '\n') *p++ = '\r';
            *p++ = ch;
        }
    } else {
        std::memcpy(p, text.data(), text.size());
        p += text.size();
    }
    if (fill && c.left) {
        std::memset(p, ' ', fill);
        p += fill;
    }
    return p;
}

namespace {

// Appends what a put function writes for value.
template <class T>
void appendPut(std::string& out, const Conversion& c, T value) {
    const std::size_t most = boundOf(c, value);
    if (most <= 512) {
        char buffer[512];
        out.append(buffer, static_cast<std::size_t>(putValue(buffer, c, value) - buffer));
    } else {
        std::vector<char> buffer(most);
        out.append(buffer.data(), static_cast<std::size_t>(putValue(buffer.data(), c, value) - buffer.data()));
    }
}

void formatDouble(std::string& out, const Conversion& s, double v) { appendPut(out, s, v); }

void formatInt(std::string& out, const Conversion& s, int v) { appendPut(out, s, v); }

void formatUnsigned(std::string& out, const Conversion& s, unsigned v) { appendPut(out, s, v); }

void formatString(std::string& out, const Conversion& s, const char* str) {
    if (str == nullptr) str = "(null)";
    std::size_t len = s.precision >= 0 ? strnlen(str, static_cast<std::size_t>(s.precision)) : std::strlen(str);
    std::size_t width = s.width > 0 ? static_cast<std::size_t>(s.width) : 0;
    std::size_t fill = len < width ? width - len : 0;
    if (!s.left) pad(out, fill, ' ');
    out.append(str, len);
    if (s.left) pad(out, fill, ' ');
}

void formatChar(std::string& out, const Conversion& s, char c) {
    std::size_t width = s.width > 0 ? static_cast<std::size_t>(s.width) : 0;
    if (!s.left && width > 1) pad(out, width - 1, ' ');
    out.push_back(c);
    if (s.left && width > 1) pad(out, width - 1, ' ');
}

// Checks the whole template before anything is consumed from the argument
// list, so that the vsnprintf fallback sees the arguments untouched.
bool supported(const char* fmt) {
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        Conversion s;
        if (!parseConversion(p, s)) return false;
        --p;
    }
    return true;
}

// The check is remembered for the few most recent templates. They are
// nearly always string constants, found again by their address; the text is
// compared as well, so that a template built at run time in a buffer that is
// used again is never taken for the one checked there before.
bool supportedCached(const char* fmt) {
    struct Known {
        const char* address = nullptr;
        std::string text;
    };
    thread_local Known known[16];
    thread_local unsigned next = 0;
    for (const Known& k : known)
        if (k.address == fmt && k.text == fmt) return true;
    if (!supported(fmt)) return false;
    known[next++ % 16] = {fmt, fmt};
    return true;
}

}  // namespace

void vappendf(std::string& out, const char* fmt, va_list args) {
    if (!supportedCached(fmt)) {
        va_list copy;
        va_copy(copy, args);
        int n = std::vsnprintf(nullptr, 0, fmt, copy);
        va_end(copy);
        if (n <= 0) return;
        std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data() + at, static_cast<std::size_t>(n) + 1, fmt, args);
        out.resize(at + static_cast<std::size_t>(n));
        return;
    }
    const char* p = fmt;
    while (*p) {
        const char* start = p;
        while (*p && *p != '%') ++p;
        out.append(start, static_cast<std::size_t>(p - start));
        if (!*p) break;
        ++p;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        Conversion s;
        parseConversion(p, s);
        switch (s.letter) {
            case 'd': case 'i': formatInt(out, s, va_arg(args, int)); break;
            case 'u': case 'x': case 'X': formatUnsigned(out, s, va_arg(args, unsigned)); break;
            case 'f': formatDouble(out, s, va_arg(args, double)); break;
            case 's': formatString(out, s, va_arg(args, const char*)); break;
            case 'c': formatChar(out, s, static_cast<char>(va_arg(args, int))); break;
        }
    }
}

void appendValue(std::string& out, const Conversion& c, double value) { formatDouble(out, c, value); }

void appendValue(std::string& out, const Conversion& c, int value) { formatInt(out, c, value); }

void appendValue(std::string& out, const Conversion& c, unsigned value) { formatUnsigned(out, c, value); }

void appendValue(std::string& out, const Conversion& c, char value) { formatChar(out, c, value); }

void appendText(std::string& out, const Conversion& c, std::string_view text, bool lineEnds) {
    const std::size_t most = boundOf(c, text);
    if (most <= 512) {
        char buffer[512];
        out.append(buffer, static_cast<std::size_t>(putText(buffer, c, text, lineEnds) - buffer));
    } else {
        std::vector<char> buffer(most);
        out.append(buffer.data(), static_cast<std::size_t>(putText(buffer.data(), c, text, lineEnds) - buffer.data()));
    }
}

void appendf(std::string& out, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    vappendf(out, fmt, args);
    va_end(args);
}

std::string strf(const char* fmt, ...) {
    std::string out;
    va_list args;
    va_start(args, fmt);
    vappendf(out, fmt, args);
    va_end(args);
    return out;
}

}  // namespace tervan
