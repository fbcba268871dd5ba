// Values that the CAD scripts and the DXF drawing share: the text height and
// the height text written beside each point.
#pragma once

#include <string>

#include "core/settings.h"

namespace tervan {

// LetterSize as a number; 0.5 when it is 0 (an empty or non-numeric text too).
double textHeight(const Settings& settings);

// Z as the height text: no decimals with x1000 (the heights are then
// millimetres), three with Z.000, else two.
std::string levelText(double z, const Settings& settings);
// The same appended to out.
void appendLevelText(std::string& out, double z, const Settings& settings);

}  // namespace tervan
