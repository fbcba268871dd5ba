// What the benchmarks share: generated inputs and a session that writes
// nothing.
#pragma once

#include <string>

#include "conversion/session.h"
#include "core/output_file.h"

namespace tervan::bench {

// Creates path for a generated input, or ends the benchmark saying why not.
void createOrExit(OutputFile& out, const std::string& path);

// A Leica 1200 file: a station every 50 points; names, angles and
// coordinates vary line by line.
void generateLeica(const std::string& path, long lines);

// A Leica file of points scattered over 3 by 3 km, a station every 500
// (the plan benchmarks of both programs).
void generateScatteredLeica(const std::string& path, long points);

// A session of model with every output switched off, so that only reading
// (and what a window does with it) is measured.
Session sessionWithoutOutputs(const std::string& model);

}  // namespace tervan::bench
