#include "readers/gts7.h"

#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "readers/units.h"

namespace tervan {
namespace {

constexpr const char* kNoStation = "#0";
constexpr std::size_t kMostFields = 4;

// The lines of the job's header, read and passed over.
constexpr std::string_view kHeader[] = {"JOB", "INST", "SCALE", "DATE", "TEMP"};

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// What XYZ gives coordinates to: the line before it said.
enum class Subject { None, Station, Backsight, Shot };

struct Shot {
    std::string name;
    std::string code;  // the point code; the record has no field for it yet
    std::optional<double> H, V, SD, X, Y, Z;
};

class Gts7Reader {
public:
    explicit Gts7Reader(ReaderContext& ctx) : ctx_(ctx) {}

    bool line(std::string_view l) {
        const std::size_t blank = std::min(l.find_first_of(" \t"), l.size());
        const std::string_view key = l.substr(0, blank);
        std::array<std::string_view, kMostFields> f{};
        std::string_view rest = trimmed(l.substr(blank));
        for (std::size_t i = 0; i < f.size() && !rest.empty(); ++i) {
            const std::size_t comma = std::min(rest.find(','), rest.size());
            f[i] = trimmed(rest.substr(0, comma));
            rest = rest.substr(std::min(comma + 1, rest.size()));
        }
        for (std::string_view h : kHeader)
            if (key == h) return true;
        if (key == "UNITS") return units(f[0], f[1]);
        if (key == "STN") {
            flush();
            station_ = std::string(f[0]);
            if (auto ih = length(f[1])) IH_ = *ih;
            stationMark_ = true;
            oriented_ = false;
            subject_ = Subject::Station;
            return true;
        }
        if (key == "XYZ") return coordinates(f);
        if (key == "BKB") {
            // The backsight's azimuth and the circle reading set on it give
            // the station's orientation.
            flush();
            backsightName_ = std::string(f[0]);
            const auto azimuth = angle(f[1]), reading = angle(f[2]);
            if (azimuth && reading) {
                givenOm_ = *reading - *azimuth;
                oriented_ = true;
            }
            subject_ = Subject::Backsight;
            return true;
        }
        if (key == "BS" || key == "SS" || key == "FS") {
            flush();
            shot_ = Shot{.name = std::string(f[0]), .code = std::string(f[2])};
            if (auto th = length(f[1])) TH_ = *th;
            subject_ = Subject::Shot;
            return true;
        }
        if (!shot_) return false;
        if (key == "SD") {
            shot_->H = angle(f[0]);
            shot_->V = angle(f[1]);
            shot_->SD = length(f[2]);
            return true;
        }
        if (key == "HV") {
            shot_->H = angle(f[0]);
            shot_->V = angle(f[1]);
            return true;
        }
        if (key == "HD") {
            // Horizontal angle, horizontal distance and height difference.
            shot_->H = angle(f[0]);
            const auto HD = length(f[1]), VD = length(f[2]);
            if (HD) {
                const double dZ = VD.value_or(0);
                shot_->SD = std::hypot(*HD, dZ);
                shot_->V = std::atan2(*HD, dZ) * 200 / std::numbers::pi;
            }
            return true;
        }
        return false;
    }

    // A shot is appended when it has an observation or coordinates.
    void flush() {
        if (!shot_) return;
        const Shot& s = *shot_;
        if (s.H || s.V || s.SD || s.X || s.Y || s.Z) {
            appendPoint(ctx_.store, {.isStation = stationMark_,
                                     .hasGivenOm = oriented_,
                                     .SN = station_,
                                     .N = s.name,
                                     .X = s.X.value_or(0),
                                     .Y = s.Y.value_or(0),
                                     .Z = s.Z.value_or(0),
                                     .IH = IH_,
                                     .TH = TH_,
                                     .V = s.V.value_or(0),
                                     .H = s.H.value_or(0),
                                     .SD = s.SD.value_or(0),
                                     .Om = ctx_.store.orientation,
                                     .givenOm = oriented_ ? givenOm_ : 0});
            stationMark_ = false;
        }
        shot_.reset();
    }

private:
    // Distance unit M (metres) or F (feet); angle unit D (DDD.MMSS), G
    // (gon) or M (mils).
    bool units(std::string_view distance, std::string_view angle) {
        if (distance == "M")
            metresPerUnit_ = 1.0;
        else if (distance == "F")
            metresPerUnit_ = kMetresPerFoot;
        else
            return false;
        if (angle == "D")
            angleUnit_ = AngleUnit::Dms;
        else if (angle == "G")
            angleUnit_ = AngleUnit::Gon;
        else if (angle == "M")
            angleUnit_ = AngleUnit::Mils;
        else
            return false;
        return true;
    }

    std::optional<double> angle(std::string_view text) const { return angleToGon(text, angleUnit_); }
    std::optional<double> length(std::string_view text) const { return lengthToMetres(text, metresPerUnit_); }

    bool coordinates(const std::array<std::string_view, kMostFields>& f) {
        const auto X = length(f[0]), Y = length(f[1]), Z = length(f[2]);
        if (!X && !Y && !Z) return false;
        switch (subject_) {
            case Subject::Station: appendKnown(station_, X, Y, Z, true); break;
            case Subject::Backsight: appendKnown(backsightName_, X, Y, Z, false); break;
            case Subject::Shot:
                shot_->X = X;
                shot_->Y = Y;
                shot_->Z = Z;
                break;
            case Subject::None: return false;
        }
        subject_ = Subject::None;
        return true;
    }

    // The coordinates of a station, or of its backsight, given with the
    // set-up: a record of their own, outside the station's observations. A
    // station set up again at the same place is appended once.
    void appendKnown(const std::string& name, std::optional<double> X, std::optional<double> Y, std::optional<double> Z,
                     bool station) {
        const std::array<double, 3> at = {X.value_or(0), Y.value_or(0), Z.value_or(0)};
        if (station) {
            if (name == lastStationName_ && at == lastStation_) return;
            lastStationName_ = name;
            lastStation_ = at;
        }
        appendPoint(ctx_.store, {.isStation = false,
                                 .SN = kNoStation,
                                 .N = name,
                                 .X = at[0],
                                 .Y = at[1],
                                 .Z = at[2],
                                 .IH = station ? IH_ : 0,
                                 .TH = 0,
                                 .V = 0,
                                 .H = 0,
                                 .SD = 0,
                                 .Om = ctx_.store.orientation});
    }

    ReaderContext& ctx_;
    AngleUnit angleUnit_ = AngleUnit::Dms;
    double metresPerUnit_ = 1.0;
    Subject subject_ = Subject::None;
    std::optional<Shot> shot_;
    std::string backsightName_;
    // Carried from record to record, as in the GSI reader.
    std::string station_ = kNoStation;
    bool stationMark_ = true;
    bool oriented_ = false;
    double givenOm_ = 0;
    double IH_ = 0, TH_ = 0;
    std::string lastStationName_;
    std::array<double, 3> lastStation_{};
};

}  // namespace

void readGts7(Input& input, ReaderContext& ctx) {
    Gts7Reader reader(ctx);
    forEachLine(input, ctx.result, [&](std::string_view line) { return reader.line(line); });
    reader.flush();
}

}  // namespace tervan
