#include "writers/scripts.h"

#include "writers/drawing_text.h"
#include "writers/formats.h"

namespace tervan {
namespace {

using namespace formats;

enum LineKinds { kPoint = 1, kName = 2, kLevel = 4 };

void writeScript(OutputFile& out, const PointList& points, const Settings& s, int kinds) {
    const bool nearest = out.roundsToNearest();
    char heightRoom[boundOf(kScriptTextHeight, 0.0)];
    const Repeated height = repeat(heightRoom, kScriptTextHeight, textHeight(s), nearest);
    for (const Point& p : points) {
        if (isZeroPoint(p)) continue;
        char levelRoom[kLevelRoom];
        const std::string_view level = writeLevelText(levelRoom, p.Z, s, nearest);
        // In the scripts the elevation keeps the level text's precision.
        const std::string_view elevation = s.ThreeDFile ? level : "0.000";
        char yRoom[boundOf(kCoordinate, 0.0)], xRoom[boundOf(kCoordinate, 0.0)];
        const Repeated y = repeat(yRoom, kCoordinate, p.Y, nearest), x = repeat(xRoom, kCoordinate, p.X, nearest);
        if (kinds & kPoint) out.print(kPointLine, y, x, elevation);
        if (kinds & kName) out.print(kNameLine, y, x, elevation, height, p.N);
        if (kinds & kLevel) out.print(kLevelLine, y, x, elevation, height, level);
    }
}

}  // namespace

void writeScriptsInOne(OutputFile& out, const PointList& points, const Settings& settings) {
    writeScript(out, points, settings, kPoint | kName | kLevel);
}

void writePointsScript(OutputFile& out, const PointList& points, const Settings& settings) {
    writeScript(out, points, settings, kPoint);
}

void writeNamesScript(OutputFile& out, const PointList& points, const Settings& settings) {
    writeScript(out, points, settings, kName);
}

void writeLevelsScript(OutputFile& out, const PointList& points, const Settings& settings) {
    writeScript(out, points, settings, kLevel);
}

}  // namespace tervan
