// The report's tones in desk's colours (desk::toneColours); a plain text
// as the dialog draws it.
#pragma once

#include "desk/report.h"
#include "win/dialog.h"

namespace tervan::win {

// WM_CTLCOLORSTATIC of a static text in a tone: sets the colours on dc and
// returns the brush of the background; nullptr for a plain text (the
// dialog's own colours).
HBRUSH toneColours(HDC dc, desk::Tone tone);

}  // namespace tervan::win
