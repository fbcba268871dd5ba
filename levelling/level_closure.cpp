#include "levelling/level_closure.h"

#include <cmath>

#include "core/printf.h"

namespace tervan {
namespace {

constexpr double kMmPerM = 1000;
constexpr double kMPerKm = 1000;

// The adjusted output: a header line per line, then one row per point:
// name, distance from the start (m), measured height, correction (mm),
// adjusted height.
constexpr const char* kAdjHeader = "%s\n";
constexpr const char* kAdjColumns = "%-16s %10s %12s %9s %12s\n";
constexpr const char* kAdjRow = "%-16s %10.3f %12.5f %9.2f %12.5f\n";
constexpr const char* kAdjRowOpen = "%-16s %10.3f %12.5f %9s %12s\n";

// value rounded to step, without the sign of a negative zero ("-0.0 mm").
double rounded(double value, double step) { return std::round(value / step) * step + 0.0; }

Benchmarks::const_iterator find(const Benchmarks& b, const std::string& name) { return b.find(name); }

}  // namespace

Closure closeLine(LevelLine& line, const Benchmarks& benchmarks, double tolerance) {
    Closure c;
    c.corrections.assign(line.points.size(), 0);
    if (line.points.size() < 2) return c;
    LevelPoint& start = line.points.front();
    if (!line.startHeightGiven) {
        if (auto bm = find(benchmarks, start.name); bm != benchmarks.end()) {
            const double shift = bm->second - start.height;
            for (LevelPoint& p : line.points) p.height += shift;
            c.fromBenchmark = true;
        }
    }
    // The last point after the start that is a benchmark, or the start
    // point again.
    for (std::size_t i = line.points.size(); i-- > 1;) {
        const LevelPoint& p = line.points[i];
        if (auto bm = find(benchmarks, p.name); bm != benchmarks.end()) {
            c.closed = true;
            c.known = bm->second;
        } else if (p.name == start.name) {
            c.closed = c.loop = true;
            c.known = start.height;
        }
        if (c.closed) {
            c.closingPoint = i;
            break;
        }
    }
    if (!c.closed) return c;
    const LevelPoint& end = line.points[c.closingPoint];
    c.misclosure = end.height - c.known;
    c.km = end.distance / kMPerKm;
    c.allowed = tolerance * std::sqrt(c.km) / kMmPerM;
    // Compared in tenths of a millimetre, as the summary shows them, so
    // that "+12.8 mm, allowed ±12.8 mm" is never over.
    c.within = std::round(std::fabs(c.misclosure) * 1e4) <= std::round(c.allowed * 1e4);
    const double along = end.correctedAt;
    for (std::size_t i = 0; i < line.points.size(); ++i) {
        const double at = std::min(line.points[i].correctedAt, along);
        c.corrections[i] = along > 0 ? -c.misclosure * at / along : (i == 0 ? 0 : -c.misclosure);
    }
    return c;
}

std::string closureSummary(const LevelLine& line, const Closure& c) {
    const double km = c.closed ? c.km : line.length / kMPerKm;
    std::string text = strf("line %d: %.3f km, %d set-up%s", line.number, km, line.setUps, line.setUps == 1 ? "" : "s");
    if (!c.closed) return text + ": not closed, no benchmark at its end and not a loop";
    appendf(text, ", misclosure %+.1f mm, allowed \xC2\xB1%.1f mm: %s", rounded(c.misclosure * kMmPerM, 0.1),
            c.allowed * kMmPerM,
            c.within ? "within tolerance" : "over tolerance");
    return text;
}

void writeAdjusted(OutputFile& out, const std::vector<LevelLine>& lines, const std::vector<Closure>& closures) {
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const LevelLine& line = lines[l];
        const Closure& c = closures[l];
        out.print(kAdjHeader, closureSummary(line, c).c_str());
        out.print(kAdjColumns, "name", "distance", "height", "corr mm", "adjusted");
        for (std::size_t i = 0; i < line.points.size(); ++i) {
            const LevelPoint& p = line.points[i];
            if (c.closed)
                out.print(kAdjRow, p.name.c_str(), p.distance, p.height, rounded(c.corrections[i] * kMmPerM, 0.01),
                          p.height + c.corrections[i]);
            else
                out.print(kAdjRowOpen, p.name.c_str(), p.distance, p.height, "", "");
        }
    }
}

}  // namespace tervan
