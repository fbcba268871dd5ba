#include "readers/pentax.h"

#include <array>

#include "core/numbers.h"
#include "core/text.h"

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
    appendPoint(ctx.store, {.isStation = s.stationMark,
                            .SN = s.station,
                            .N = s.name,
                            .X = 0,
                            .Y = 0,
                            .Z = 0,
                            .IH = s.IH,
                            .TH = s.TH,
                            .V = s.V,
                            .H = s.H,
                            .SD = s.SD,
                            .Om = ctx.store.orientation});
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

// nameField: the field of the point name; X, Y and Z follow it.
void readCoordinates(Input& input, ReaderContext& ctx, std::string_view separators, std::size_t nameField) {
    std::array<std::string_view, 5> f;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        splitFields(line, separators, f);
        const std::string_view name = f[nameField];
        double X = toNumber(f[nameField + 1]), Y = toNumber(f[nameField + 2]), Z = toNumber(f[nameField + 3]);
        if (name.empty() || (X == 0 && Y == 0 && Z == 0)) return false;
        const std::string N(name);
        appendPoint(ctx.store, {.isStation = false,
                                .SN = "    #0",
                                .N = N,
                                .X = X,
                                .Y = Y,
                                .Z = Z,
                                .IH = 0,
                                .TH = 0,
                                .V = 0,
                                .H = 0,
                                .SD = 0,
                                .Om = ctx.store.orientation});
        return true;
    });
}

}  // namespace

// The 200 layouts split at "*" too (PPD*5 is tag and value); in the 300
// layouts "*" belongs to the text.
void readPentax200Polar(Input& input, ReaderContext& ctx) { readPolar(input, ctx, kSeparators); }

void readPentax300Polar(Input& input, ReaderContext& ctx) { readPolar(input, ctx, kSeparatorsNoStar); }

// 200: sequence number, name, X, Y, Z. 300: name, X, Y, Z.
void readPentax200Coordinate(Input& input, ReaderContext& ctx) { readCoordinates(input, ctx, kSeparators, 1); }

void readPentax300Coordinate(Input& input, ReaderContext& ctx) { readCoordinates(input, ctx, kSeparatorsNoStar, 0); }

}  // namespace tervan
