#include "readers/gts7.h"

#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "readers/setup.h"
#include "readers/units.h"

namespace tervan {
namespace {

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

struct Sighting {
    std::string name;
    std::string code;  // the point code
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
            openStation(ctx_, s_, f[0], length(f[1]).value_or(0));
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
            if (azimuth && reading) orientStation(s_, *reading, *azimuth);
            subject_ = Subject::Backsight;
            return true;
        }
        if (key == "BS" || key == "SS" || key == "FS") {
            flush();
            shot_ = Sighting{.name = std::string(f[0]), .code = std::string(f[2])};
            if (auto th = length(f[1])) s_.TH = *th;
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
        const Sighting& t = *shot_;
        if (t.H || t.V || t.SD || t.X || t.Y || t.Z)
            appendShot(ctx_, s_,
                       {.name = t.name,
                        .H = t.H.value_or(0),
                        .V = t.V.value_or(0),
                        .SD = t.SD.value_or(0),
                        .X = t.X.value_or(0),
                        .Y = t.Y.value_or(0),
                        .Z = t.Z.value_or(0),
                        .code = t.code});
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
            case Subject::Station: {
                const std::string station = s_.station;
                openStation(ctx_, s_, station, s_.IH, X.value_or(0), Y.value_or(0), Z.value_or(0));
                break;
            }
            case Subject::Backsight:
                // The backsight's coordinates, given with the set-up: a record
                // of their own, outside the station's observations.
                appendRecord(ctx_, {.SN = kNoStation,
                                    .N = backsightName_,
                                    .X = X.value_or(0),
                                    .Y = Y.value_or(0),
                                    .Z = Z.value_or(0)});
                break;
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

    ReaderContext& ctx_;
    AngleUnit angleUnit_ = AngleUnit::Dms;
    double metresPerUnit_ = 1.0;
    Subject subject_ = Subject::None;
    std::optional<Sighting> shot_;
    std::string backsightName_;
    SetUp s_;
};

}  // namespace

void readGts7(Input& input, ReaderContext& ctx) {
    Gts7Reader reader(ctx);
    forEachLine(input, ctx.result, [&](std::string_view line) { return reader.line(line); });
    reader.flush();
}

}  // namespace tervan
