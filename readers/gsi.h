// GSI total-station files, GSI-8 and GSI-16: one block of fixed-width data
// words per line (point name, observations, coordinates, heights), lines
// ended by CR, LF or CR LF.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readGsi(Input& input, ReaderContext& ctx);

inline constexpr ReaderModel kGsiModel{
    .name = "GSI", .read = readGsi, .reads = "Leica GSI-8 and GSI-16 total station blocks"};

}  // namespace tervan
