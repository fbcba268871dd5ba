#include "readers/line_shapes.h"

#include <algorithm>
#include <array>

#include "core/numbers.h"
#include "core/text.h"

namespace tervan {
namespace {

constexpr std::size_t kMostFields = 16;

std::string_view trimmed(std::string_view text) {
    auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A number with a digit before and after its decimal point; decimals, when
// not 0, is how many digits must follow the point.
bool isDecimal(std::string_view text, std::size_t decimals = 0) {
    auto point = text.find('.');
    if (!isNumberText(text) || point == std::string_view::npos || point == 0 || point + 1 == text.size())
        return false;
    if (text[point - 1] < '0' || text[point - 1] > '9') return false;
    return decimals == 0 || text.size() - point - 1 == decimals;
}

// Columns 1 to 7 hold a whole number, right-aligned.
bool hasRowNumber(std::string_view line) {
    return line.size() >= 7 && (line.size() == 7 || line[7] == ' ') && line[6] != ' ' &&
           isNumberText(trimmed(line.substr(0, 7)), true);
}

}  // namespace

bool isNumberText(std::string_view text, bool whole) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    bool digits = false, point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point && !whole) {
            point = true;
        } else {
            return false;
        }
    }
    return digits;
}

bool hasFields(std::string_view line, std::string_view separators, std::string_view fields, std::size_t minFields) {
    std::array<std::string_view, kMostFields + 1> f;
    const std::size_t count = fields.size();
    splitFields(line, separators, std::span(f).first(count + 1));
    if (!f[count].empty() || (minFields > 0 && f[minFields - 1].empty())) return false;
    for (std::size_t i = 0; i < count && !f[i].empty(); ++i) {
        const char kind = fields[i];
        if ((kind == 'n' && !isNumberText(f[i])) || (kind == 'i' && !isNumberText(f[i], true)) ||
            (kind == '*' && f[i] != "*"))
            return false;
    }
    return true;
}

bool isZeissLine(std::string_view line) {
    // The reader never looks at the record number, and a file may leave its
    // columns blank.
    if (!hasRowNumber(line) && !trimmed(line.substr(0, std::min<std::size_t>(line.size(), 7))).empty()) return false;
    std::string_view ih = columns(line, 16, 19);
    if (toNumber(ih) <= 0) return true;
    std::string_view th = trimmed(columns(line, 20, 23));
    return isDecimal(trimmed(ih)) && (th.empty() || isDecimal(th));
}

bool isLevelLine(std::string_view line) {
    if (!hasRowNumber(line)) return false;
    const std::string_view tag = columns(line, 36, 38);
    if ((tag == " Rb" || tag == " Rf") && !isDecimal(trimmed(columns(line, 39, 50)), 5)) return false;
    return columns(line, 67, 68) != " Z" || isDecimal(trimmed(columns(line, 69, 78)), 5);
}

}  // namespace tervan
