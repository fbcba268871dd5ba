// Pentax total stations: tagged polar observations (one tag and value per
// line) and coordinate lists, each in a 200 and a 300 layout.
#pragma once

#include "core/models.h"

namespace tervan {

int readPentax200Polar(const std::string& path, ReaderContext& ctx);
int readPentax300Polar(const std::string& path, ReaderContext& ctx);
int readPentax200Coordinate(const std::string& path, ReaderContext& ctx);
int readPentax300Coordinate(const std::string& path, ReaderContext& ctx);

}  // namespace tervan
