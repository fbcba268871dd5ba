// Zeiss 3303 fixed-column files: station lines, labelled values collected
// over several lines, compact observation lines and coordinate lines.
#pragma once

#include "readers/line_shapes.h"
#include "readers/reader.h"

namespace tervan {

void readZeiss3303(Input& input, ReaderContext& ctx);

inline constexpr ReaderModel kZeiss3303Model{
    .name = "Zeiss3303",
    .read = readZeiss3303,
    .isLine = isZeissLine,
    .reads = "Zeiss 3303 fixed-column labelled records (polar and coordinate)"};

}  // namespace tervan
