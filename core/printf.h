// printf-compatible formatting into std::string.
//
// The output formats of the program are C printf templates, and our files
// must hold exactly the bytes C printf gives for them. The formatter here
// reads the templates itself (the conversions the formats use: %d %i %u %x
// %X %s %c %f %% with flags, width and precision) and writes numbers from
// integers: a %f value is scaled by 10^precision without rounding error
// (128-bit integer arithmetic on its binary mantissa) and rounded as printf
// rounds it, several times faster than vsnprintf. Values beyond that range
// (10^19 after scaling) and any rounding mode other than to-nearest go to
// snprintf itself. tests/printf_test.cpp compares the formatter with
// snprintf over many random and edge values for every template of the
// program.
//
// A template written many times (a line of an output file) is a Format:
// parsed once, when the program is compiled, and checked there against the
// types of its arguments. appendf and strf read their template at every
// call; a conversion they do not know falls back to vsnprintf for the whole
// template.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

// Checks a template against its arguments as C99 printf reads it. With
// mingw-w64 the plain "printf" kind is the Microsoft runtime's, which knows
// no %zu; the program formats with mingw's own C99 printf there.
#ifdef __MINGW32__
#define TERVAN_PRINTF(fmt, first) [[gnu::format(gnu_printf, fmt, first)]]
#else
#define TERVAN_PRINTF(fmt, first) [[gnu::format(printf, fmt, first)]]
#endif

namespace tervan {

// One conversion of a template: flags, width, precision and letter.
struct Conversion {
    bool left = false, plus = false, space = false, zero = false, alt = false;
    char letter = 0;
    char unused[2] = {};  // no padding bytes: two conversions compare as two words
    int width = -1;       // -1: none
    int precision = -1;   // -1: none
    friend constexpr bool operator==(const Conversion& a, const Conversion& b) {
        using Words = std::array<std::uint64_t, 2>;
        const Words x = std::bit_cast<Words>(a), y = std::bit_cast<Words>(b);
        return x[0] == y[0] && x[1] == y[1];
    }
};
static_assert(sizeof(Conversion) == 16 && std::has_unique_object_representations_v<Conversion>);

// The largest precision and width this formatter writes itself.
inline constexpr int kMaxPrecision = 100;
inline constexpr int kMaxWidth = 4096;

// Reads one conversion, p standing after its '%'; false when it is one this
// formatter does not know (a '*', a length modifier, another letter, a
// precision or width above those).
constexpr bool parseConversion(const char*& p, Conversion& c) {
    for (;; ++p) {
        if (*p == '-') c.left = true;
        else if (*p == '+') c.plus = true;
        else if (*p == ' ') c.space = true;
        else if (*p == '0') c.zero = true;
        else if (*p == '#') c.alt = true;
        else break;
    }
    if (*p >= '0' && *p <= '9') {
        c.width = 0;
        while (*p >= '0' && *p <= '9' && c.width <= kMaxWidth) c.width = c.width * 10 + (*p++ - '0');
        if (c.width > kMaxWidth) return false;
    }
    if (*p == '.') {
        ++p;
        c.precision = 0;
        while (*p >= '0' && *p <= '9' && c.precision <= kMaxPrecision) c.precision = c.precision * 10 + (*p++ - '0');
        if (c.precision > kMaxPrecision) return false;
    }
    switch (*p) {
        case 'd': case 'i': case 's': case 'f': case 'c': case 'u': case 'x': case 'X':
            c.letter = *p++;
            return true;
        default:
            return false;
    }
}

// Appends one value as its conversion says. Text stops at a NUL byte, as
// printf's %s does; with lineEnds, its line feeds are written as CR LF.
void appendValue(std::string& out, const Conversion& c, double value);
void appendValue(std::string& out, const Conversion& c, int value);       // %d %i
void appendValue(std::string& out, const Conversion& c, unsigned value);  // %u %x %X
void appendValue(std::string& out, const Conversion& c, char value);      // %c
void appendText(std::string& out, const Conversion& c, std::string_view text, bool lineEnds);

// The same written at p, which has room for boundOf's bytes; each returns
// the end of what it wrote. Numbers are written straight from integers:
// a %f value is scaled by 10^precision exactly (no rounding error), then
// rounded as printf rounds it.
char* putValue(char* p, const Conversion& c, double value);
// The same when the caller has asked roundsToNearest already (once for a
// whole line: reading the rounding mode costs as much as a number).
char* putValue(char* p, const Conversion& c, double value, bool nearest);
// Whether the current rounding mode is to-nearest, the one in which the
// integer path rounds as printf does (on x86-64 both the x87 and the SSE
// control words are read).
bool roundsToNearest();
char* putValue(char* p, const Conversion& c, int value);
char* putValue(char* p, const Conversion& c, unsigned value);
char* putValue(char* p, const Conversion& c, char value);
char* putText(char* p, const Conversion& c, std::string_view text, bool lineEnds);

// A %f value that a line writes more than once (a point's X and Y in each
// of its DXF entities): written once, by repeat, and its bytes copied where
// the same conversion writes it again. A conversion other than the one it
// was written by writes the value afresh, and a plain double converts to a
// Repeated that is written where it stands.
struct Repeated {
    constexpr Repeated(double v) : value(v) {}
    double value;
    const Conversion* by = nullptr;  // what bytes were written by, if any
    std::string_view bytes;
};

// Writes value by c into room, which has boundOf(c, double)'s bytes; room
// and c must outlive the result. nearest: roundsToNearest.
Repeated repeat(char* room, const Conversion& c, double value, bool nearest);

// The conversion of a template of one, parsed when the program is compiled:
// conversionOf("%0.3f").
consteval Conversion conversionOf(const char* text) {
    Conversion c;
    if (*text++ != '%' || !parseConversion(text, c) || *text) throw "not a template of one conversion";
    return c;
}

// The most bytes a conversion writes for a value of the type.
constexpr std::size_t widthOf(const Conversion& c) { return c.width > 0 ? static_cast<std::size_t>(c.width) : 0; }
constexpr std::size_t precisionOf(const Conversion& c) {
    return c.precision > 0 ? static_cast<std::size_t>(c.precision) : 0;
}
// A double: the sign, 309 digits before the point, the point, the decimals.
constexpr std::size_t boundOf(const Conversion& c, double) {
    const std::size_t decimals = c.precision < 0 ? 6 : precisionOf(c);
    return std::max(widthOf(c), 311 + decimals);
}
constexpr std::size_t boundOf(const Conversion& c, Repeated) { return boundOf(c, 0.0); }
constexpr std::size_t boundOf(const Conversion& c, int) { return std::max({widthOf(c), precisionOf(c) + 1, std::size_t{12}}); }
constexpr std::size_t boundOf(const Conversion& c, unsigned) {
    return std::max({widthOf(c), precisionOf(c), std::size_t{11}});
}
constexpr std::size_t boundOf(const Conversion& c, char) { return std::max(widthOf(c), std::size_t{1}); }
// Every line feed may become two bytes; a short padding is written as 16
// blanks at once.
constexpr std::size_t boundOf(const Conversion& c, std::string_view text) {
    return std::max(widthOf(c), 2 * text.size()) + 16;
}

namespace format_detail {

// Copies the n bytes at s to p and returns their end. The texts of a line
// are short: up to 32 bytes are two overlapping moves, no call.
inline char* copyShort(char* p, const char* s, std::size_t n) {
    if (n >= 8 && n <= 16) {
        std::memcpy(p, s, 8);
        std::memcpy(p + n - 8, s + n - 8, 8);
    } else if (n > 16 && n <= 32) {
        std::memcpy(p, s, 16);
        std::memcpy(p + n - 16, s + n - 16, 16);
    } else if (n >= 4 && n < 8) {
        std::memcpy(p, s, 4);
        std::memcpy(p + n - 4, s + n - 4, 4);
    } else if (n > 0 && n < 4) {
        p[0] = s[0];
        p[n / 2] = s[n / 2];
        p[n - 1] = s[n - 1];
    } else if (n > 32) {
        std::memcpy(p, s, n);
    }
    return p + n;
}

// The conversion letters each argument type takes.
template <class T>
constexpr bool takes(char letter) {
    if constexpr (std::is_same_v<T, double> || std::is_same_v<T, Repeated>) return letter == 'f';
    else if constexpr (std::is_same_v<T, std::string_view>) return letter == 's';
    else if constexpr (std::is_same_v<T, int>) return letter == 'd' || letter == 'i';
    else if constexpr (std::is_same_v<T, unsigned>) return letter == 'u' || letter == 'x' || letter == 'X';
    else if constexpr (std::is_same_v<T, char>) return letter == 'c';
    else return false;
}

// Each writes one argument; nearest: roundsToNearest for the whole line.
inline char* put(char* p, const Conversion& c, double v, bool, bool nearest) { return putValue(p, c, v, nearest); }
inline char* put(char* p, const Conversion& c, Repeated v, bool, bool nearest) {
    if (!v.by || !(*v.by == c)) return putValue(p, c, v.value, nearest);
    return copyShort(p, v.bytes.data(), v.bytes.size());
}
inline char* put(char* p, const Conversion& c, int v, bool, bool) { return putValue(p, c, v); }
inline char* put(char* p, const Conversion& c, unsigned v, bool, bool) { return putValue(p, c, v); }
inline char* put(char* p, const Conversion& c, char v, bool, bool) { return putValue(p, c, v); }
// Whether any of the 8 bytes of w is a NUL or a line feed, which a text
// is not copied past as it stands.
constexpr bool holdsNulOrFeed(std::uint64_t w) {
    auto anyZeroByte = [](std::uint64_t x) { return ((x - 0x0101010101010101ULL) & ~x & 0x8080808080808080ULL) != 0; };
    return anyZeroByte(w) || anyZeroByte(w ^ 0x0A0A0A0A0A0A0A0AULL);
}
inline char* put(char* p, const Conversion& c, std::string_view v, bool lineEnds, bool) {
    // Most texts (a name, a layer, a height) are 4 to 8 bytes that fill
    // their width: copied here as two words of 4 when they hold no NUL and
    // no line feed.
    const std::size_t n = v.size();
    if (n >= 4 && n <= 8 && c.precision < 0 && widthOf(c) <= n) {
        std::uint32_t first, last;
        std::memcpy(&first, v.data(), 4);
        std::memcpy(&last, v.data() + n - 4, 4);
        const std::uint64_t both = first | static_cast<std::uint64_t>(last) << 32;
        if (!holdsNulOrFeed(both)) {
            std::memcpy(p, &first, 4);
            std::memcpy(p + n - 4, &last, 4);
            return p + n;
        }
    }
    return putText(p, c, v, lineEnds);
}

// Not defined, and no constexpr: calling it makes a Format fail to compile.
void templateDoesNotFitItsArguments();

}  // namespace format_detail

// Whether text is a template Format knows, with one conversion per
// argument, each of a letter its argument's type takes: %f double, %s
// std::string_view, %d %i int, %u %x %X unsigned, %c char.
template <class... Args>
consteval bool formatFits(const char* text) {
    constexpr std::size_t count = sizeof...(Args);
    char letters[count + 1] = {};
    std::size_t n = 0;
    for (const char* p = text; *p;) {
        if (*p++ != '%') continue;
        if (*p == '%') {
            ++p;
            continue;
        }
        Conversion c;
        if (!parseConversion(p, c) || n == count) return false;
        letters[n++] = c.letter;
    }
    std::size_t i = 0;
    return n == count && (format_detail::takes<Args>(letters[i++]) && ...);
}

// A printf template parsed once, at compile time, into the literal texts
// around its conversions:
//   constexpr Format<std::string_view, double> kLine("%6s %10.3f\n");
//   kLine.append(text, name, x);
// A template that does not fit its argument types does not compile.
template <class... Args>
class Format {
public:
    consteval Format(const char* text) : text_(text) {
        if (!formatFits<Args...>(text)) format_detail::templateDoesNotFitItsArguments();
        std::size_t n = 0;
        const char* p = text;
        while (*p) {
            if (*p != '%') {
                addLiteral(n, *p++);
            } else if (p[1] == '%') {
                addLiteral(n, '%');
                p += 2;
            } else {
                ++p;
                parseConversion(p, conversions_[n++]);
                plain_[n].begin = plainSize_;
                lines_[n].begin = linesSize_;
            }
        }
        fixedBound_ = linesSize_ + fixedBoundAll(std::index_sequence_for<Args...>());
    }

    // The template as written.
    constexpr const char* text() const { return text_; }

    // Appends the text printf gives.
    void append(std::string& out, std::type_identity_t<Args>... args) const {
        appendVia(out, false, args...);
    }
    // The same with every line feed written as CR LF (an output file).
    void appendLines(std::string& out, std::type_identity_t<Args>... args) const {
        appendVia(out, true, args...);
    }

    // The most bytes write writes for these values.
    constexpr std::size_t bound(std::type_identity_t<Args>... args) const {
        return boundAll(std::index_sequence_for<Args...>(), args...);
    }
    // Writes the text at p, which has room for bound's bytes; returns its end.
    char* write(char* p, bool lineEnds, std::type_identity_t<Args>... args) const {
        const bool nearest =
            ((std::is_same_v<Args, double> || std::is_same_v<Args, Repeated>) || ...) && roundsToNearest();
        return writeAll(p, lineEnds, nearest, std::index_sequence_for<Args...>(), args...);
    }
    // The same when the caller has asked roundsToNearest already (a file
    // asks once: nothing the program does changes the rounding mode).
    char* writeRounded(char* p, bool lineEnds, bool nearest, std::type_identity_t<Args>... args) const {
        return writeAll(p, lineEnds, nearest, std::index_sequence_for<Args...>(), args...);
    }

private:
    static constexpr std::size_t kCount = sizeof...(Args);
    static constexpr std::size_t kCapacity = 256;  // bytes of literal text, CR LF included

    struct Piece {
        std::size_t begin = 0, size = 0;
    };

    constexpr void addLiteral(std::size_t piece, char ch) {
        if (linesSize_ + 2 > kCapacity) format_detail::templateDoesNotFitItsArguments();
        plainText_[plainSize_++] = ch;
        ++plain_[piece].size;
        if (ch == '\n') {
            linesText_[linesSize_++] = '\r';
            ++lines_[piece].size;
        }
        linesText_[linesSize_++] = ch;
        ++lines_[piece].size;
    }

    char* putLiteral(char* p, std::size_t piece, bool lineEnds) const {
        const Piece& l = lineEnds ? lines_[piece] : plain_[piece];
        return format_detail::copyShort(p, (lineEnds ? linesText_ : plainText_).data() + l.begin, l.size);
    }

    // The bound of a line is known when the program is compiled, but for
    // the lengths of its texts.
    template <std::size_t... I>
    consteval std::size_t fixedBoundAll(std::index_sequence<I...>) const {
        return (std::size_t{0} + ... + fixedBound<Args>(conversions_[I]));
    }
    template <class T>
    static consteval std::size_t fixedBound(const Conversion& c) {
        if constexpr (std::is_same_v<T, std::string_view>) return 0;
        else if constexpr (std::is_same_v<T, Repeated>) return boundOf(c, 0.0);
        else return boundOf(c, T{});
    }
    template <std::size_t... I>
    constexpr std::size_t boundAll(std::index_sequence<I...>, std::type_identity_t<Args>... args) const {
        return fixedBound_ + (std::size_t{0} + ... + textBound(conversions_[I], args));
    }
    template <class T>
    static constexpr std::size_t textBound(const Conversion& c, const T& value) {
        if constexpr (std::is_same_v<T, std::string_view>) return boundOf(c, value);
        else return 0;
    }

    template <std::size_t... I>
    char* writeAll(char* p, bool lineEnds, bool nearest, std::index_sequence<I...>,
                   std::type_identity_t<Args>... args) const {
        ((p = putLiteral(p, I, lineEnds), p = format_detail::put(p, conversions_[I], args, lineEnds, nearest)), ...);
        return putLiteral(p, kCount, lineEnds);
    }

    void appendVia(std::string& out, bool lineEnds, std::type_identity_t<Args>... args) const {
        const std::size_t most = bound(args...);
        if (most <= 1024) {
            char buffer[1024];
            out.append(buffer, static_cast<std::size_t>(write(buffer, lineEnds, args...) - buffer));
        } else {
            const std::size_t at = out.size();
            out.resize(at + most);
            out.resize(static_cast<std::size_t>(write(out.data() + at, lineEnds, args...) - out.data()));
        }
    }

    const char* text_;
    std::array<Conversion, kCount> conversions_{};
    std::array<Piece, kCount + 1> plain_{}, lines_{};  // the literal texts before, between and after them
    std::array<char, kCapacity> plainText_{}, linesText_{};
    std::size_t plainSize_ = 0, linesSize_ = 0;
    std::size_t fixedBound_ = 0;  // the literal texts and every conversion but the texts'
};

// Appends the formatted text to out.
void vappendf(std::string& out, const char* fmt, va_list args);

TERVAN_PRINTF(2, 3) void appendf(std::string& out, const char* fmt, ...);

TERVAN_PRINTF(1, 2) std::string strf(const char* fmt, ...);

}  // namespace tervan
