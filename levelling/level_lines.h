// The digital level line reductions: a DNA8 GSI recording or a Dini USB line
// file becomes a levelling line file in the 78-column layout, and the same
// rows, tab-separated, become the message text.
#pragma once

#include <string>

#include "core/program.h"

namespace tervan {

// Writes baseName + ".dat". Returns 1 when path cannot be opened (nothing is
// written and the message text stays), otherwise 0.
int reduceDna8(Program& program, const std::string& path, const std::string& baseName);

// Writes baseName + "_.dat"; results as reduceDna8.
int reduceDiniUsb(Program& program, const std::string& path, const std::string& baseName);

}  // namespace tervan
