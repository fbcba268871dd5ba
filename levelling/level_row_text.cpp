// The line file's and the message text's forms of a levelling row: the same
// values in each of a pair of templates (levelling/level_formats.h).
#include <string_view>
#include <type_traits>

#include "core/text.h"
#include "levelling/level_formats.h"
#include "levelling/level_row.h"

namespace tervan {
namespace {

using namespace formats;
using Kind = LevelRowKind;

enum class To { File, Text };

template <class... A>
void put(std::string& out, To to, const Format<A...>& file, const Format<A...>& text,
         std::type_identity_t<A>... values) {
    if (to == To::File)
        file.appendLines(out, values...);
    else
        text.append(out, values...);
}

void bffbRow(std::string& out, To to, const LevelRow& r) {
    const auto& [a, b, c] = r.values;
    const std::string_view line = r.lineText;
    switch (r.kind) {
        case Kind::Start: return put(out, to, kBffbStartFile, kBffbStartText, r.row, line);
        case Kind::Back: return put(out, to, kBffbBackFile, kBffbBackText, r.row, r.name, line, a, b);
        case Kind::Fore: return put(out, to, kBffbForeFile, kBffbForeText, r.row, r.name, line, a, b);
        case Kind::Height: return put(out, to, kBffbHeightFile, kBffbHeightText, r.row, r.name, line, a);
        case Kind::Sum: return put(out, to, kBffbSumFile, kBffbSumText, r.row, r.name, line, a, b, c);
        case Kind::Distances: return put(out, to, kBffbDistFile, kBffbDistText, r.row, r.name, r.code, line, a, b, c);
        case Kind::End: return put(out, to, kBffbEndFile, kBffbEndText, r.row, line);
        default: return;  // the BFFB line has no other rows
    }
}

void dna8Row(std::string& out, To to, const LevelRow& r) {
    const auto& [a, b, c] = r.values;
    switch (r.kind) {
        case Kind::Start: return put(out, to, kDnaStartFile, kDnaStartText, r.row, r.line);
        case Kind::StartHeight: return put(out, to, kDnaHeightFile, kDnaStartHeightText, r.row, r.name, r.line, a);
        case Kind::Height: return put(out, to, kDnaHeightFile, kDnaHeightText, r.row, r.name, r.line, a);
        case Kind::Back: return put(out, to, kDnaBackFile, kDnaBackText, r.row, r.name, r.code, r.line, a, b);
        case Kind::Fore: return put(out, to, kDnaForeFile, kDnaForeText, r.row, r.name, r.code, r.line, a, b);
        case Kind::Sum: return put(out, to, kDnaSumFile, kDnaSumText, r.row, r.name, r.line, a, b);
        case Kind::Distances: return put(out, to, kDnaDistFile, kDnaDistText, r.row, r.name, r.code, r.line, a, b, c);
        case Kind::End: return put(out, to, kDnaEndFile, kDnaEndText, r.row, r.line);
        default: return;  // DNA8 lines have no other rows
    }
}

// The file takes the last 13 characters of the first two values and the
// last 10 of the third, the full name and the code; the text the values
// whole and the name's first eight characters. A sum row shows its value
// after Sh and again after dz.
void diniRow(std::string& out, To to, const LevelRow& r) {
    const auto& [t1, t2, t3] = r.tags;
    const auto& [v1, v2, v3] = r.texts;
    const std::string_view name8 = std::string_view(r.name).substr(0, 8);
    switch (r.kind) {
        case Kind::Header: return put(out, to, kDiniHeaderFile, kDiniHeaderText, r.row, r.name);
        case Kind::Data:
            if (to == To::File)
                return kDiniDataFile.appendLines(out, r.row, r.name, r.code, r.lineText, t1, lastChars(v1, 13), t2,
                                                 lastChars(v2, 13), t3, lastChars(v3, 10));
            return kDiniDataText.append(out, r.row, name8, r.lineText, t1, v1, t2, v2, t3, v3);
        case Kind::Sum:
            if (to == To::File)
                return kDiniSumFile.appendLines(out, r.row, r.name, " ", r.lineText, t1, lastChars(v1, 13), "dz ",
                                                lastChars(v1, 13), "Z", "   0.00000");
            return kDiniDataText.append(out, r.row, name8, r.lineText, t1, v1, "dz", v1, "Z", "         0.00000");
        default: return;  // Dini lines have no other rows
    }
}

void render(std::string& out, To to, const LevelRow& row) {
    switch (row.layout) {
        case LevelLayout::Bffb: return bffbRow(out, to, row);
        case LevelLayout::Dna8: return dna8Row(out, to, row);
        case LevelLayout::Dini: return diniRow(out, to, row);
    }
}

}  // namespace

void writeLevelRow(OutputFile& file, const LevelRow& row) {
    std::string bytes;
    render(bytes, To::File, row);
    file.writeBytes(bytes);
}

void appendLevelRow(std::string& text, const LevelRow& row) { render(text, To::Text, row); }

}  // namespace tervan
