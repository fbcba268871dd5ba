#include "core/numbers.h"

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
        if (!text.empty()) std::memcpy(small, text.data(), text.size());  // an empty view may carry no pointer
        small[text.size()] = 0;
        return f(small);
    }
    std::string copy(text);
    return f(copy.c_str());
}

}  // namespace

double toNumber(std::string_view text) {
    return withCString(text, [](const char* s) { return std::strtod(s, nullptr); });
}

int toInteger(std::string_view text) {
    long v = withCString(text, [](const char* s) { return std::strtol(s, nullptr, 10); });
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace tervan
