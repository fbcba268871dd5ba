#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <climits>
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

}  // namespace

double toNumber(std::string_view text) {
    // Plain decimal text (the bulk of every file) goes through from_chars,
    // which rounds exactly as strtod does; anything else (blanks, "+", hex,
    // inf, nan, out of range) through strtod itself.
    const char* p = text.data();
    const char* end = p + text.size();
    const char* digits = p < end && *p == '-' ? p + 1 : p;
    if (digits < end && ((*digits >= '0' && *digits <= '9') || *digits == '.') &&
        !(digits + 1 < end && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))) {
        double v = 0;
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
