// RW5 raw data files: comma-separated records, a record type and then
// fields each headed by its two-letter code (OP111, AR55.05521, "N " and
// "E " with a blank): JB job, MO mode (units), SP stored point, OC occupied
// station, BK backsight, LS instrument and rod heights, SS/TR/BD/BR/FD/FR
// shots, "--" comments.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readRw5(Input& input, ReaderContext& ctx);

inline constexpr ReaderModel kRw5Model{
    .name = "RW5",
    .read = readRw5,
    .reads = "RW5 raw data: stored points, occupied stations, backsights, instrument and rod heights, shots"};

}  // namespace tervan
