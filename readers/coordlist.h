// Plain coordinate lists: name-X-Y-Z or name-Y-X-Z with optional station
// columns and second-face marker, and the .kor coordinate list.
#pragma once

#include "core/models.h"

namespace tervan {

// Reads Y before X when ctx.settings.Model is "nyxz".
int readCoordinateList(const std::string& path, ReaderContext& ctx);
int readKor(const std::string& path, ReaderContext& ctx);

}  // namespace tervan
