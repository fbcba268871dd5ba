#include "core/printf.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace tervan {
namespace {

void pad(std::string& out, std::size_t n, char c) { out.append(n, c); }

// Writes body (sign already inside or given separately) into out with width
// handling. sign is "" or "-", "+", " ".
void emitNumber(std::string& out, const Conversion& s, std::string_view sign, std::string_view digits,
                bool zeroPadAllowed) {
    std::size_t len = sign.size() + digits.size();
    std::size_t width = s.width > 0 ? static_cast<std::size_t>(s.width) : 0;
    if (len >= width) {
        out.append(sign);
        out.append(digits);
        return;
    }
    std::size_t fill = width - len;
    if (s.left) {
        out.append(sign);
        out.append(digits);
        pad(out, fill, ' ');
    } else if (s.zero && zeroPadAllowed) {
        out.append(sign);
        pad(out, fill, '0');
        out.append(digits);
    } else {
        pad(out, fill, ' ');
        out.append(sign);
        out.append(digits);
    }
}

// Fixed notation by integer arithmetic when that is provably what printf
// gives: the value scaled by 10^precision stays below 1e14, where the one
// rounding error of the multiplication is below 0.02, so unless the scaled
// value lies within 0.05 of a half (a possible tie, left to to_chars),
// rounding it to the nearest integer rounds the exact binary value too.
bool fastFixed(double v, int precision, char* buf, char*& end) {
    static constexpr double kPow10[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    if (precision > 8 || !std::isfinite(v)) return false;
    double m = std::fabs(v) * kPow10[precision];
    if (m >= 1e14) return false;
    double whole = std::floor(m);
    double frac = m - whole;
    if (std::fabs(frac - 0.5) < 0.05) return false;
    auto n = static_cast<unsigned long long>(whole) + (frac > 0.5 ? 1 : 0);
    char digits[32];
    auto r = std::to_chars(digits, digits + sizeof digits, n);
    int len = static_cast<int>(r.ptr - digits);
    char* p = buf;
    if (std::signbit(v)) *p++ = '-';
    if (len <= precision) {  // 0.000ddd
        *p++ = '0';
        *p++ = '.';
        for (int i = len; i < precision; ++i) *p++ = '0';
        std::memcpy(p, digits, static_cast<std::size_t>(len));
        p += len;
    } else {
        std::memcpy(p, digits, static_cast<std::size_t>(len - precision));
        p += len - precision;
        if (precision > 0) {
            *p++ = '.';
            std::memcpy(p, digits + len - precision, static_cast<std::size_t>(precision));
            p += precision;
        }
    }
    end = p;
    return true;
}

void formatDouble(std::string& out, const Conversion& s, double v) {
    int precision = s.precision < 0 ? 6 : s.precision;
    char buf[400];
    char* begin = buf;
    std::to_chars_result r{buf, std::errc()};
    if (!fastFixed(v, precision, buf, r.ptr)) r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, precision);
    if (r.ec != std::errc()) {  // cannot happen for the precisions of our formats
        char tmp[32];
        std::snprintf(tmp, sizeof tmp, "%%.%df", precision);
        int n = std::snprintf(buf, sizeof buf, tmp, v);
        r.ptr = buf + (n < 0 ? 0 : std::min<int>(n, sizeof buf - 1));
    }
    std::string_view sign;
    if (*begin == '-') {
        sign = "-";
        ++begin;
    } else if (s.plus) {
        sign = "+";
    } else if (s.space) {
        sign = " ";
    }
    std::string_view digits(begin, static_cast<std::size_t>(r.ptr - begin));
    bool finite = digits.empty() || (digits[0] >= '0' && digits[0] <= '9');
    std::string withPoint;
    if (s.alt && precision == 0 && finite) {
        withPoint.assign(digits);
        withPoint += '.';
        digits = withPoint;
    }
    emitNumber(out, s, sign, digits, finite);
}

void formatInt(std::string& out, const Conversion& s, long long v) {
    char buf[32];
    unsigned long long mag = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
    auto r = std::to_chars(buf, buf + sizeof buf, mag);
    std::string_view digits(buf, static_cast<std::size_t>(r.ptr - buf));
    std::string padded;
    if (s.precision >= 0) {
        if (s.precision == 0 && mag == 0) digits = {};
        if (digits.size() < static_cast<std::size_t>(s.precision)) {
            padded.assign(static_cast<std::size_t>(s.precision) - digits.size(), '0');
            padded.append(digits);
            digits = padded;
        }
    }
    std::string_view sign = v < 0 ? "-" : s.plus ? "+" : s.space ? " " : "";
    emitNumber(out, s, sign, digits, s.precision < 0);
}

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

void formatHex(std::string& out, const Conversion& s, unsigned v) {
    char buf[16];
    auto r = std::to_chars(buf, buf + sizeof buf, v, 16);
    if (s.letter == 'X')
        for (char* c = buf; c != r.ptr; ++c)
            if (*c >= 'a' && *c <= 'f') *c = static_cast<char>(*c - 'a' + 'A');
    std::string_view digits(buf, static_cast<std::size_t>(r.ptr - buf));
    std::string padded;
    if (s.precision >= 0 && digits.size() < static_cast<std::size_t>(s.precision)) {
        padded.assign(static_cast<std::size_t>(s.precision) - digits.size(), '0');
        padded.append(digits);
        digits = padded;
    }
    emitNumber(out, s, "", digits, s.precision < 0);
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
            case 'u': formatInt(out, s, va_arg(args, unsigned)); break;
            case 'x': case 'X': formatHex(out, s, va_arg(args, unsigned)); break;
            case 'f': formatDouble(out, s, va_arg(args, double)); break;
            case 's': formatString(out, s, va_arg(args, const char*)); break;
            case 'c': formatChar(out, s, static_cast<char>(va_arg(args, int))); break;
        }
    }
}

void appendValue(std::string& out, const Conversion& c, double value) { formatDouble(out, c, value); }

void appendValue(std::string& out, const Conversion& c, int value) { formatInt(out, c, value); }

void appendValue(std::string& out, const Conversion& c, unsigned value) {
    if (c.letter == 'u')
        formatInt(out, c, value);
    else
        formatHex(out, c, value);
}

void appendValue(std::string& out, const Conversion& c, char value) { formatChar(out, c, value); }

void appendText(std::string& out, const Conversion& c, std::string_view text, bool lineEnds) {
    text = text.substr(0, text.find('\0'));
    if (c.precision >= 0) text = text.substr(0, static_cast<std::size_t>(c.precision));
    const std::size_t width = c.width > 0 ? static_cast<std::size_t>(c.width) : 0;
    const std::size_t fill = text.size() < width ? width - text.size() : 0;
    if (!c.left) pad(out, fill, ' ');
    if (lineEnds && text.find('\n') != std::string_view::npos) {
        for (char ch : text) {
            if (ch == '\n') out += '\r';
            out += ch;
        }
    } else {
        out.append(text);
    }
    if (c.left) pad(out, fill, ' ');
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
