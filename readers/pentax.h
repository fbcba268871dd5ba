// Pentax total stations: tagged polar observations (one tag and value per
// line) and coordinate lists, each in a 200 and a 300 layout.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readPentax200Polar(Input& input, ReaderContext& ctx);
void readPentax300Polar(Input& input, ReaderContext& ctx);
void readPentax200Coordinate(Input& input, ReaderContext& ctx);
void readPentax300Coordinate(Input& input, ReaderContext& ctx);

}  // namespace tervan
