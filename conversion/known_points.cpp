#include "conversion/known_points.h"

#include <array>

#include "conversion/models.h"
#include "readers/line_shapes.h"
#include "core/input.h"
#include "core/numbers.h"
#include "core/printf.h"
#include "core/text.h"

namespace tervan {
namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

}  // namespace

const char* knownPointsModel(std::string_view path) {
    auto slash = path.find_last_of("\\/");
    const std::string name = lowerCase(slash == std::string_view::npos ? path : path.substr(slash + 1));
    if (name.ends_with(".kor")) return "kor";
    if (name.find("nyxz") != std::string::npos) return "nyxz";
    return "nxyz";
}

bool readKnownPoints(const std::string& path, PointStore& known, std::string& error, bool* refused) {
    clearStore(known);
    std::string bytes;
    if (!readWholeFile(path, bytes, error)) return false;
    // A list saved with carriage returns alone (as old Macintosh editors
    // do) has its lines all the same; the line reader drops every carriage
    // return, so a lone one becomes a line feed here.
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) bytes[i] = '\n';
    Input input(bytes);
    Result counts;
    ReaderContext ctx{known, counts};
    findModel(knownPointsModel(path))->read(input, ctx);
    for (const Point& p : known.points) {
        for (auto [axis, value] : {std::pair{"X", p.X}, {"Y", p.Y}, {"Z", p.Z}}) {
            if (std::string why = sizeRefusal(value, kLargestCoordinate); !why.empty()) {
                error = "the known point " + std::string(p.N.c_str()) + " has " + axis + " " + strf("%g", value) +
                        ", which " + why;
                clearStore(known);
                if (refused) *refused = true;
                return false;
            }
        }
    }
    return true;
}

bool readBenchmarks(const std::string& path, Benchmarks& benchmarks, std::string& error) {
    benchmarks.clear();
    std::string bytes;
    if (!readWholeFile(path, bytes, error)) return false;
    // Name and height alone first: a list's reader would take the height
    // for a coordinate.
    Input input(bytes);
    Result counts;
    forEachLine(input, counts, [&](std::string_view line) {
        std::array<std::string_view, 3> f;
        splitFields(line, kListSeparators, f);
        if (f[0].empty() || f[1].empty() || !f[2].empty() || !isNumberText(f[1])) return false;
        benchmarks.try_emplace(normaliseName(f[0]), toNumber(f[1]));
        return true;
    });
    PointStore known;
    if (!readKnownPoints(path, known, error)) return false;
    for (const Point& p : known.points)
        if (!isZeroPoint(p)) benchmarks.try_emplace(std::string(std::string_view(p.N)), p.Z);
    return true;
}

}  // namespace tervan
