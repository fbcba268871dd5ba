// Leica 1200 delimited export: one observed point per line.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readLeica1200(Input& input, ReaderContext& ctx);

// name H V SD TH IH Y X Z
bool isLeicaLine(std::string_view line);

inline constexpr ReaderModel kLeica1200Model{.name = "Leica1200",
                                             .read = readLeica1200,
                                             .isLine = isLeicaLine,
                                             .reads = "Leica 1200 lists: name, H, V, SD, TH, IH, Y, X, Z"};

}  // namespace tervan
