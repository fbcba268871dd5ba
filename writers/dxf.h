// The DXF drawing: a copy of the user's DXF header with its placeholder lines
// filled in, three entities per point and the end of the file.
#pragma once

#include <span>
#include <string>

#include "core/output_file.h"
#include "core/point_store.h"
#include "core/settings.h"

namespace tervan {

// header: the lines of the DXF header file, read by the output set, which
// writes no drawing at all when that file cannot be read. With LayerPerCode
// a point with a code goes, with its texts, on a layer of that code, each
// such layer declared at the end of the header's layer table.
void writeDxf(OutputFile& out, const PointList& points, const Settings& settings,
              std::span<const std::string> header);

}  // namespace tervan
