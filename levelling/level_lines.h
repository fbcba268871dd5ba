// The digital level line reductions: a DNA8 GSI recording or a Dini USB line
// file becomes a levelling line file in the 78-column layout, and the same
// rows, tab-separated, become the message text.
#pragma once

#include "levelling/level_job.h"

namespace tervan {

// The line file is the base name + ".dat".
void reduceDna8(LevelJob& job);

// The line file is the base name + "_.dat".
void reduceDiniUsb(LevelJob& job);

}  // namespace tervan
