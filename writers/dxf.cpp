#include "writers/dxf.h"

#include "core/printf.h"
#include "core/text.h"
#include "writers/drawing_text.h"

namespace tervan {
namespace {

constexpr const char* kElevation = "%0.3f";
constexpr const char* kPointEntity = "  0\nPOINT\n  5\n%s\n  8\n%s\n 10\n%0.3f\n 20\n%0.3f\n 30\n%s\n";
constexpr const char* kLevelEntity =
    "  0\nTEXT\n  5\n%s\n  8\n%s\n 10\n%0.3f\n 20\n%0.3f\n 30\n%s\n 40\n%0.1f\n  1\n%s\n";
// The name is right-aligned and vertically centred at the point (72 = 2,
// 73 = 2, as "MR" in the scripts), so the alignment point repeats it.
constexpr const char* kNameEntity =
    "  0\nTEXT\n  5\n%s\n  8\n%s\n 10\n%0.3f\n 20\n%0.3f\n 30\n%s\n 40\n%0.1f\n  1\n%s\n"
    " 72\n     2\n 11\n%0.3f\n 21\n%0.3f\n 31\n%s\n 73\n     2\n";
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
    unsigned long handle = kFirstHandle;
    for (const Point& p : points) {
        if (isZeroPoint(p)) continue;
        const std::string level = levelText(p.Z, s);
        // Unlike the scripts, the drawing always gives a 3D height three decimals.
        const std::string elevation = s.ThreeDFile ? strf(kElevation, p.Z) : "0.000";
        const std::string name = normaliseName(p.N);
        out.print(kPointEntity, hexHandle(handle++).c_str(), s.PointsLayer.c_str(), p.Y, p.X, elevation.c_str());
        out.print(kLevelEntity, hexHandle(handle++).c_str(), s.LevelLayer.c_str(), p.Y, p.X, elevation.c_str(),
                  height, level.c_str());
        out.print(kNameEntity, hexHandle(handle++).c_str(), s.NamesLayer.c_str(), p.Y, p.X, elevation.c_str(),
                  height, name.c_str(), p.Y, p.X, elevation.c_str());
    }
    out.write(kTrailer);
}

}  // namespace tervan
