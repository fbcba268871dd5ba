#include "win/tones.h"

namespace tervan::win {

HBRUSH toneColours(HDC dc, desk::Tone tone) {
    if (tone == desk::Tone::Plain) return nullptr;
    auto colour = [](unsigned rgb) { return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF); };
    const desk::ToneColours colours = desk::toneColours(tone);
    // One brush per tone for the program's life.
    static const HBRUSH brushes[] = {CreateSolidBrush(colour(desk::toneColours(desk::Tone::Good).background)),
                                     CreateSolidBrush(colour(desk::toneColours(desk::Tone::Warning).background)),
                                     CreateSolidBrush(colour(desk::toneColours(desk::Tone::Failure).background))};
    SetTextColor(dc, colour(colours.text));
    SetBkColor(dc, colour(colours.background));
    return brushes[tone == desk::Tone::Failure ? 2 : tone == desk::Tone::Warning ? 1 : 0];
}

}  // namespace tervan::win
