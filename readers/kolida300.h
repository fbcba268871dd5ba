// Kolida 300 total stations: the coded word stream, also raw serial
// captures with STX/ETX framing.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readKolida300Polar(Input& input, ReaderContext& ctx);

inline constexpr ReaderModel kKolida300PolarModel{
    .name = "Kolida300Polar", .read = readKolida300Polar, .blockMark = '_', .reads = "Kolida 300 polar word stream"};

}  // namespace tervan
