// Plain coordinate lists: name-X-Y-Z or name-Y-X-Z with optional station
// columns and second-face marker, and the .kor coordinate list.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readNxyz(Input& input, ReaderContext& ctx);
void readNyxz(Input& input, ReaderContext& ctx);
void readKor(Input& input, ReaderContext& ctx);

}  // namespace tervan
