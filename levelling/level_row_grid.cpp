// The grid's form of a levelling row: its cells, the numbers with the
// decimals of the message text.
#include "levelling/level_row.h"

#include <initializer_list>
#include <string_view>

#include "core/printf.h"

namespace tervan {
namespace {

using Kind = LevelRowKind;

void addCells(Result& result, std::initializer_list<std::string_view> cells) {
    std::string row;
    bool first = true;
    for (std::string_view cell : cells) {
        if (!first) row += '\t';
        first = false;
        auto start = cell.find_first_not_of(' ');
        if (start != std::string_view::npos) row += cell.substr(start, cell.find_last_not_of(' ') - start + 1);
    }
    result.levelRows.push_back(std::move(row));
}

std::string whole(int value) { return strf("%d", value); }
std::string metres(double value) { return strf("%.3f", value); }   // a distance
std::string reading(double value) { return strf("%.5f", value); }  // a reading or a height

}  // namespace

void addLevelRow(Result& result, const LevelRow& r) {
    const std::string row = whole(r.row);
    const std::string line = r.layout == LevelLayout::Dna8 ? whole(r.line) : r.lineText;
    const auto& [a, b, c] = r.values;
    const auto& [t1, t2, t3] = r.tags;
    const auto& [v1, v2, v3] = r.texts;
    switch (r.kind) {
        case Kind::Start:
            return addCells(result, {row, "Start-Line", "", line, r.layout == LevelLayout::Bffb ? "BFFB" : "BF"});
        case Kind::StartHeight:
        case Kind::Height: return addCells(result, {row, r.name, "", line, "", "", "", "", "Z", reading(a)});
        case Kind::Back:
        case Kind::Fore:
            return addCells(result, {row, r.name, whole(r.code), line, r.kind == Kind::Back ? "Rb" : "Rf", reading(a),
                                     "HD", metres(b)});
        case Kind::Sum:
            if (r.layout == LevelLayout::Dini)
                return addCells(result, {row, r.name, "", line, t1, v1, "dz", v1, "Z", "0.00000"});
            return addCells(result, {row, r.name, "", line, "Sh", reading(a), "dz", reading(b), "Z", reading(c)});
        case Kind::Distances:
            return addCells(result,
                            {row, r.name, whole(r.code), line, "Db", metres(a), "Df", metres(b), "Z", reading(c)});
        case Kind::End: return addCells(result, {row, "End-Line", "", line});
        case Kind::Header: return addCells(result, {row, r.name});
        case Kind::Data: return addCells(result, {row, r.name, whole(r.code), line, t1, v1, t2, v2, t3, v3});
    }
}

}  // namespace tervan
