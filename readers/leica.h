// Leica 1200 delimited export: one observed point per line.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readLeica1200(Input& input, ReaderContext& ctx);

}  // namespace tervan
