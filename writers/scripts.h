// The AutoCAD command scripts: all-in-one (.scr), points (_point.scr),
// names (_names.scr) and levels (_z.scr).
#pragma once

#include <span>

#include "core/output_file.h"
#include "core/point_store.h"
#include "core/settings.h"

namespace tervan {

void writeScriptsInOne(OutputFile& out, const PointList& points, const Settings& settings);
void writePointsScript(OutputFile& out, const PointList& points, const Settings& settings);
void writeNamesScript(OutputFile& out, const PointList& points, const Settings& settings);
void writeLevelsScript(OutputFile& out, const PointList& points, const Settings& settings);

}  // namespace tervan
