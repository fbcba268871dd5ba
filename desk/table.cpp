#include "desk/table.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/numbers.h"
#include "core/printf.h"
#include "levelling/level_row.h"

namespace tervan::desk {
namespace {

// The columns of the observation table; the numbers keep the decimals of
// its text (IH and TH "%4.3f", H and V "%7.4f", the rest three).
const std::array kPointColumns = {
    Column{"", Align::Left, 2},           Column{"SN", Align::Left, 6},        Column{"IH [m]", Align::Right, 5},
    Column{"N", Align::Left, 8},          Column{"TH [m]", Align::Right, 5},   Column{"H [gon]", Align::Right, 8},
    Column{"V [gon]", Align::Right, 8},   Column{"SD [m]", Align::Right, 8},   Column{"X [m]", Align::Right, 11},
    Column{"Y [m]", Align::Right, 11},    Column{"Z [m]", Align::Right, 7},    Column{"Om [gon]", Align::Right, 7},
    Column{"XYZ", Align::Left, 8},
};

// The same with the Code column after N.
constexpr std::size_t kCodeAt = 4;
const std::array kPointColumnsWithCode = [] {
    std::array<Column, kPointColumns.size() + 1> columns{};
    for (std::size_t i = 0, j = 0; i < columns.size(); ++i)
        columns[i] = i == kCodeAt ? Column{"Code", Align::Left, 6} : kPointColumns[j++];
    return columns;
}();

const std::array kLevelColumns = {
    Column{"No", Align::Right, 5},       Column{"Point", Align::Left, 14},     Column{"Code", Align::Right, 4},
    Column{"Line", Align::Right, 4},     Column{"", Align::Left, 2},           Column{"Value [m]", Align::Right, 10},
    Column{"", Align::Left, 2},          Column{"Value [m]", Align::Right, 10}, Column{"", Align::Left, 1},
    Column{"Value [m]", Align::Right, 10},
};
static_assert(kLevelColumns.size() == kLevelCells);

bool isValueColumn(std::size_t column) { return column == 5 || column == 7 || column == 9; }

// An ASCII letter in lower case; other bytes as they are.
char folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Texts with their runs of digits compared by value, letters of either case
// alike: "p2" < "P2a" < "P10".
int compareNatural(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && isDigit(a[ei])) ++ei;
            while (ej < b.size() && isDigit(b[ej])) ++ej;
            std::string_view da = a.substr(i, ei - i), db = b.substr(j, ej - j);
            while (da.size() > 1 && da.front() == '0') da.remove_prefix(1);
            while (db.size() > 1 && db.front() == '0') db.remove_prefix(1);
            if (da.size() != db.size()) return da.size() < db.size() ? -1 : 1;
            if (int c = da.compare(db)) return c < 0 ? -1 : 1;
            i = ei;
            j = ej;
            continue;
        }
        const auto ca = static_cast<unsigned char>(folded(a[i])), cb = static_cast<unsigned char>(folded(b[j]));
        if (ca != cb) return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j) return a.size() - i < b.size() - j ? -1 : 1;
    return 0;
}

}  // namespace

void PointTable::refresh() {
    codes_ = std::any_of(store_.points.begin(), store_.points.end(), [](const Point& p) { return !p.code.empty(); });
}

std::span<const Column> PointTable::columns() const {
    if (codes_) return kPointColumnsWithCode;
    return kPointColumns;
}

std::string PointTable::cell(std::size_t row, std::size_t column) const {
    if (row >= store_.points.size()) return {};
    const Point& p = store_.points[row];
    if (codes_ && column == kCodeAt) return std::string(p.code);
    if (codes_ && column > kCodeAt) --column;
    switch (column) {
        case 0:
            return p.isStation ? (p.faceTwo ? "* II" : "*") : (p.faceTwo ? "II" : "");
        case 1:
            return std::string(p.SN);
        case 2:
            return strf("%.3f", p.IH);
        case 3:
            return std::string(p.N);
        case 4:
            return strf("%.3f", p.TH);
        case 5:
            return strf("%.4f", p.H);
        case 6:
            return strf("%.4f", p.V);
        case 7:
            return strf("%.3f", p.SD);
        case 8:
            return isZeroPoint(p) ? std::string() : strf("%.3f", p.X);
        case 9:
            return isZeroPoint(p) ? std::string() : strf("%.3f", p.Y);
        case 10:
            return isZeroPoint(p) ? std::string() : strf("%.3f", p.Z);
        case 11:
            return strf("%.3f", p.Om);
        case 12:
            return p.computed ? "computed" : "";
        default:
            return {};
    }
}

std::span<const Column> LevelTable::columns() const { return kLevelColumns; }

std::string LevelTable::cell(std::size_t row, std::size_t column) const {
    if (row >= rows_.size()) return {};
    std::string_view cells = rows_[row];
    for (std::size_t i = 0; i < column; ++i) {
        auto tab = cells.find('\t');
        if (tab == std::string_view::npos) return {};
        cells.remove_prefix(tab + 1);
    }
    cells = cells.substr(0, cells.find('\t'));
    // The Dini USB file writes its unit after each value; the title says it.
    if (isValueColumn(column) && cells.size() > 1 && cells.back() == 'm') {
        cells.remove_suffix(1);
        while (!cells.empty() && cells.back() == ' ') cells.remove_suffix(1);
    }
    return std::string(cells);
}

void SortedTable::sortBy(std::size_t column, bool ascending) {
    const std::size_t n = table_.rows();
    column_ = column;
    ascending_ = ascending;
    order_.resize(n);
    for (std::size_t i = 0; i < n; ++i) order_[i] = i;
    // Each cell is made once, not at every comparison.
    std::vector<std::string> texts(n);
    for (std::size_t i = 0; i < n; ++i) texts[i] = table_.cell(i, column);
    if (column < table_.columns().size() && table_.columns()[column].align == Align::Right) {
        std::vector<double> values(n);
        for (std::size_t i = 0; i < n; ++i) values[i] = toNumber(texts[i]);
        std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
            const bool emptyA = texts[a].empty(), emptyB = texts[b].empty();
            if (emptyA || emptyB) return !emptyA && emptyB;
            return ascending ? values[a] < values[b] : values[b] < values[a];
        });
    } else {
        std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
            const bool emptyA = texts[a].empty(), emptyB = texts[b].empty();
            if (emptyA || emptyB) return !emptyA && emptyB;
            const int c = compareNatural(texts[a], texts[b]);
            return ascending ? c < 0 : c > 0;
        });
    }
    shownAt_.resize(n);
    for (std::size_t i = 0; i < n; ++i) shownAt_[order_[i]] = i;
}

void SortedTable::unsort() {
    order_.clear();
    shownAt_.clear();
    column_ = kNone;
    ascending_ = true;
}

std::size_t findRow(const Table& table, std::size_t column, std::string_view name, std::size_t after) {
    const std::size_t n = table.rows();
    if (n == 0 || name.empty()) return SortedTable::kNone;
    const std::size_t first = after == SortedTable::kNone || after >= n ? 0 : after + 1;
    auto contains = [&name](std::string_view cell) {
        if (cell.size() < name.size()) return false;
        for (std::size_t at = 0; at + name.size() <= cell.size(); ++at) {
            std::size_t k = 0;
            while (k < name.size() && folded(cell[at + k]) == folded(name[k])) ++k;
            if (k == name.size()) return true;
        }
        return false;
    };
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t row = (first + i) % n;
            const std::string cell = table.cell(row, column);
            if (pass == 0 ? cell == name : contains(cell)) return row;
        }
    return SortedTable::kNone;
}

std::vector<std::size_t> measuredRows(std::size_t rows) {
    constexpr std::size_t kEnd = 100;
    std::vector<std::size_t> measured;
    for (std::size_t r = 0; r < rows; r = r + 1 == kEnd && rows > 2 * kEnd ? rows - kEnd : r + 1) measured.push_back(r);
    return measured;
}

std::string copyRows(const Table& table, std::span<const std::size_t> rows) {
    std::string text;
    const std::size_t columns = table.columns().size();
    for (std::size_t c = 0; c < columns; ++c) {
        if (c > 0) text += '\t';
        text += table.columns()[c].title;
    }
    text += '\n';
    for (std::size_t row : rows) {
        for (std::size_t c = 0; c < columns; ++c) {
            if (c > 0) text += '\t';
            text += table.cell(row, c);
        }
        text += '\n';
    }
    return text;
}

}  // namespace tervan::desk
