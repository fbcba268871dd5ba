#include "writers/dxf.h"

#include "core/text.h"
#include "writers/drawing_text.h"
#include "writers/formats.h"

namespace tervan {
namespace {

using namespace formats;

constexpr const char* kTrailer = "   0\nENDSEC\n   0\nEOF\n";

// Handles 0x7E and up belong to the entities; the header's own objects use
// handles below that.
constexpr unsigned long kFirstHandle = 126;

// The header line written in place of line: the layer placeholders become the
// layer names, "````" the first handle no entity uses.
const std::string& headerLine(const std::string& line, const Settings& s, const std::string& seed) {
    if (line == "LEVEL") return s.LevelLayer;
    if (line == "NAMES") return s.NamesLayer;
    if (line == "POINTS") return s.PointsLayer;
    if (line == "````") return seed;
    return line;
}

}  // namespace

void writeDxf(OutputFile& out, std::span<const Point> points, const Settings& s,
              std::span<const std::string> header) {
    unsigned long seed = kFirstHandle;
    for (const Point& p : points)
        if (!isZeroPoint(p)) seed += 3;
    const std::string seedText = hexHandle(seed);

    for (const std::string& line : header) {
        out.write(headerLine(line, s, seedText));
        out.write("\n");
    }

    const double height = textHeight(s);
    // Handles stay below 2^32: that would take over a billion points.
    auto handle = static_cast<unsigned>(kFirstHandle);
    std::string level, elevation, normalised;
    for (const Point& p : points) {
        if (isZeroPoint(p)) continue;
        level.clear();
        appendLevelText(level, p.Z, s);
        // Unlike the scripts, the drawing always gives a 3D height three decimals.
        elevation.clear();
        if (s.ThreeDFile)
            kLevelThreeDecimals.append(elevation, p.Z);
        else
            elevation = "0.000";
        std::string_view name = p.N;
        if (!isNormalised(name)) name = normalised = normaliseName(name);
        out.print(kPointEntity, handle++, s.PointsLayer, p.Y, p.X, elevation);
        out.print(kLevelEntity, handle++, s.LevelLayer, p.Y, p.X, elevation, height, level);
        out.print(kNameEntity, handle++, s.NamesLayer, p.Y, p.X, elevation, height, name, p.Y, p.X, elevation);
    }
    out.write(kTrailer);
}

}  // namespace tervan
