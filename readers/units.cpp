#include "readers/units.h"

#include <string>

#include "core/numbers.h"

namespace tervan {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// An optional sign, digits and at most one decimal point, with a digit
// somewhere; blanks around it are allowed.
bool isNumber(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    bool digits = false, point = false;
    for (char c : text) {
        if (isDigit(c))
            digits = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digits;
}

// The digits after the point are minutes (two), seconds (two) and the
// seconds' decimals; fewer than four are padded with zeros.
std::optional<double> dmsToGon(std::string_view text) {
    text = trimmed(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    const auto point = text.find('.');
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    std::string padded;
    if (fraction.size() < 4) {
        padded = std::string(fraction) + std::string(4 - fraction.size(), '0');
        fraction = padded;
    }
    const double minutes = toNumber(fraction.substr(0, 2));
    double seconds = toNumber(fraction.substr(2));
    for (std::size_t decimals = fraction.size() - 4; decimals > 0; --decimals) seconds /= 10;
    if (minutes >= 60 || seconds >= 60) return std::nullopt;
    const double degrees = toNumber(text.substr(0, point)) + minutes / 60 + seconds / 3600;
    // So that -0.0000 gives 0, not -0.
    if (degrees == 0) return 0.0;
    return (negative ? -degrees : degrees) * kGonPerDegree;
}

}  // namespace

std::optional<double> angleToGon(std::string_view text, AngleUnit unit) {
    if (!isNumber(text)) return std::nullopt;
    switch (unit) {
        case AngleUnit::Gon: return toNumber(text);
        case AngleUnit::Degrees: return toNumber(text) * kGonPerDegree;
        case AngleUnit::Dms: return dmsToGon(text);
        case AngleUnit::Mils: return toNumber(text) * kGonPerMil;
    }
    return std::nullopt;
}

std::optional<double> lengthToMetres(std::string_view text, double metresPerUnit) {
    if (!isNumber(text)) return std::nullopt;
    return toNumber(text) * metresPerUnit;
}

}  // namespace tervan
