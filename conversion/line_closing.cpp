#include "conversion/line_closing.h"

#include "conversion/driver.h"
#include "conversion/known_points.h"
#include "conversion/output_set.h"
#include "core/numbers.h"
#include "core/printf.h"

namespace tervan {

void closeLevelLines(const Session& session, std::vector<LevelLine>& lines, const std::string& inputPath,
                     Result& result) {
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
        const Closing closing = !c.closed ? Closing::NotClosed : c.within ? Closing::Within : Closing::Over;
        result.closures.push_back({closureSummary(line, c), closing});
        appendReport(result.message, result.closures.back().summary);
    }
    if (!s.AdjustedFile) return;
    OutputFile out;
    OutputReport report = openOutput(out, outputBaseName(inputPath) + kAdjustedSuffix, filesRead(session));
    writeAdjusted(out, lines, closures);
    finishOutput(out, std::move(report), result);
}

}  // namespace tervan
