#include "writers/scripts.h"

#include "writers/drawing_text.h"

namespace tervan {
namespace {

// The drawing's first coordinate is Y, the second X. "100" stands in the
// rotation-angle position of both text commands.
constexpr const char* kPointLine = "point %0.3f,%0.3f,%s\n";
constexpr const char* kNameLine = "text J MR %0.3f,%0.3f,%s %0.3f 100 %s\n";
constexpr const char* kLevelLine = "text %0.3f,%0.3f,%s %0.3f 100 %s\n";

enum LineKinds { kPoint = 1, kName = 2, kLevel = 4 };

void writeScript(OutputFile& out, std::span<const Point> points, const Settings& s, int kinds) {
    const double height = textHeight(s);
    for (const Point& p : points) {
        if (isZeroPoint(p)) continue;
        const std::string level = levelText(p.Z, s);
        // In the scripts the elevation keeps the level text's precision.
        const char* elevation = s.ThreeDFile ? level.c_str() : "0.000";
        if (kinds & kPoint) out.print(kPointLine, p.Y, p.X, elevation);
        if (kinds & kName) out.print(kNameLine, p.Y, p.X, elevation, height, p.N.c_str());
        if (kinds & kLevel) out.print(kLevelLine, p.Y, p.X, elevation, height, level.c_str());
    }
}

}  // namespace

void writeScriptsInOne(OutputFile& out, std::span<const Point> points, const Settings& settings) {
    writeScript(out, points, settings, kPoint | kName | kLevel);
}

void writePointsScript(OutputFile& out, std::span<const Point> points, const Settings& settings) {
    writeScript(out, points, settings, kPoint);
}

void writeNamesScript(OutputFile& out, std::span<const Point> points, const Settings& settings) {
    writeScript(out, points, settings, kName);
}

void writeLevelsScript(OutputFile& out, std::span<const Point> points, const Settings& settings) {
    writeScript(out, points, settings, kLevel);
}

}  // namespace tervan
