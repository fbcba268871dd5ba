#include "readers/leica.h"

#include <array>
#include <cmath>

#include "core/numbers.h"
#include "core/text.h"
#include "readers/line_shapes.h"

namespace tervan {

// Fields: name, H, V, SD, TH, IH, Y, X, Z. The file has no station records:
// a change of instrument height, or a line without coordinates, starts a new
// station.
void readLeica1200(Input& input, ReaderContext& ctx) {
    struct {
        bool stationMark = false;
        double previousIH = 0;
    } state;
    std::array<std::string_view, 9> f;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        splitFields(line, kListSeparators, f);
        double H = toNumber(f[1]), V = toNumber(f[2]), SD = toNumber(f[3]);
        double TH = toNumber(f[4]), IH = toNumber(f[5]);
        double Y = toNumber(f[6]), X = toNumber(f[7]), Z = toNumber(f[8]);
        // Every line counts here, also the ones skipped below.
        if (std::fabs(IH - state.previousIH) > 0.001) state.stationMark = true;
        state.previousIH = IH;
        if (H == 0 && V == 0 && SD == 0 && X == 0 && Y == 0 && Z == 0) return false;
        if (X == 0 && Y == 0 && Z == 0) state.stationMark = true;
        if (f[0].empty()) return false;
        const std::string name(f[0]);
        appendRecord(ctx, {.isStation = state.stationMark,
                           .SN = "    #0",
                           .N = name,
                           .X = X,
                           .Y = Y,
                           .Z = Z,
                           .IH = IH,
                           .TH = TH,
                           .V = V,
                           .H = H,
                           .SD = SD});
        state.stationMark = false;
        return true;
    });
}

bool isLeicaLine(std::string_view l) { return hasFields(l, kListSeparators, "annnnnnnn"); }

}  // namespace tervan
