#include "win/tones.h"

#include <algorithm>

namespace tervan::win {

desk::Tone worstTone(const std::vector<desk::Notice>& notices) {
    desk::Tone worst = desk::Tone::Plain;
    for (const desk::Notice& n : notices) worst = std::max(worst, n.tone);
    return worst;
}

HBRUSH toneColours(HDC dc, desk::Tone tone) {
    if (tone == desk::Tone::Plain) return nullptr;
    const bool failure = tone == desk::Tone::Failure;
    const COLORREF background = failure ? RGB(0xfd, 0xe3, 0xe6) : RGB(0xff, 0xf1, 0xc7);
    // One brush per tone for the program's life.
    static const HBRUSH brushes[] = {CreateSolidBrush(RGB(0xff, 0xf1, 0xc7)), CreateSolidBrush(RGB(0xfd, 0xe3, 0xe6))};
    SetTextColor(dc, failure ? RGB(0xa4, 0x00, 0x1d) : RGB(0x7a, 0x4d, 0x00));
    SetBkColor(dc, background);
    return brushes[failure ? 1 : 0];
}

}  // namespace tervan::win
