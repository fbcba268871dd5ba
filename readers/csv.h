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

}  // namespace tervan
