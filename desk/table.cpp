#include "desk/table.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/printf.h"
#include "levelling/level_rows.h"

namespace tervan::desk {
namespace {

// The columns of the observation table; the numbers keep the decimals of
// its text (IH and TH "%4.3f", H and V "%7.4f", the rest three).
const std::array kPointColumns = {
    Column{"", Align::Left, 2},     Column{"SN", Align::Left, 6},   Column{"IH", Align::Right, 5},
    Column{"N", Align::Left, 8},    Column{"TH", Align::Right, 5},  Column{"H", Align::Right, 8},
    Column{"V", Align::Right, 8},   Column{"SD", Align::Right, 8},  Column{"X", Align::Right, 11},
    Column{"Y", Align::Right, 11},  Column{"Z", Align::Right, 7},   Column{"Om", Align::Right, 7},
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
    Column{"No", Align::Right, 5},   Column{"Point", Align::Left, 14}, Column{"Code", Align::Right, 4},
    Column{"Line", Align::Right, 4}, Column{"", Align::Left, 2},       Column{"Value", Align::Right, 10},
    Column{"", Align::Left, 2},      Column{"Value", Align::Right, 10}, Column{"", Align::Left, 1},
    Column{"Value", Align::Right, 10},
};
static_assert(kLevelColumns.size() == kLevelCells);

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
            return strf("%.3f", p.X);
        case 9:
            return strf("%.3f", p.Y);
        case 10:
            return strf("%.3f", p.Z);
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
    return std::string(cells.substr(0, cells.find('\t')));
}

std::string copyRows(const Table& table, std::span<const std::size_t> rows) {
    std::string text;
    const std::size_t columns = table.columns().size();
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
