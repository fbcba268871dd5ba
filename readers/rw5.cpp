#include "readers/rw5.h"

#include <array>
#include <cmath>
#include <numbers>

#include "core/numbers.h"
#include "readers/setup.h"

namespace tervan {
namespace {

constexpr std::size_t kMostFields = 12;

// The fields of a record by their codes; a note ("--") is the rest of the
// line, commas and all.
class Record {
public:
    explicit Record(std::string_view line) {
        splitCommas(line, fields_);
        const std::size_t note = line.find(",--");
        if (note != std::string_view::npos) note_ = line.substr(note + 3);
    }
    std::string_view type() const { return fields_[0]; }
    // The value of the field headed by code (two characters; "N " and "E "
    // may also be written without their blank); empty when there is none.
    std::string_view get(std::string_view code) const {
        for (std::size_t i = 1; i < fields_.size(); ++i) {
            const std::string_view f = fields_[i];
            if (f.starts_with("--")) break;
            if (f.size() >= 2 && f.substr(0, 2) == code) return f.substr(2);
            if (code[1] == ' ' && f.size() > 1 && f[0] == code[0] && isValueStart(f[1])) return f.substr(1);
        }
        return {};
    }
    bool has(std::string_view code) const { return !get(code).empty(); }
    std::string_view note() const { return note_; }

private:
    static bool isValueStart(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.'; }

    std::array<std::string_view, kMostFields> fields_;
    std::string_view note_;
};

// The mode record's units: UN0 feet, UN1 metres, UN2 US survey feet; AD1
// azimuths from the south. Angles are ddd.mmss.
struct Units {
    double length = kMetresPerFoot;
    bool south = false;
};

double length(const Record& r, std::string_view code, const Units& u) { return toNumber(r.get(code)) * u.length; }
double angle(const Record& r, std::string_view code) { return gonFromDms(toNumber(r.get(code))); }

// OP, FP and the angles and distance of a shot: a direction AR (or an
// azimuth AZ), a zenith angle ZE (or a vertical angle VA from the
// horizon) and a slope distance SD, or a horizontal distance HD and a
// height difference VD.
bool readShot(ReaderContext& ctx, SetUp& s, const Record& r, const Units& u) {
    const std::string_view name = r.get("FP");
    if (name.empty()) return false;
    const std::string_view station = r.get("OP");
    if (!station.empty() && station != s.station) openStation(ctx, s, station, s.IH);
    double H = angle(r, "AR");
    if (!r.has("AR") && r.has("AZ")) H = angle(r, "AZ") + (u.south ? 200 : 0) + s.givenOm;
    double V = r.has("VA") && !r.has("ZE") ? 100 - angle(r, "VA") : angle(r, "ZE");
    double SD = length(r, "SD", u);
    if (!r.has("SD") && r.has("HD")) {
        const double HD = length(r, "HD", u), VD = length(r, "VD", u);
        SD = std::hypot(HD, VD);
        V = std::atan2(HD, VD) * 200 / std::numbers::pi;
    }
    appendShot(ctx, s, {.name = name, .H = H, .V = V, .SD = SD, .code = r.note()});
    return true;
}

}  // namespace

void readRw5(Input& input, ReaderContext& ctx) {
    Units u;
    SetUp s;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        const Record r(line);
        const std::string_view type = r.type();
        if (type.starts_with("--") || type == "JB") return true;
        if (type == "MO") {
            const std::string_view unit = r.get("UN");
            u.length = unit == "1" ? 1.0 : unit == "2" ? kMetresPerUsFoot : kMetresPerFoot;
            u.south = r.get("AD") == "1";
        } else if (type == "SP") {
            const std::string_view name = r.get("PN");
            if (name.empty()) return false;
            appendShot(ctx, s,
                       {.name = name,
                        .X = length(r, "N ", u),
                        .Y = length(r, "E ", u),
                        .Z = length(r, "EL", u),
                        .code = r.note()});
        } else if (type == "OC") {
            const std::string_view station = r.get("OP");
            if (station.empty()) return false;
            openStation(ctx, s, station, s.IH, length(r, "N ", u), length(r, "E ", u), length(r, "EL", u));
        } else if (type == "BK") {
            // BS the backsight's azimuth, BC the circle reading to it.
            orientStation(s, angle(r, "BC"), angle(r, "BS") + (u.south ? 200 : 0));
        } else if (type == "LS") {
            if (r.has("HI")) s.IH = length(r, "HI", u);
            if (r.has("HR")) s.TH = length(r, "HR", u);
        } else if (type == "SS" || type == "TR" || type == "BD" || type == "BR" || type == "FD" || type == "FR") {
            return readShot(ctx, s, r, u);
        } else {
            return false;
        }
        return true;
    });
    if (ctx.store.points.empty()) return;
    noteConversion(ctx, kDmsConverted);
    if (u.length == kMetresPerFoot) noteConversion(ctx, kFeetConverted);
    if (u.length == kMetresPerUsFoot) noteConversion(ctx, kUsFeetConverted);
    if (u.south) noteConversion(ctx, kSouthConverted);
}

}  // namespace tervan
