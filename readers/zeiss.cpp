#include "readers/zeiss.h"

#include <array>

#include "core/numbers.h"
#include "core/text.h"

namespace tervan {
namespace {

// Field f covers columns kStart[f] to kStart[f + 1] - 1; column 78 on is
// never looked at.
constexpr std::array<std::size_t, 13> kStart = {0, 7, 15, 19, 23, 27, 34, 38, 50, 53, 66, 69, 78};

// Leading spaces are dropped in every field but field 2, whose spaces are
// part of a joined name; trailing spaces always stay, so a label must end in
// the last column of its field.
std::array<std::string_view, 12> cutFields(std::string_view line) {
    std::array<std::string_view, 12> f;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (kStart[i] >= line.size()) break;
        std::string_view field = line.substr(kStart[i], kStart[i + 1] - kStart[i]);
        if (i != 2) {
            std::size_t first = field.find_first_not_of(' ');
            field = first == std::string_view::npos ? std::string_view() : field.substr(first);
        }
        f[i] = field;
    }
    return f;
}

// The parts joined, right-aligned in six characters.
std::string sixCharName(std::string_view a, std::string_view b = {}, std::string_view c = {}) {
    std::string joined(a);
    joined.append(b).append(c);
    return rightAligned(joined, 6);
}

struct ZeissState {
    std::string station = "    #0";
    std::string observation, coordinate;
    std::string compactStation;
    double IH = 0, TH = 0, V = 0, H = 0, SD = 0, X = 0, Y = 0, Z = 0;
    double orientation = 0;  // from "Om": subtracted from H of station records, not stored as Om
    bool orientationGiven = false;  // an "Om" label was read
    bool stationMark = false;

    // The orientation an observation's H is read against, once the file has
    // stated one (orientationGiven): a station record's H has had it
    // subtracted already.
    double givenOm(bool stationRecord) const { return stationRecord ? 0.0 : orientation; }
};

void appendStation(ZeissState& s, ReaderContext& ctx) {
    s.H -= s.orientation;
    if (s.H < 0) s.H += 400;
    appendRecord(ctx, {.isStation = true,
                       .hasGivenOm = s.orientationGiven,
                       .SN = s.station,
                       .N = s.observation,
                       .IH = s.IH,
                       .TH = s.TH,
                       .V = s.V,
                       .H = s.H,
                       .SD = s.SD,
                       .givenOm = s.givenOm(true)});
    s.stationMark = false;
}

// A coordinate line: the point's observation and coordinates together when
// the last observation was of the same point, otherwise the coordinates
// alone (the other point's observation is dropped).
void appendCoordinates(ZeissState& s, ReaderContext& ctx) {
    const bool sameName = s.observation == s.coordinate;
    appendRecord(ctx, {.isStation = false,
                       .hasGivenOm = s.orientationGiven,
                       .SN = s.station,
                       .N = sameName ? s.observation : s.coordinate,
                       .X = s.X,
                       .Y = s.Y,
                       .Z = s.Z,
                       .IH = s.IH,
                       .TH = s.TH,
                       .V = sameName ? s.V : 0,
                       .H = sameName ? s.H : 0,
                       .SD = sameName ? s.SD : 0,
                       .givenOm = s.givenOm(false)});
    s.observation.clear();
    s.coordinate.clear();
    s.V = s.H = s.SD = s.X = s.Y = s.Z = 0;
}

// Returns whether the line matched any rule.
bool readLine(ZeissState& s, std::string_view line, ReaderContext& ctx) {
    const auto f = cutFields(line);
    if (f[5] == "S     ") {
        s.station = sixCharName(f[2], f[3], f[4]);
        s.stationMark = true;
        return true;
    }
    bool matched = false;
    if ((f[8] == "Hz" || f[6] == "X ") && s.stationMark) {
        appendStation(s, ctx);
        matched = true;
    }
    const double value1 = toNumber(f[7]), value2 = toNumber(f[9]), value3 = toNumber(f[11]);
    auto take = [&matched](bool labelled, double& target, double value) {
        if (!labelled) return;
        target = value;
        matched = true;
    };
    take(f[10] == "Z ", s.Z, value3);
    take(f[10] == "V1", s.V, value3);
    take(f[8] == "Y ", s.Y, value2);
    take(f[8] == "Hz", s.H, value2);
    take(f[8] == "ih", s.IH, value2);
    take(f[8] == "Om", s.orientation, value2);
    if (f[8] == "Om") s.orientationGiven = true;
    take(f[6] == "SD", s.SD, value1);

    if (const double compactIH = toNumber(f[2]); compactIH > 0) {
        if (!f[5].empty()) s.compactStation = sixCharName(f[5]);
        if (s.station != s.compactStation) s.stationMark = true;
        s.station = s.compactStation;
        s.observation = sixCharName(f[4]);
        s.H = value2;  // whatever its label
        s.IH = compactIH;
        if (!f[3].empty()) s.TH = toNumber(f[3]);
        appendRecord(ctx, {.isStation = s.stationMark,
                           .hasGivenOm = s.orientationGiven,
                           .SN = s.station,
                           .N = s.observation,
                           .IH = s.IH,
                           .TH = s.TH,
                           .V = s.V,
                           .H = s.H,
                           .SD = s.SD,
                           .givenOm = s.givenOm(false)});
        s.stationMark = false;
        return true;
    }
    if (f[8] == "Hz") s.observation = sixCharName(f[2], f[3], f[4]);
    if (f[6] == "X ") {
        s.X = value1;
        s.coordinate = sixCharName(f[2], f[3], f[4]);
        matched = true;
        if (f[5].empty()) appendCoordinates(s, ctx);
    }
    if (f[6] == "th") {
        s.TH = value1;
        matched = true;
        if (s.stationMark) appendStation(s, ctx);
    }
    return matched;
}

}  // namespace

void readZeiss3303(Input& input, ReaderContext& ctx) {
    ZeissState s;
    forEachLine(input, ctx.result, [&](std::string_view line) { return readLine(s, line, ctx); });
}

}  // namespace tervan
