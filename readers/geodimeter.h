// Geodimeter label files: one "label=value" a line, the label a number.
// Observation files (.job) open a station with label 2 and a point with
// label 5, the values following; coordinate files (.are) give points with
// their coordinates in the same way.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readGeodimeter(Input& input, ReaderContext& ctx);

inline constexpr ReaderModel kGeodimeterModel{
    .name = "Geodimeter",
    .read = readGeodimeter,
    .reads = "Geodimeter label files: .job observations and .are coordinates"};

}  // namespace tervan
