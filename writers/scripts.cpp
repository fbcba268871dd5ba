#include "writers/scripts.h"

#include "core/output_file.h"
#include "writers/drawing_text.h"
#include "writers/output_set.h"

namespace tervan {
namespace {

// The drawing's first coordinate is Y, the second X. "100" stands in the
// rotation-angle position of both text commands.
constexpr const char* kPointLine = "point %0.3f,%0.3f,%s\n";
constexpr const char* kNameLine = "text J MR %0.3f,%0.3f,%s %0.3f 100 %s\n";
constexpr const char* kLevelLine = "text %0.3f,%0.3f,%s %0.3f 100 %s\n";

enum LineKinds { kPoint = 1, kName = 2, kLevel = 4 };

bool writeScript(const std::string& path, const Program& program, std::string& report, int kinds) {
    const Settings& s = program.settings;
    const double height = textHeight(s);
    OutputFile out;
    if (out.create(path)) {
        for (const Point& p : program.store.points) {
            if (isZeroPoint(p)) continue;
            const std::string level = levelText(p.Z, s);
            // In the scripts the elevation keeps the level text's precision.
            const char* elevation = s.ThreeDFile ? level.c_str() : "0.000";
            if (kinds & kPoint) out.print(kPointLine, p.Y, p.X, elevation);
            if (kinds & kName) out.print(kNameLine, p.Y, p.X, elevation, height, p.N.c_str());
            if (kinds & kLevel) out.print(kLevelLine, p.Y, p.X, elevation, height, level.c_str());
        }
        if (out.close()) return true;
    }
    report = cannotWrite(path, out.errorText());
    return false;
}

}  // namespace

bool writeScriptsInOne(const std::string& path, const Program& program, std::string& report) {
    return writeScript(path, program, report, kPoint | kName | kLevel);
}

bool writePointsScript(const std::string& path, const Program& program, std::string& report) {
    return writeScript(path, program, report, kPoint);
}

bool writeNamesScript(const std::string& path, const Program& program, std::string& report) {
    return writeScript(path, program, report, kName);
}

bool writeLevelsScript(const std::string& path, const Program& program, std::string& report) {
    return writeScript(path, program, report, kLevel);
}

}  // namespace tervan
