// The plain coordinate lists: name-Y-X-Z, name-X-Y-Z, X-Y-Z and tras.dat.
#pragma once

#include <span>

#include "core/output_file.h"
#include "core/point_store.h"
#include "core/settings.h"

namespace tervan {

void writeNyxz(OutputFile& out, std::span<const Point> points, const Settings& settings);
void writeNxyz(OutputFile& out, std::span<const Point> points, const Settings& settings);
void writeXyz(OutputFile& out, std::span<const Point> points, const Settings& settings);
void writeTras(OutputFile& out, std::span<const Point> points, const Settings& settings);

}  // namespace tervan
