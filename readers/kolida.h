// Kolida total stations: the 300's coded word stream (also raw serial
// captures with STX/ETX framing) and the 440's fixed-column records.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readKolida300Polar(Input& input, ReaderContext& ctx);
void readKolida440(Input& input, ReaderContext& ctx);

}  // namespace tervan
