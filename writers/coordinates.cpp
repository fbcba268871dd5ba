#include "writers/coordinates.h"

#include "core/text.h"
#include "writers/formats.h"

namespace tervan {
namespace {

using namespace formats;

// Writes one line per point that is not a zero point.
template <class Line>
void writeList(const PointList& points, Line line) {
    for (const Point& p : points)
        if (!isZeroPoint(p)) line(p);
}

}  // namespace

void writeNyxz(OutputFile& out, const PointList& points, const Settings&) {
    writeList(points, [&](const Point& p) { out.print(kNameCoordinates, p.N, p.Y, p.X, p.Z); });
}

void writeNxyz(OutputFile& out, const PointList& points, const Settings&) {
    writeList(points, [&](const Point& p) { out.print(kNameCoordinates, p.N, p.X, p.Y, p.Z); });
}

void writeXyz(OutputFile& out, const PointList& points, const Settings&) {
    writeList(points, [&](const Point& p) { out.print(kXyz, p.X, p.Y, p.Z); });
}

void writeTras(OutputFile& out, const PointList& points, const Settings&) {
    // The name right-aligned in exactly 20 characters: a longer name keeps
    // its last 20.
    std::string name;
    writeList(points, [&](const Point& p) {
        const std::string_view text = p.N;
        name.assign(text.size() < 20 ? 20 - text.size() : 0, ' ');
        name += lastChars(text, 20);
        out.print(kTras, name, p.X, p.Y, p.Z);
    });
}

}  // namespace tervan
