#include "readers/nikon.h"

#include <array>

#include "core/numbers.h"
#include "readers/setup.h"

namespace tervan {
namespace {

// What the header's comments declare; without them, metres, degrees, the
// zenith, north and NEZ.
struct Units {
    double angle = kGonPerDegree;  // gon per unit of the file's angles
    bool dms = false;              // angles written ddd.mmss
    double length = 1;             // metres per unit of its lengths
    bool enz = false;              // coordinates given easting first
    bool fromHorizon = false;      // vertical angles from the horizon
    bool south = false;            // azimuths counted from the south
};

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// "CO,Angle Units: Gons": a header comment sets a unit; any other comment
// is only read.
void readComment(std::string_view text, Units& u) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return;
    const std::string_view key = text.substr(0, colon);
    const std::string_view value = text.substr(colon + 1);
    if (key == "Angle Units") {
        u.dms = contains(value, "DDDMMSS") || contains(value, "DMS");
        u.angle = contains(value, "Gon") ? 1.0 : contains(value, "Mil") ? kGonPerMil : kGonPerDegree;
    } else if (key == "Dist Units") {
        u.length = contains(value, "US") ? kMetresPerUsFoot : contains(value, "Feet") ? kMetresPerFoot : 1.0;
    } else if (key == "Coord Order") {
        u.enz = contains(value, "ENZ") || contains(value, "YXZ");
    } else if (key == "Zero VA") {
        u.fromHorizon = contains(value, "Horizon");
    } else if (key == "Zero azimuth") {
        u.south = contains(value, "South");
    }
}

double angle(std::string_view text, const Units& u) {
    const double value = toNumber(text);
    return u.dms ? gonFromDms(value) : value * u.angle;
}

double length(std::string_view text, const Units& u) { return toNumber(text) * u.length; }

// A shot: target height, SD, HA, VA, in the record's fields from first on.
void shot(ReaderContext& ctx, SetUp& s, std::string_view name, const std::string_view* f, const Units& u,
          std::string_view code = {}) {
    s.TH = length(f[0], u);
    double V = angle(f[3], u);
    if (u.fromHorizon) V = 100 - V;
    appendShot(ctx, s, {.name = name, .H = angle(f[2], u), .V = V, .SD = length(f[1], u), .code = code});
}

}  // namespace

void readNikonRaw(Input& input, ReaderContext& ctx) {
    Units u;
    SetUp s;
    std::string backsight;  // the station's backsight point, for an F1 record without one
    std::array<std::string_view, 9> f;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        splitCommas(line, f);
        const std::string_view type = f[0];
        if (type == "CO") {
            // A comment's text may hold commas: it is the rest of the line.
            readComment(line.size() > 3 ? line.substr(3) : std::string_view(), u);
        } else if (type == "UP" || type == "MP" || type == "CC" || type == "RE") {
            // type, point, point ID, northing, easting, elevation, code
            double X = length(f[3], u), Y = length(f[4], u);
            if (u.enz) std::swap(X, Y);
            if (f[1].empty()) return false;
            appendShot(ctx, s, {.name = f[1], .X = X, .Y = Y, .Z = length(f[5], u), .code = f[6]});
        } else if (type == "ST") {
            // station, station ID, backsight, backsight ID, IH, backsight
            // azimuth, backsight horizontal angle
            if (f[1].empty()) return false;
            openStation(ctx, s, f[1], length(f[5], u));
            backsight = f[3];
            if (!f[6].empty()) orientStation(s, angle(f[7], u), angle(f[6], u) + (u.south ? 200 : 0));
        } else if (type == "F1" || type == "F2") {
            // point, target height, SD, HA, VA, time
            const std::string_view name = f[1].empty() ? std::string_view(backsight) : f[1];
            if (!name.empty()) shot(ctx, s, name, &f[2], u);
        } else if (type == "SS") {
            // point, target height, SD, HA, VA, time, code
            if (f[1].empty()) return false;
            shot(ctx, s, f[1], &f[2], u, f[7]);
        } else if (type == "CP" || type == "SO") {
            // point, point ID (SO: the point staked), target height, SD, HA,
            // VA, time, code
            if (f[1].empty()) return false;
            shot(ctx, s, f[1], &f[3], u, type == "CP" ? f[8] : std::string_view());
        } else {
            return false;
        }
        return true;
    });
    if (ctx.store.points.empty()) return;
    if (u.dms) noteConversion(ctx, kDmsConverted);
    if (!u.dms && u.angle == kGonPerDegree) noteConversion(ctx, kDegreesConverted);
    if (!u.dms && u.angle == kGonPerMil) noteConversion(ctx, kMilsConverted);
    if (u.length == kMetresPerFoot) noteConversion(ctx, kFeetConverted);
    if (u.length == kMetresPerUsFoot) noteConversion(ctx, kUsFeetConverted);
    if (u.fromHorizon) noteConversion(ctx, kHorizonConverted);
    if (u.south) noteConversion(ctx, kSouthConverted);
}

}  // namespace tervan
