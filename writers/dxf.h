// The DXF drawing: a copy of the user's DXF header with its placeholder lines
// filled in, three entities per point and the end of the file.
#pragma once

#include <string>

#include "core/program.h"

namespace tervan {

// Reads the header from program.dxfHeaderPath. When that file cannot be
// read, no DXF file is left behind and report names the header file.
bool writeDxf(const std::string& path, const Program& program, std::string& report);

}  // namespace tervan
