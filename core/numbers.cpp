#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace tervan {
namespace {

// strtod needs a zero-terminated text; fields are short, so a stack copy
// serves almost always.
template <class F>
auto withCString(std::string_view text, F f) {
    char small[128];
    if (text.size() < sizeof small) {
        if (!text.empty()) std::memcpy(small, text.data(), text.size());
        small[text.size()] = 0;
        return f(small);
    }
    std::string copy(text);
    return f(copy.c_str());
}

// A plain decimal "[-]digits[.digits]" of at most 19 digits, whose
// digits make an integer of at most 2^53, with at most 22 decimals and not
// followed by an exponent: that integer divided by a power of ten, both
// exact doubles, so that the one division rounds to the very double strtod
// gives. false for anything else.
bool plainDecimal(const char* p, const char* end, double& value) {
    static constexpr double kPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    std::uint64_t digits = 0;  // wraps only past 19 digits, which are refused below
    auto readDigits = [&] {
        const char* const from = p;
        for (unsigned d; p < end && (d = static_cast<unsigned char>(*p) - unsigned{'0'}) < 10; ++p)
            digits = digits * 10 + d;
        return p - from;
    };
    std::ptrdiff_t count = readDigits(), decimals = 0;
    if (p < end && *p == '.') {
        ++p;
        decimals = readDigits();
        count += decimals;
    }
    if (count == 0 || count > 19 || decimals > 22 || digits > (std::uint64_t{1} << 53) ||
        (p < end && (*p == 'e' || *p == 'E')))
        return false;
    const double v = static_cast<double>(digits) / kPowers[decimals];
    value = negative ? -v : v;
    return true;
}

}  // namespace

double toNumber(std::string_view text) {
    // Plain decimal text (the bulk of every file) is read by plainDecimal
    // or from_chars, which round exactly as strtod does; anything else (blanks, "+", hex,
    // inf, nan, out of range) through strtod itself.
    const char* p = text.data();
    const char* end = p + text.size();
    const char* digits = p < end && *p == '-' ? p + 1 : p;
    if (digits < end && ((*digits >= '0' && *digits <= '9') || *digits == '.') &&
        !(digits + 1 < end && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))) {
        double v = 0;
        if (plainDecimal(p, end, v)) return v;
        auto r = std::from_chars(p, end, v);
        if (r.ec == std::errc()) return v;
        if (r.ec == std::errc::invalid_argument) return 0;
    }
    return withCString(text, [](const char* s) {
        char* stop = nullptr;
        double v = std::strtod(s, &stop);
        return stop == s ? 0.0 : v;  // mingw's strtod gives -0 for a lone "-"
    });
}

int toInteger(std::string_view text) {
    long v = withCString(text, [](const char* s) { return std::strtol(s, nullptr, 10); });
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

std::string sizeRefusal(double value, double limit) {
    if (!std::isfinite(value)) return "is not a finite number";
    if (std::fabs(value) > limit) return "is too large (at most " + std::to_string(static_cast<long long>(limit)) + ")";
    return {};
}

}  // namespace tervan
