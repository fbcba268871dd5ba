// The plain coordinate lists: name-Y-X-Z, name-X-Y-Z, X-Y-Z and tras.dat.
#pragma once

#include <span>

#include "core/output_file.h"
#include "core/point_store.h"
#include "core/settings.h"

namespace tervan {

void writeNyxz(OutputFile& out, const PointList& points, const Settings& settings);
void writeNxyz(OutputFile& out, const PointList& points, const Settings& settings);
void writeXyz(OutputFile& out, const PointList& points, const Settings& settings);
void writeTras(OutputFile& out, const PointList& points, const Settings& settings);

}  // namespace tervan
