// The AutoCAD command scripts: all-in-one (.scr), points (_point.scr),
// names (_names.scr) and levels (_z.scr).
#pragma once

#include <string>

#include "core/program.h"

namespace tervan {

bool writeScriptsInOne(const std::string& path, const Program& program, std::string& report);
bool writePointsScript(const std::string& path, const Program& program, std::string& report);
bool writeNamesScript(const std::string& path, const Program& program, std::string& report);
bool writeLevelsScript(const std::string& path, const Program& program, std::string& report);

}  // namespace tervan
