// Zeiss 3303 fixed-column files: station lines, labelled values collected
// over several lines, compact observation lines and coordinate lines.
#pragma once

#include "core/models.h"

namespace tervan {

int readZeiss3303(const std::string& path, ReaderContext& ctx);

}  // namespace tervan
