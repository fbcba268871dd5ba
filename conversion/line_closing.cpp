#include "conversion/line_closing.h"

#include "conversion/driver.h"
#include "conversion/known_points.h"
#include "conversion/output_set.h"
#include "core/numbers.h"
#include "core/printf.h"

namespace tervan {

namespace {

LineProfile profileOf(const LevelLine& line, const Closure& c, const Benchmarks& benchmarks) {
    const Closing closing = !c.closed ? Closing::NotClosed : c.within ? Closing::Within : Closing::Over;
    LineProfile profile{.number = line.number,
                        .firstRow = line.firstRow,
                        .closure = {closureSummary(line, c), closing},
                        .closingPoint = c.closingPoint,
                        .misclosure = c.misclosure};
    for (const LevelPoint& p : line.points)
        profile.points.push_back({.name = p.name,
                                  .distance = p.distance,
                                  .height = p.height,
                                  .row = p.row,
                                  .intermediate = p.intermediate,
                                  .benchmark = benchmarks.contains(p.name),
                                  .fore = p.fore,
                                  .setUpAt = p.setUpAt,
                                  .sightHeight = p.height + p.reading});
    return profile;
}

}  // namespace

void closeLevelLines(const Session& session, std::vector<LevelLine>& lines, const std::string& inputPath,
                     Result& result, OutputFile& adjusted, std::vector<StagedOutput>& staged) {
    const Settings& s = session.settings;
    Benchmarks benchmarks;
    if (!s.KnownPoints.empty()) {
        std::string error;
        if (!readBenchmarks(s.KnownPoints, benchmarks, error)) {
            result.knownPointsError = "cannot read the known points " + s.KnownPoints + ": " + error;
            appendReport(result.message, result.knownPointsError);
        }
    }
    const double tolerance = toNumber(s.LevelTolerance);
    std::vector<Closure> closures;
    bool anyClosed = false;
    for (LevelLine& line : lines) {
        closures.push_back(closeLine(line, benchmarks, tolerance));
        anyClosed = anyClosed || closures.back().closed;
        result.profiles.push_back(profileOf(line, closures.back(), benchmarks));
    }
    // Without benchmarks and loops there is nothing to say of the lines
    // (the adjusted output lists them all the same).
    const bool tell = anyClosed || !s.KnownPoints.empty();
    for (std::size_t i = 0; i < lines.size() && tell; ++i) {
        const LevelLine& line = lines[i];
        const Closure& c = closures[i];
        if (c.fromBenchmark)
            appendReport(result.message, strf("line %d starts from the benchmark %s at %.5f", line.number,
                                              line.points.front().name.c_str(), line.points.front().height));
        result.closures.push_back(result.profiles[i].closure);
        appendReport(result.message, result.closures.back().summary);
    }
    if (!s.AdjustedFile) return;
    OutputReport report = openOutput(adjusted, outputBaseName(inputPath) + kAdjustedSuffix, filesRead(session));
    writeAdjusted(adjusted, lines, closures);
    staged.push_back({&adjusted, std::move(report)});
}

}  // namespace tervan
