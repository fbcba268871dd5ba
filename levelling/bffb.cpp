#include "levelling/bffb.h"

#include <cmath>

#include "core/numbers.h"
#include "core/printf.h"
#include "core/text.h"
#include "levelling/level_rows.h"

namespace tervan {
namespace {

constexpr const char* kStartFile = "%7d Start-Line       BFFB   %s\n";
constexpr const char* kStartText = ">\r\r\n%7d\tStart-Line\t\tBFFB\t\t%s\r\r\n";
constexpr const char* kBackFile = "%7d%s              3 %s Rb%12.5f HD %12.3f\n";
constexpr const char* kBackText = "%7d\t%s\t\t\t3\t%s Rb\t%12.5f HD\t%12.3f\r\r\n";
constexpr const char* kForeFile = "%7d%s              3 %s Rf%12.5f HD %12.3f\n";
constexpr const char* kForeText = "%7d\t%s\t\t\t3\t%s Rf\t%12.5f HD\t%12.3f\r\r\n";
constexpr const char* kHeightFile = "%7d%s              3 %s                                Z%10.5f\n";
constexpr const char* kHeightText = "%7d\t%s\t\t\t \t%s\t  \t\t\t\tZ%10.5f\r\r\n";
constexpr const char* kSumFile = "%7d%s                %s Sh%12.5f dz %12.5f Z%10.5f\n";
constexpr const char* kSumText = "%7d\t%s\t\t\t3\t%s Sh\t%17.5f dz\t%17.5f\tZ%10.5f\r\r\n";
constexpr const char* kDistFile = "%7d%s      %3d       %s Db%12.3f Df %12.3f Z%10.5f\n";
constexpr const char* kDistText = "%7d\t%s\t\t%3d\t3\t%s Db\t%17.3f Df\t%17.3f\tZ%10.5f\r\r\n";
constexpr const char* kEndFile = "%7d End-Line                %s\n";
constexpr const char* kEndText = "%7d\tEnd-Line\t\t\t\t%s\r\r\n";

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

// A reading row of the grid: the BFFB line writes the code 3.
void readingRow(LevelJob& job, int row, const char* name, const char* line, const char* tag, double reading,
                double distance) {
    addLevelRow(job.result,
                {strf("%d", row), name, "3", line, tag, strf("%.5f", reading), "HD", strf("%.3f", distance)});
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
    int row = toInteger(params.first);
    const std::string lineText = rightAligned(params.line, 3);

    OutputFile& out = job.lineFile;
    std::string& text = job.result.message;
    text.clear();
    text += '<';
    text += job.inputPath;
    out.print(kStartFile, row, lineText.c_str());
    appendf(text, kStartText, row, lineText.c_str());
    addLevelRow(job.result, {strf("%d", row), "Start-Line", "", lineText, "BFFB"});
    ++row;
    long rows = 1;

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
            if (Rb != 0 || Rf != 0) {
                const char* b = backName.c_str();
                const char* f = foreName.c_str();
                const char* n = lineText.c_str();
                out.print(kBackFile, row, b, n, back.r1, back.d1);
                appendf(text, kBackText, row, b, n, back.r1, back.d1);
                readingRow(job, row, b, n, "Rb", back.r1, back.d1);
                out.print(kForeFile, row + 1, f, n, fore.r1, fore.d1);
                appendf(text, kForeText, row + 1, f, n, fore.r1, fore.d1);
                readingRow(job, row + 1, f, n, "Rf", fore.r1, fore.d1);
                out.print(kForeFile, row + 2, f, n, fore.r2, fore.d2);
                appendf(text, kForeText, row + 2, f, n, fore.r2, fore.d2);
                readingRow(job, row + 2, f, n, "Rf", fore.r2, fore.d2);
                out.print(kBackFile, row + 3, b, n, back.r2, back.d2);
                appendf(text, kBackText, row + 3, b, n, back.r2, back.d2);
                readingRow(job, row + 3, b, n, "Rb", back.r2, back.d2);
                row += 4;
                rows += 4;
            }
            out.print(kHeightFile, row, foreName.c_str(), lineText.c_str(), S * 0.5);
            appendf(text, kHeightText, row, foreName.c_str(), lineText.c_str(), S * 0.5);
            addLevelRow(job.result,
                        {strf("%d", row), foreName, "", lineText, "", "", "", "", "Z", strf("%.5f", S * 0.5)});
            ++row;
            ++rows;
            ++setups;
            Rb = Rf = 0;
        }
        return matched;
    });

    const char* f = foreName.c_str();
    const char* n = lineText.c_str();
    out.print(kSumFile, row, f, n, S * 0.5, S * (-0.5), 0.0);
    appendf(text, kSumText, row, f, n, S * 0.5, S * (-0.5), 0.0);
    addLevelRow(job.result, {strf("%d", row), f, "", n, "Sh", strf("%.5f", S * 0.5), "dz", strf("%.5f", S * (-0.5)),
                             "Z", strf("%.5f", 0.0)});
    out.print(kDistFile, row + 1, f, setups, n, backSum, foreSum, S * 0.5);
    appendf(text, kDistText, row + 1, f, setups, n, backSum, foreSum, S * 0.5);
    addLevelRow(job.result, {strf("%d", row + 1), f, strf("%d", setups), n, "Db", strf("%.3f", backSum), "Df",
                             strf("%.3f", foreSum), "Z", strf("%.5f", S * 0.5)});
    out.print(kEndFile, row + 2, n);
    appendf(text, kEndText, row + 2, n);
    addLevelRow(job.result, {strf("%d", row + 2), "End-Line", "", n});
    job.result.rowsWritten = rows + 3;
}

}  // namespace tervan
