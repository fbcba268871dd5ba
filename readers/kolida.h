// Kolida total stations: the 300's coded word stream (also raw serial
// captures with STX/ETX framing) and the 440's fixed-column records.
#pragma once

#include "core/models.h"

namespace tervan {

int readKolida300Polar(const std::string& path, ReaderContext& ctx);
int readKolida440(const std::string& path, ReaderContext& ctx);

}  // namespace tervan
