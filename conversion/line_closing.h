// Closing the lines of a levelling job on the benchmarks of the list of
// known points (KnownPoints), with the allowed misclosure LevelTolerance:
// one summary per line in the result and the message text, and the
// adjusted heights in base_adj.txt when AdjustedFile is set.
#pragma once

#include <string>
#include <vector>

#include "conversion/session.h"
#include "core/result.h"
#include "levelling/level_closure.h"

namespace tervan {

inline constexpr const char* kAdjustedSuffix = "_adj.txt";

void closeLevelLines(const Session& session, std::vector<LevelLine>& lines, const std::string& inputPath,
                     Result& result);

}  // namespace tervan
