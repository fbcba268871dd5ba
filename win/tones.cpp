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
    // Warning, failure, good: background and text.
    static const COLORREF backgrounds[] = {RGB(0xff, 0xf1, 0xc7), RGB(0xfd, 0xe3, 0xe6), RGB(0xe0, 0xf5, 0xe0)};
    static const COLORREF texts[] = {RGB(0x7a, 0x4d, 0x00), RGB(0xa4, 0x00, 0x1d), RGB(0x1d, 0x6b, 0x1d)};
    // One brush per tone for the program's life.
    static const HBRUSH brushes[] = {CreateSolidBrush(backgrounds[0]), CreateSolidBrush(backgrounds[1]),
                                     CreateSolidBrush(backgrounds[2])};
    const int i = tone == desk::Tone::Failure ? 1 : tone == desk::Tone::Good ? 2 : 0;
    SetTextColor(dc, texts[i]);
    SetBkColor(dc, backgrounds[i]);
    return brushes[i];
}

}  // namespace tervan::win
