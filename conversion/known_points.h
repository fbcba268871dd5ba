// The list of known points that ComputeXYZ takes station and backsight
// coordinates from: a name-X-Y-Z, name-Y-X-Z or .kor list, read by the
// model table's own readers into a store of its own.
#pragma once

#include <string>
#include <string_view>

#include "core/point_store.h"
#include "levelling/level_closure.h"

namespace tervan {

// The model whose reader reads the list, by its file name: a name ending in
// ".kor" is a kor list, a name with "nyxz" in it (as the name-Y-X-Z output
// base_nyxz.txt has) a name-Y-X-Z list, any other a name-X-Y-Z list.
// Letter case does not matter.
const char* knownPointsModel(std::string_view path);

// Reads the list at path into known (emptied first). false with the reason
// in error when the file cannot be read, or when a point's coordinate is no
// finite number or too large (then refused, when given, is set too).
bool readKnownPoints(const std::string& path, PointStore& known, std::string& error, bool* refused = nullptr);

// The heights of the list as benchmarks of levelling lines: a line of a
// name and one number is a name and its height ("BM7 215.4432"); a point
// with X, Y and Z (or a kor point) is a benchmark of its height. false with
// the reason in error when the file cannot be read.
bool readBenchmarks(const std::string& path, Benchmarks& benchmarks, std::string& error);

}  // namespace tervan
