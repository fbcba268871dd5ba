// Zeiss 3303 fixed-column files: station lines, labelled values collected
// over several lines, compact observation lines and coordinate lines.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readZeiss3303(Input& input, ReaderContext& ctx);

}  // namespace tervan
