#include "desk/drawing.h"

namespace tervan::desk {

Rgb colourOf(Ink ink) {
    switch (ink) {
        case Ink::Point:
            return {20, 20, 20};
        case Ink::Station:
        case Ink::Name:
            return {0, 90, 170};
        case Ink::Height:
            return {150, 60, 0};
        case Ink::Selected:
            return {220, 0, 0};
        case Ink::Grid:
            return {205, 205, 205};
        case Ink::Sight:
            return {150, 185, 220};
        // The report's tones: within tolerance, over it.
        case Ink::Good:
            return {0x1d, 0x6b, 0x1d};
        case Ink::Failure:
            return {0xa4, 0x00, 0x1d};
    }
    return {0, 0, 0};
}

}  // namespace tervan::desk
