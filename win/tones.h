// The colours of the report's tones, as the Qt window has them: a warning
// dark amber on light amber, a failure dark red on pink; a plain text as
// the dialog draws it.
#pragma once

#include <vector>

#include "desk/report.h"
#include "win/dialog.h"

namespace tervan::win {

desk::Tone worstTone(const std::vector<desk::Notice>& notices);

// WM_CTLCOLORSTATIC of a static text in a tone: sets the colours on dc and
// returns the brush of the background; nullptr for a plain text (the
// dialog's own colours).
HBRUSH toneColours(HDC dc, desk::Tone tone);

}  // namespace tervan::win
