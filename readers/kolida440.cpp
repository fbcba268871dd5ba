#include "readers/kolida440.h"

#include <array>

#include "core/numbers.h"
#include "core/text.h"

namespace tervan {
namespace {

// Kolida 440 record fields: columns 0-3, 4-19, 20-35, 36-51, 52-65, 66-81,
// each trimmed and "#" names renumbered, numbers included.
std::array<std::string, 6> cut440(std::string_view line) {
    static constexpr std::array<std::size_t, 7> kStart = {0, 4, 20, 36, 52, 66, 82};
    std::array<std::string, 6> f;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (kStart[i] >= line.size()) break;
        f[i] = normaliseName(line.substr(kStart[i], kStart[i + 1] - kStart[i]));
    }
    return f;
}

// The code of an 08TP record: the field after the height, taken as it
// stands (only trimmed), where the names have "#" renumbered.
std::string code440(std::string_view line) {
    constexpr std::size_t kCode = 66, kEnd = 82;
    return line.size() > kCode ? std::string(trimBlanks(line.substr(kCode, kEnd - kCode))) : std::string();
}

// A point stays pending until a record of another point, a station set-up
// or the end of the file: its 09F1 observation and 08TP coordinates merge.
struct Kolida440State {
    std::string station = "#0";
    std::string name;
    std::string code;  // of its 08TP record
    double H = 0, V = 0, SD = 0, X = 0, Y = 0, Z = 0;
    double IH = 0, TH = 0;
    bool stationMark = false;
};

void endPending(Kolida440State& s, ReaderContext& ctx) {
    if (s.name.empty()) return;
    appendRecord(ctx, {.isStation = s.stationMark,
                       .SN = s.station,
                       .N = s.name,
                       .code = s.code,
                       .X = s.X,
                       .Y = s.Y,
                       .Z = s.Z,
                       .IH = s.IH,
                       .TH = s.TH,
                       .V = s.V,
                       .H = s.H,
                       .SD = s.SD});
}

void stationSetUp(Kolida440State& s, const std::array<std::string, 6>& f, ReaderContext& ctx) {
    if (s.name != f[1]) {
        endPending(s, ctx);
        s.name.clear();
        s.code.clear();
        s.H = s.V = s.SD = 0;
        s.stationMark = false;
    }
    s.X = toNumber(f[2]);
    s.Y = toNumber(f[3]);
    s.Z = toNumber(f[4]);
    if (!f[1].empty()) {
        if (s.name == f[1]) {
            endPending(s, ctx);
        } else {
            appendRecord(ctx, {.isStation = false,
                               .SN = "    #0",
                               .N = f[1],
                               .X = s.X,
                               .Y = s.Y,
                               .Z = s.Z,
                               .IH = s.IH,
                               .TH = s.TH});
        }
        s.name.clear();
        s.code.clear();
        s.H = s.V = s.SD = s.X = s.Y = s.Z = 0;
    }
    if (!f[5].empty()) s.IH = toNumber(f[5]);
}

}  // namespace

void readKolida440(Input& input, ReaderContext& ctx) {
    Kolida440State s;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        const auto f = cut440(line);
        const std::string& code = f[0];
        if (code == "03NM") {
            // "0.000" is the one way to write a target height of 0; any other
            // text that reads as 0 leaves the height alone.
            if (f[1] == "0.000") {
                s.TH = 0;
            } else if (double th = toNumber(f[1]); th != 0) {
                s.TH = th;
            }
        } else if (code == "09F1") {
            if (s.name != f[2]) {
                endPending(s, ctx);
                s.code.clear();
                s.X = s.Y = s.Z = 0;
                s.stationMark = false;
            }
            if (s.station != f[1]) s.stationMark = true;
            s.station = f[1];
            s.name = f[2];
            s.H = toNumber(f[3]);
            s.V = toNumber(f[4]);
            s.SD = toNumber(f[5]);
        } else if (code == "08TP") {
            if (s.name != f[1]) {
                endPending(s, ctx);
                s.H = s.V = s.SD = 0;
                s.stationMark = false;
            }
            s.name = f[1];
            s.code = code440(line);
            s.X = toNumber(f[2]);
            s.Y = toNumber(f[3]);
            s.Z = toNumber(f[4]);
        } else if (code == "02TP") {
            stationSetUp(s, f, ctx);
        } else {
            return false;
        }
        return true;
    });
    endPending(s, ctx);
}

}  // namespace tervan
