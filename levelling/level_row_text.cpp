// The line file's and the message text's forms of a levelling row: the same
// values in each of a pair of templates (levelling/level_formats.h).
#include "levelling/level_row.h"

#include <string_view>
#include <type_traits>

#include "core/text.h"
#include "levelling/level_formats.h"

namespace tervan {
namespace {

using namespace formats;
using Kind = LevelRowKind;

// Where a row goes: the line file, or else the message text.
struct To {
    OutputFile* file = nullptr;
    std::string* text = nullptr;
};

template <class... A>
void put(To to, const Format<A...>& file, const Format<A...>& text, std::type_identity_t<A>... values) {
    if (to.file)
        to.file->print(file, values...);
    else
        text.append(*to.text, values...);
}

void bffbRow(To to, const LevelRow& r) {
    const auto& [a, b, c] = r.values;
    const std::string_view line = r.lineText;
    switch (r.kind) {
        case Kind::Start: return put(to, kBffbStartFile, kBffbStartText, r.row, line);
        case Kind::Back: return put(to, kBffbBackFile, kBffbBackText, r.row, r.name, line, a, b);
        case Kind::Fore: return put(to, kBffbForeFile, kBffbForeText, r.row, r.name, line, a, b);
        case Kind::Height: return put(to, kBffbHeightFile, kBffbHeightText, r.row, r.name, line, a);
        case Kind::Sum: return put(to, kBffbSumFile, kBffbSumText, r.row, r.name, line, a, b, c);
        case Kind::Distances: return put(to, kBffbDistFile, kBffbDistText, r.row, r.name, r.code, line, a, b, c);
        case Kind::End: return put(to, kBffbEndFile, kBffbEndText, r.row, line);
        default: return;  // the BFFB line has no other rows
    }
}

void dna8Row(To to, const LevelRow& r) {
    const auto& [a, b, c] = r.values;
    switch (r.kind) {
        case Kind::Start: return put(to, kDnaStartFile, kDnaStartText, r.row, r.line);
        case Kind::StartHeight: return put(to, kDnaHeightFile, kDnaStartHeightText, r.row, r.name, r.line, a);
        case Kind::Height: return put(to, kDnaHeightFile, kDnaHeightText, r.row, r.name, r.line, a);
        case Kind::Back: return put(to, kDnaBackFile, kDnaBackText, r.row, r.name, r.code, r.line, a, b);
        case Kind::Fore: return put(to, kDnaForeFile, kDnaForeText, r.row, r.name, r.code, r.line, a, b);
        case Kind::Sum: return put(to, kDnaSumFile, kDnaSumText, r.row, r.name, r.line, a, b);
        case Kind::Distances: return put(to, kDnaDistFile, kDnaDistText, r.row, r.name, r.code, r.line, a, b, c);
        case Kind::End: return put(to, kDnaEndFile, kDnaEndText, r.row, r.line);
        default: return;  // DNA8 lines have no other rows
    }
}

// The file takes the last 13 characters of the first two values and the
// last 10 of the third, the full name and the code; the text the values
// whole and the name's first eight characters. A sum row shows its value
// after Sh and again after dz.
void diniRow(To to, const LevelRow& r) {
    const auto& [t1, t2, t3] = r.tags;
    const auto& [v1, v2, v3] = r.texts;
    const std::string_view name8 = std::string_view(r.name).substr(0, 8);
    switch (r.kind) {
        case Kind::Header: return put(to, kDiniHeaderFile, kDiniHeaderText, r.row, r.name);
        case Kind::Data:
            if (to.file)
                return to.file->print(kDiniDataFile, r.row, r.name, r.code, r.lineText, t1, lastChars(v1, 13), t2,
                                      lastChars(v2, 13), t3, lastChars(v3, 10));
            return kDiniDataText.append(*to.text, r.row, name8, r.lineText, t1, v1, t2, v2, t3, v3);
        case Kind::Sum:
            if (to.file)
                return to.file->print(kDiniSumFile, r.row, r.name, " ", r.lineText, t1, lastChars(v1, 13), "dz ",
                                      lastChars(v1, 13), "Z", "   0.00000");
            return kDiniDataText.append(*to.text, r.row, name8, r.lineText, t1, v1, "dz", v1, "Z", "         0.00000");
        default: return;  // Dini lines have no other rows
    }
}

void render(To to, const LevelRow& row) {
    switch (row.layout) {
        case LevelLayout::Bffb: return bffbRow(to, row);
        case LevelLayout::Dna8: return dna8Row(to, row);
        case LevelLayout::Dini: return diniRow(to, row);
    }
}

}  // namespace

void writeLevelRow(OutputFile& file, const LevelRow& row) { render({.file = &file}, row); }

void appendLevelRow(std::string& text, const LevelRow& row) { render({.text = &text}, row); }

}  // namespace tervan
