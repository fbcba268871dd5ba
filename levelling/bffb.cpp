#include "levelling/bffb.h"

#include <cmath>

#include "core/numbers.h"
#include "core/printf.h"
#include "core/text.h"

namespace tervan {
namespace {

constexpr const char* kNumberName = "NR%d";
constexpr const char* kTooLargeFirstRow =
    "Numeration 1: %s is too large; the line has %ld rows, row numbers go up to %lld, so the first can be at most "
    "%lld";

constexpr double kReadingStep = 0.00001;  // "R ± 0.00001 m x "
constexpr double kDistanceStep = 0.001;   // "HD ± 0.001 m x "

// One set-up's pair of readings and distances around the measured ones.
struct Pair {
    double r1 = 0, r2 = 0, d1 = 0, d2 = 0;
};

Pair split(Rng& rng, double reading, double kR, double distance, double kHD) {
    double e1 = randint(rng, kR) * kReadingStep;
    double e2 = randint(rng, kHD) * kDistanceStep;
    return {reading + e1, reading - e1, distance + e2, distance - e2};
}

}  // namespace

double randint(Rng& rng, double k) {
    int r = rng.draw();
    // Whole-number arithmetic as far as a long long reaches; absurd factors
    // are held at its edge instead of overflowing.
    constexpr double kEdge = 9e18;
    double t = std::trunc((32767.0 - 2.0 * r) * k);
    if (!(t < kEdge)) t = t > 0 ? kEdge : -kEdge;
    if (t < -kEdge) t = -kEdge;
    return static_cast<double>(static_cast<long long>(t) / 32767);
}

std::string bffbPointName(std::string_view name) {
    int value = toInteger(name);
    if (value == 0) return std::string(name);
    if (value <= 999) return "        X";
    return rightAligned(strf(kNumberName, value), 9);
}

std::string bffbRefusal(std::string_view input, const BffbParams& params) {
    // A reading or a distance of the rows keeps its twelve columns while its
    // random error stays below one metre (a factor below 100000).
    constexpr double kLargestFactor = 99999;
    for (auto [label, text] : {std::pair{"R", &params.reading}, {"HD", &params.distance}}) {
        if (std::string why = sizeRefusal(toNumber(*text), kLargestFactor); !why.empty())
            return std::string("Calc BFFB line: ") + label + " " + *text + " " + why;
    }

    // The rows are counted by a run numbered from 1, which goes nowhere.
    Input bytes(input);
    OutputFile nowhere;
    Result counts;
    Rng rng;
    const BffbParams fromOne{.reading = params.reading, .distance = params.distance, .first = "1", .line = params.line};
    LevelJob dry{.input = bytes, .lineFile = nowhere, .result = counts, .inputPath = "", .rng = rng, .bffb = fromOne};
    calculateBffb(dry);
    const long long first = toInteger(params.first);
    if (first + counts.rowsWritten - 1 <= kLastRowNumber) return {};
    return strf(kTooLargeFirstRow, params.first.c_str(), counts.rowsWritten, kLastRowNumber,
                kLastRowNumber - counts.rowsWritten + 1);
}

void calculateBffb(LevelJob& job) {
    const BffbParams& params = job.bffb;
    const double kR = toNumber(params.reading);
    const double kHD = toNumber(params.distance);
    using Kind = LevelRowKind;
    LevelRows rows{.job = job,
                   .layout = LevelLayout::Bffb,
                   .next = toInteger(params.first),
                   .lineText = rightAligned(params.line, 3)};

    std::string& text = job.result.message;
    text.clear();
    text += '<';
    text += job.inputPath;
    rows.put({.kind = Kind::Start});

    int setups = -1;
    double S = 0, backSum = 0, foreSum = 0;
    double Rb = 0, Rf = 0;
    Pair back, fore;
    std::string backName, foreName;
    forEachLine(job.input, job.result, [&](std::string_view line) {
        bool matched = false;
        std::string_view name = columns(line, 8, 16);
        if (columns(line, 36, 38) == " Rb") {
            matched = true;
            Rb = toNumber(columns(line, 39, 50));
            double HD = toNumber(columns(line, 54, 66));
            back = split(job.rng, Rb, kR, HD, kHD);
            backName = bffbPointName(name);
            S += back.r2 + back.r1;
            backSum += HD;
        }
        if (columns(line, 36, 38) == " Rf") {
            matched = true;
            foreName = bffbPointName(name);
            Rf = toNumber(columns(line, 39, 50));
            double HD = toNumber(columns(line, 54, 66));
            fore = split(job.rng, Rf, kR, HD, kHD);
            S = S - fore.r1 - fore.r2;
            foreSum += HD;
        }
        if (columns(line, 67, 68) == " Z") {
            matched = true;
            foreName = bffbPointName(name);
            // The set-up's readings in back-fore-fore-back order, each with
            // the code 3.
            if (Rb != 0 || Rf != 0) {
                rows.put({.kind = Kind::Back, .name = backName, .code = 3, .values = {back.r1, back.d1}});
                rows.put({.kind = Kind::Fore, .name = foreName, .code = 3, .values = {fore.r1, fore.d1}});
                rows.put({.kind = Kind::Fore, .name = foreName, .code = 3, .values = {fore.r2, fore.d2}});
                rows.put({.kind = Kind::Back, .name = backName, .code = 3, .values = {back.r2, back.d2}});
            }
            rows.put({.kind = Kind::Height, .name = foreName, .values = {S * 0.5}});
            ++setups;
            Rb = Rf = 0;
        }
        return matched;
    });

    rows.put({.kind = Kind::Sum, .name = foreName, .values = {S * 0.5, S * (-0.5), 0.0}});
    rows.put({.kind = Kind::Distances, .name = foreName, .code = setups, .values = {backSum, foreSum, S * 0.5}});
    rows.put({.kind = Kind::End});
}

}  // namespace tervan
