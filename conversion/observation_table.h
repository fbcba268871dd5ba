// The observation table shown in the message area after every conversion of
// a point model.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/point_store.h"

namespace tervan {

// Replaces text by the table of points under the heading "<inputPath>".
// When any record's coordinates were computed, the table gets a last column
// "XYZ" that says "computed" on those rows.
void buildObservationTable(std::string& text, std::string_view inputPath, const PointList& points);

}  // namespace tervan
