// The rows of a levelling line as a front end's grid shows them: every row
// of the line file becomes ten cells in the result (core/result.h), the
// numbers with the decimals of the message text.
#pragma once

#include <initializer_list>
#include <string_view>

#include "core/result.h"

namespace tervan {

// The cells of a row, in this order: row number, point name (or the text of
// a start or end row), code, line number, then three tags each with its
// value ("Rb" 1.52346, "HD" 24.512, "Z" 100.00000). A row leaves the cells
// it has not empty, or out at its end.
inline constexpr std::size_t kLevelCells = 10;

// Appends a row of up to kLevelCells cells, blanks around each trimmed.
void addLevelRow(Result& result, std::initializer_list<std::string_view> cells);

}  // namespace tervan
