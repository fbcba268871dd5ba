// The plain coordinate lists: name-Y-X-Z, name-X-Y-Z, X-Y-Z and tras.dat.
#pragma once

#include <string>

#include "core/program.h"

namespace tervan {

bool writeNyxz(const std::string& path, const Program& program, std::string& report);
bool writeNxyz(const std::string& path, const Program& program, std::string& report);
bool writeXyz(const std::string& path, const Program& program, std::string& report);
bool writeTras(const std::string& path, const Program& program, std::string& report);

}  // namespace tervan
