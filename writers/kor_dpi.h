// The fixed-column lists of the surveying office software: the observation
// list (.dpi) and the coordinate list (.kor).
#pragma once

#include <span>

#include "core/output_file.h"
#include "core/point_store.h"
#include "core/settings.h"

namespace tervan {

void writeDpi(OutputFile& out, const PointList& points, const Settings& settings);
void writeKor(OutputFile& out, const PointList& points, const Settings& settings);

}  // namespace tervan
