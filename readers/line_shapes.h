// What a line of a layout looks like, for format detection: the readers
// take almost any line (a missing field reads as 0), so detection counts a
// line as recognised only when it also has the shape the reader expects.
#pragma once

#include <string_view>

namespace tervan {

// An optional sign, digits and, unless whole, at most one decimal point.
bool isNumberText(std::string_view text, bool whole = false);

// A line of a delimited list: split at separators, it has at least
// minFields and at most fields.size() fields, and each has the kind its
// letter in fields names: 'a' any text, 'n' a number, 'i' a whole number,
// '*' the mark "*".
bool hasFields(std::string_view line, std::string_view separators, std::string_view fields, std::size_t minFields);
inline bool hasFields(std::string_view line, std::string_view separators, std::string_view fields) {
    return hasFields(line, separators, fields, fields.size());
}

// A Zeiss 3303 line: its record number in columns 1 to 7, or these columns
// blank. A line that the
// reader takes for a compact observation (a number above 0 in columns 16
// to 19) has the instrument height there with its decimals, and the target
// height, when there is one, beside it.
bool isZeissLine(std::string_view line);

// A row of the levelling line layout: the row number in columns 1 to 7; a
// reading row has its reading with five decimals in columns 39 to 50, a
// height row its height with five decimals in columns 69 to 78.
bool isLevelLine(std::string_view line);

}  // namespace tervan
