#include "readers/coordlist.h"

#include <array>

#include "core/numbers.h"
#include "core/text.h"
#include "readers/line_shapes.h"

namespace tervan {
namespace {

// Fields: name, X, Y, Z (Y, X, Z for nyxz), then optionally station name,
// instrument height, target height and "*" for a second-face copy.
void readCoordinateList(Input& input, ReaderContext& ctx, bool yFirst) {
    struct {
        std::string station = "#0";
        std::string name;
        double IH = 0, TH = 0;
        bool stationMark = true;  // the first point opens a station
    } s;
    std::array<std::string_view, 8> f;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        splitFields(line, kListSeparators, f);
        double X = toNumber(f[1]), Y = toNumber(f[2]), Z = toNumber(f[3]);
        if (yFirst) std::swap(X, Y);
        if (!f[4].empty()) {
            if (f[4] != s.station) s.stationMark = true;
            s.station = f[4];
            s.IH = toNumber(f[5]);
            s.TH = toNumber(f[6]);
        }
        if (f[0].empty()) return false;
        s.name = f[0];
        Point p{.isStation = s.stationMark,
                .SN = s.station,
                .N = s.name,
                .X = X,
                .Y = Y,
                .Z = Z,
                .IH = s.IH,
                .TH = s.TH};
        s.stationMark = false;
        if (f[7] == "*") {
            Point second = p;
            second.isStation = false;
            second.faceTwo = true;
            appendRecord(ctx, p);
            appendRecord(ctx, second);
        } else {
            appendRecord(ctx, p);
        }
        return true;
    });
}

}  // namespace

void readNxyz(Input& input, ReaderContext& ctx) { readCoordinateList(input, ctx, false); }

void readNyxz(Input& input, ReaderContext& ctx) { readCoordinateList(input, ctx, true); }

// Fields: number, class, X, Y, class, height. The header lines fall out by
// themselves: the first two carry no coordinates, and the third is a record
// named 1970, which is therefore never read as a point.
void readKor(Input& input, ReaderContext& ctx) {
    std::array<std::string_view, 6> f;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        splitFields(line, kListSeparators, f);
        double X = toNumber(f[2]), Y = toNumber(f[3]), Z = toNumber(f[5]);
        if (f[0].empty() || f[0] == "1970" || (X == 0 && Y == 0 && Z == 0)) return false;
        const std::string name(f[0]);
        appendRecord(ctx, {.isStation = false,
                           .SN = "    #0",
                           .N = name,
                           .X = X,
                           .Y = Y,
                           .Z = Z});
        return true;
    });
}

bool isCoordinateListLine(std::string_view l) {
    return hasFields(l, kListSeparators, "annn") || hasFields(l, kListSeparators, "annnann*", 7);
}

bool isKorLine(std::string_view l) { return hasFields(l, kListSeparators, "ainninnnnn", 6); }

}  // namespace tervan
