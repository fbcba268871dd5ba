// What the plan pane shows and forwards the mouse and keys to: the plan of
// the points, or the profile of a levelling job's lines.
#pragma once

#include <cstddef>

#include "desk/drawing.h"

namespace tervan::desk {

class Pane {
public:
    static constexpr double kWheelStep = 1.25;  // zoom factor of one notch of the wheel
    static constexpr double kHitRadius = 6;     // pixels around a point that a click hits

    virtual ~Pane() = default;
    // The size of the view in pixels. A view that still shows everything
    // fitted fits it again; one the user zoomed or panned keeps its centre
    // and scale.
    virtual void resize(int width, int height) = 0;
    virtual void fit() = 0;
    // factor > 1 zooms in; the point under anchor stays under it.
    virtual void zoom(ScreenPoint anchor, double factor) = 0;
    // The drawing follows the mouse by dx, dy pixels.
    virtual void pan(double dx, double dy) = 0;
    // What a click at s selects (a record of the store, or a levelling row);
    // kNoPoint when nothing is within kHitRadius.
    virtual std::size_t hit(ScreenPoint s) const = 0;

    // The keyboard: "+" (or "=") zooms in a wheel step about the middle of
    // the view, "-" zooms out, "0" fits. false for any other key.
    bool key(char c);

    int width() const { return width_; }
    int height() const { return height_; }

protected:
    int width_ = 0, height_ = 0;
};

}  // namespace tervan::desk
