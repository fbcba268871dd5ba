#include "writers/coordinates.h"

#include "core/output_file.h"
#include "core/text.h"
#include "writers/output_set.h"

namespace tervan {
namespace {

constexpr const char* kNameCoordinates = "%6s %10.3f %10.3f %10.3f\n";
constexpr const char* kXyz = "%10.3f %10.3f %10.3f\n";
constexpr const char* kTras = "   0000%s         X%13.3f Y%14.3f Z%10.3f\n";

// Writes one line per point that is not a zero point.
template <class Line>
bool writeList(const std::string& path, const Program& program, std::string& report, Line line) {
    OutputFile out;
    if (out.create(path)) {
        for (const Point& p : program.store.points)
            if (!isZeroPoint(p)) line(out, p);
        if (out.close()) return true;
    }
    report = cannotWrite(path, out.errorText());
    return false;
}

}  // namespace

bool writeNyxz(const std::string& path, const Program& program, std::string& report) {
    return writeList(path, program, report,
                     [](OutputFile& out, const Point& p) { out.print(kNameCoordinates, p.N.c_str(), p.Y, p.X, p.Z); });
}

bool writeNxyz(const std::string& path, const Program& program, std::string& report) {
    return writeList(path, program, report,
                     [](OutputFile& out, const Point& p) { out.print(kNameCoordinates, p.N.c_str(), p.X, p.Y, p.Z); });
}

bool writeXyz(const std::string& path, const Program& program, std::string& report) {
    return writeList(path, program, report, [](OutputFile& out, const Point& p) { out.print(kXyz, p.X, p.Y, p.Z); });
}

bool writeTras(const std::string& path, const Program& program, std::string& report) {
    return writeList(path, program, report, [](OutputFile& out, const Point& p) {
        // The name right-aligned in exactly 20 characters: a longer name
        // keeps its last 20.
        std::string field = std::string(20, ' ') + p.N;
        out.print(kTras, std::string(lastChars(field, 20)).c_str(), p.X, p.Y, p.Z);
    });
}

}  // namespace tervan
