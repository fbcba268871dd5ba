// GTS-7 text records: a keyword, blanks, then the values separated by
// commas ("STN     1001,1.550,", "SS      100,1.300,fence",
// "SD      74.39010,87.47000,2.1650"). A station (STN) and its coordinates
// (XYZ), the backsight (BKB with its azimuth and circle reading, BS with
// the target height), then the shots (SS) with their observations (SD,
// HD or HV) and, when given, their coordinates (XYZ).
#pragma once

#include "readers/reader.h"

namespace tervan {

void readGts7(Input& input, ReaderContext& ctx);

inline constexpr ReaderModel kGts7Model{
    .name = "GTS7",
    .read = readGts7,
    .reads = "GTS-7 text records: stations, backsight azimuths, shots and coordinates"};

}  // namespace tervan
