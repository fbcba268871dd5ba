// The CSV list that Tervan writes (name,x,y,z,code), read back: fields
// separated by commas, a field in double quotes may hold commas and
// doubled quotes. The header line reads as no point.
#pragma once

#include <string>
#include <vector>

#include "readers/reader.h"

namespace tervan {

void readCsv(Input& input, ReaderContext& ctx);

// The fields of one line. A quote that is not closed runs to the end of the
// line (a field with a line break is cut there).
void splitCsvLine(std::string_view line, std::vector<std::string>& fields);

// name,x,y,z,code (or its header line, the same names); the code field is
// there when empty too, which tells the list from a plain name-X-Y-Z one.
bool isCsvLine(std::string_view line);

inline constexpr ReaderModel kCsvModel{.name = "csv",
                                       .read = readCsv,
                                       .isLine = isCsvLine,
                                       .reads = "the CSV lists Tervan writes: name, x, y, z, code under a header line"};

}  // namespace tervan
