// The H, V, SD calculation: observations computed from the coordinates of the
// store, with random errors and a random orientation per station.
#pragma once

#include <string>

#include "core/program.h"

namespace tervan {

// Recomputes H, V, SD and Om of every record from the coordinates of its
// point and of its station (the first record named like the station), with
// the error sizes of program and the current orientation of the store;
// draws a new orientation at every station record.
void calculateHvsd(Program& program);

// The "C&alcHVSD" command after its dialog: stores the three texts in dSD,
// dH and dV and makes one H, V, SD run on the current input path.
void runHvsdCommand(Program& program, const std::string& dSD, const std::string& dH, const std::string& dV);

}  // namespace tervan
