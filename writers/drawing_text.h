// Values that the CAD scripts and the DXF drawing share: the text height and
// the height text written beside each point.
#pragma once

#include <string>
#include <string_view>

#include "core/settings.h"

namespace tervan {

// LetterSize as a number; 0.5 when it is 0 (an empty or non-numeric text too).
double textHeight(const Settings& settings);

// Z as the height text: no decimals with x1000 (the heights are then
// millimetres), three with Z.000, else two.
std::string levelText(double z, const Settings& settings);
// The same written into room, which has kLevelRoom bytes; nearest:
// roundsToNearest. Valid as long as room.
inline constexpr std::size_t kLevelRoom = 320;
std::string_view writeLevelText(char* room, double z, const Settings& settings, bool nearest);
// Whether the height text is the value the drawing gives a 3D height: Z
// with three decimals.
bool levelIsElevation(const Settings& settings);

}  // namespace tervan
