#include "writers/coordinates.h"

#include "core/text.h"

namespace tervan {
namespace {

constexpr const char* kNameCoordinates = "%6s %10.3f %10.3f %10.3f\n";
constexpr const char* kXyz = "%10.3f %10.3f %10.3f\n";
constexpr const char* kTras = "   0000%s         X%13.3f Y%14.3f Z%10.3f\n";

// Writes one line per point that is not a zero point.
template <class Line>
void writeList(std::span<const Point> points, Line line) {
    for (const Point& p : points)
        if (!isZeroPoint(p)) line(p);
}

}  // namespace

void writeNyxz(OutputFile& out, std::span<const Point> points, const Settings&) {
    writeList(points, [&](const Point& p) { out.print(kNameCoordinates, p.N.c_str(), p.Y, p.X, p.Z); });
}

void writeNxyz(OutputFile& out, std::span<const Point> points, const Settings&) {
    writeList(points, [&](const Point& p) { out.print(kNameCoordinates, p.N.c_str(), p.X, p.Y, p.Z); });
}

void writeXyz(OutputFile& out, std::span<const Point> points, const Settings&) {
    writeList(points, [&](const Point& p) { out.print(kXyz, p.X, p.Y, p.Z); });
}

void writeTras(OutputFile& out, std::span<const Point> points, const Settings&) {
    // The name right-aligned in exactly 20 characters: a longer name keeps
    // its last 20.
    writeList(points, [&](const Point& p) { out.print(kTras, rightAligned(p.N, 20).c_str(), p.X, p.Y, p.Z); });
}

}  // namespace tervan
