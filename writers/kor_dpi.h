// The fixed-column lists of the surveying office software: the observation
// list (.dpi) and the coordinate list (.kor).
#pragma once

#include <string>

#include "core/program.h"

namespace tervan {

bool writeDpi(const std::string& path, const Program& program, std::string& report);
bool writeKor(const std::string& path, const Program& program, std::string& report);

}  // namespace tervan
