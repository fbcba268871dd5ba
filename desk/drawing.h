// A drawing as a list of what to draw, in screen pixels, for a front end to
// draw with its own toolkit: strokes, marks and labels, in that order,
// each in an ink of the program's palette. The window logic makes it; the
// front ends only put it on the screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tervan::desk {

// A position on the screen, in pixels: x to the right, y down.
struct ScreenPoint {
    double x = 0, y = 0;
};

// The palette, by what an ink shows.
enum class Ink { Point, Station, Name, Height, Selected, Grid, Sight, Good, Failure };

struct Rgb {
    std::uint8_t r, g, b;
};
Rgb colourOf(Ink ink);

// A polyline; width in pixels.
struct Stroke {
    std::vector<ScreenPoint> points;
    Ink ink;
    double width = 1;
};

// A cross, a station's triangle (pointing up), a filled square, a circle of
// kSelectionRadius (drawn round a selected point), or a small filled dot.
enum class Shape { Cross, Triangle, Square, Ring, Dot };

struct Mark {
    ScreenPoint at;
    Shape shape;
    Ink ink;
};

// at is on the text's baseline: its left end, its right end or its middle.
enum class Anchor { Left, Right, Centre };

struct Label {
    ScreenPoint at;
    std::string text;  // UTF-8
    Ink ink;
    Anchor anchor = Anchor::Left;
};

struct Drawing {
    std::vector<Stroke> strokes;
    std::vector<Mark> marks;
    std::vector<Label> labels;
};

// Pixels: the half arm of a cross, the half width of a triangle or square,
// the radius of the selection's ring.
inline constexpr double kArm = 3;
inline constexpr double kTriangle = 5;
inline constexpr double kSelectionRadius = 8;

}  // namespace tervan::desk
