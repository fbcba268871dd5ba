// Nikon RAW V2.00 files: comma-separated records, each named by its first
// field: CO comments (the header's units, zero azimuth and zero VA, and
// coordinate order among them), ST station, F1/F2 backsight, SS side shot,
// CP control shot, SO stakeout shot, UP/MP/CC/RE coordinates.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readNikonRaw(Input& input, ReaderContext& ctx);

inline constexpr ReaderModel kNikonRawModel{
    .name = "NikonRAW",
    .read = readNikonRaw,
    .reads = "Nikon RAW V2.00 records: stations with IH and backsight, F1/F2, SS, CP, SO shots, coordinates"};

}  // namespace tervan
