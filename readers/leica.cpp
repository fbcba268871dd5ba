#include "readers/leica.h"

#include <array>
#include <cmath>

#include "core/numbers.h"
#include "core/text.h"

namespace tervan {

// Fields: name, H, V, SD, TH, IH, Y, X, Z. The file has no station records:
// a change of instrument height, or a line without coordinates, starts a new
// station.
int readLeica1200(const std::string& path, ReaderContext& ctx) {
    LineReader reader;
    if (!reader.open(path)) return 1;
    struct {
        bool stationMark = false;
        double previousIH = 0;
    } state;
    std::string line;
    std::array<std::string_view, 9> f;
    while (!reader.eof()) {
        // The empty read after a final line feed could only move the station
        // mark, which nothing follows to carry it, so it is not counted.
        if (reader.read(line) == -1 && line.empty()) break;
        ++ctx.stats.linesRead;
        splitFields(line, kListSeparators, f);
        double H = toNumber(f[1]), V = toNumber(f[2]), SD = toNumber(f[3]);
        double TH = toNumber(f[4]), IH = toNumber(f[5]);
        double Y = toNumber(f[6]), X = toNumber(f[7]), Z = toNumber(f[8]);
        // Every line counts here, also the ones skipped below.
        if (std::fabs(IH - state.previousIH) > 0.001) state.stationMark = true;
        state.previousIH = IH;
        if (H == 0 && V == 0 && SD == 0 && X == 0 && Y == 0 && Z == 0) {
            ++ctx.stats.linesIgnored;
            continue;
        }
        if (X == 0 && Y == 0 && Z == 0) state.stationMark = true;
        if (f[0].empty()) {
            ++ctx.stats.linesIgnored;
            continue;
        }
        appendPoint(ctx.store, {.isStation = state.stationMark ? 1 : 0,
                                .faceTwo = 0,
                                .SN = "    #0",
                                .N = std::string(f[0]),
                                .X = X,
                                .Y = Y,
                                .Z = Z,
                                .IH = IH,
                                .TH = TH,
                                .V = V,
                                .H = H,
                                .SD = SD,
                                .Om = ctx.store.orientation});
        state.stationMark = false;
    }
    return 0;
}

}  // namespace tervan
