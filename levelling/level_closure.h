// Closing a levelling line on known heights: the line's points as the
// reduction met them, its misclosure against a benchmark at its end (or
// against its own start when it returns there), the allowed misclosure
// k·√L, and the heights with the misclosure distributed in proportion to
// the distance from the start.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/output_file.h"

namespace tervan {

// A point of a line. Intermediate sights take the correction of their
// set-up, that is of the point the set-up's back sight was taken on.
struct LevelPoint {
    std::string name;       // blanks trimmed
    double distance = 0;    // m from the start, along the sights
    double height = 0;      // m, as the file gives it
    double correctedAt = 0; // m: the distance whose share of the misclosure it takes
    bool intermediate = false;
};

struct LevelLine {
    int number = 0;
    std::vector<LevelPoint> points;  // the start point first
    bool startHeightGiven = false;   // the file gives the start point's height
    int setUps = 0;
    double length = 0;  // m, the sum of the back and fore sight distances
};

// Known heights by point name.
using Benchmarks = std::map<std::string, double, std::less<>>;

struct Closure {
    bool closed = false;       // a benchmark at the end or a loop
    bool loop = false;         // closed on its own start point
    bool fromBenchmark = false;  // the start height was taken from a benchmark
    std::size_t closingPoint = 0;  // index of the point the line closes on
    double known = 0;          // m
    double misclosure = 0;     // m, measured - known
    double allowed = 0;        // m, k·√L
    double km = 0;             // L, the distance of the closing point
    bool within = false;
    std::vector<double> corrections;  // m, one per point
};

// tolerance: k in mm per √km. A line whose start point is a benchmark and
// whose file gives no start height is moved onto the benchmark first.
Closure closeLine(LevelLine& line, const Benchmarks& benchmarks, double tolerance);

// "line 1: 0.412 km, 6 set-ups, misclosure +3.2 mm, allowed ±12.8 mm:
// within tolerance", or "line 2: 0.205 km, 3 set-ups: not closed, no
// benchmark at its end and not a loop".
std::string closureSummary(const LevelLine& line, const Closure& closure);

// The adjusted output: per line its summary, then one row per point.
void writeAdjusted(OutputFile& out, const std::vector<LevelLine>& lines, const std::vector<Closure>& closures);

}  // namespace tervan
