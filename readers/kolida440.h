// Kolida 440 total stations: fixed-column records.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readKolida440(Input& input, ReaderContext& ctx);

inline constexpr ReaderModel kKolida440Model{.name = "Kolida440", .read = readKolida440, .reads = "Kolida 440 records"};

}  // namespace tervan
