// Leica 1200 delimited export: one observed point per line.
#pragma once

#include "core/models.h"

namespace tervan {

int readLeica1200(const std::string& path, ReaderContext& ctx);

}  // namespace tervan
