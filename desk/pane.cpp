#include "desk/pane.h"

namespace tervan::desk {

bool Pane::key(char c) {
    const ScreenPoint middle{width_ / 2.0, height_ / 2.0};
    switch (c) {
        case '+':
        case '=':
            zoom(middle, kWheelStep);
            return true;
        case '-':
            zoom(middle, 1 / kWheelStep);
            return true;
        case '0':
            fit();
            return true;
    }
    return false;
}

}  // namespace tervan::desk
