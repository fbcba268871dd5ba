// One row of a levelling line, made once by the routine that reduces the
// line and written by a renderer per destination: the line file, the
// message text and the front end's grid.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "core/output_file.h"
#include "core/result.h"

namespace tervan {

// Whose line the row belongs to: each writes its rows in its own columns.
enum class LevelLayout { Bffb, Dna8, Dini };

enum class LevelRowKind {
    Start,        // Start-Line
    StartHeight,  // the height a DNA8 line starts from, or an intermediate sight's own
    Height,       // the height of a point sighted
    Back,         // Rb and HD
    Fore,         // Rf and HD
    Sum,          // Sh, dz and Z
    Distances,    // Db, Df and Z, with the number of set-ups
    End,          // End-Line
    Header,       // a Dini Start-Line or End-Line row, its text as the file has it
    Data,         // a Dini row of readings or a height, its values as the file has them
};

struct LevelRow {
    LevelLayout layout = LevelLayout::Dna8;
    LevelRowKind kind = LevelRowKind::Start;
    int row = 0;
    std::string name;      // blanks kept, as the row writes it; a Dini header's text
    int code = 0;          // the staff code of a reading; the set-ups of a Distances row
    int line = 0;          // the line number (DNA8)
    std::string lineText;  // the line number as the row writes it (BFFB, Dini)
    // The numbers in the order the row shows them: reading and distance;
    // Sh, dz and Z; Db, Df and Z; Z.
    std::array<double, 3> values{};
    // A Dini row's tags and values, as its file gives them.
    std::array<std::string, 3> tags, texts;
};

// The line file's form of the row, its line feeds as CR LF.
void writeLevelRow(OutputFile& file, const LevelRow& row);

// The message text's form of the row.
void appendLevelRow(std::string& text, const LevelRow& row);

// The grid's form of the row: ten tab-separated cells in Result::levelRows,
// in this order: row number, point name (or the text of a start or end
// row), code, line number, then three tags each with its value ("Rb"
// 1.52346, "HD" 24.512, "Z" 100.00000), the numbers with the decimals of the
// message text. A row leaves the cells it has not empty, or out at its end;
// blanks around each are trimmed.
inline constexpr std::size_t kLevelCells = 10;
void addLevelRow(Result& result, const LevelRow& row);

}  // namespace tervan
