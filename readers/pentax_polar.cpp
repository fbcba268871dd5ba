#include "readers/pentax_polar.h"

#include <array>

#include "core/numbers.h"
#include "core/text.h"
#include "readers/line_shapes.h"

namespace tervan {
namespace {

// A point is complete only when the next PPD or STS line (or the end of the
// file) arrives, so its observations are held here until then.
struct PolarState {
    std::string station = "0000";
    std::string name = "0000";
    double H = 0, V = 0, SD = 0;
    double IH = 0, TH = 0;  // kept across points and stations until set again
    bool stationMark = false;
};

// A point without any observation is not appended, and then keeps its
// values for the point after it.
void endPending(PolarState& s, ReaderContext& ctx) {
    if (s.name.empty() || (s.H == 0 && s.V == 0 && s.SD == 0)) return;
    appendRecord(ctx, {.isStation = s.stationMark,
                       .SN = s.station,
                       .N = s.name,
                       .IH = s.IH,
                       .TH = s.TH,
                       .V = s.V,
                       .H = s.H,
                       .SD = s.SD});
    s.H = s.V = s.SD = 0;
    s.stationMark = false;
}

void readPolar(Input& input, ReaderContext& ctx, std::string_view separators) {
    PolarState s;
    std::array<std::string_view, 2> f;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        splitFields(line, separators, f);
        const std::string_view tag = f[0];
        if (tag == "PPD") {
            endPending(s, ctx);
            s.name = f[1];
        } else if (tag == "STS") {
            endPending(s, ctx);
            s.station = f[1];
            s.stationMark = true;
        } else if (tag == "INH") {
            s.IH = toNumber(f[1]);
        } else if (tag == "PFH") {
            s.TH = toNumber(f[1]);
        } else if (tag == "RTH") {
            s.H = toNumber(f[1]);
        } else if (tag == "RTV") {
            s.V = toNumber(f[1]);
        } else if (tag == "RTD") {
            s.SD = toNumber(f[1]);
        } else {
            return false;
        }
        return true;
    });
    endPending(s, ctx);
}

}  // namespace

// The 200 layout splits at "*" too (PPD*5 is tag and value); in the 300
// layout "*" belongs to the text.
void readPentax200Polar(Input& input, ReaderContext& ctx) { readPolar(input, ctx, kSeparators); }

void readPentax300Polar(Input& input, ReaderContext& ctx) { readPolar(input, ctx, kSeparatorsNoStar); }

bool isPentax200PolarLine(std::string_view l) { return hasFields(l, kSeparators, "aa", 1); }

bool isPentax300PolarLine(std::string_view l) { return hasFields(l, kSeparatorsNoStar, "aa", 1); }

}  // namespace tervan
