#include "readers/geodimeter.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <string>

#include "core/numbers.h"
#include "readers/setup.h"
#include "readers/units.h"

namespace tervan {
namespace {

// The labels read. 24 and 25 are the first-face readings, which some
// instruments write instead of 7 and 8 (the second face, 17 and 18, repeats
// the same pointing and is not read).
enum Label {
    kStation = 2,
    kInstrumentHeight = 3,
    kCode = 4,
    kPoint = 5,
    kTargetHeight = 6,
    kHorizontal = 7,
    kZenith = 8,
    kSlope = 9,
    kHeightDifference = 10,
    kHorizontalDistance = 11,
    kUnits = 23,
    kHorizontalFaceOne = 24,
    kZenithFaceOne = 25,
    kNorth = 37,
    kEast = 38,
    kElevation = 39,
};

// Label 23: four digits, the first the angle unit, the second the
// distance unit; the last two (temperature, pressure) are not needed.
AngleUnit angleUnitOf(char digit) {
    switch (digit) {
        case '2': return AngleUnit::Dms;
        case '3': return AngleUnit::Degrees;
        case '4': return AngleUnit::Mils;
        default: return AngleUnit::Gon;
    }
}
double metresPerUnitOf(char digit) { return digit == '2' ? kMetresPerFoot : 1.0; }

// The values of the station or point being read; each is absent until read.
struct Values {
    std::string name;
    std::string code;  // label 4
    std::optional<double> H, V, SD, VD, HD, X, Y, Z;

    bool observed() const { return H || V || SD || HD; }
    bool placed() const { return X || Y || Z; }
};

class GeodimeterReader {
public:
    explicit GeodimeterReader(ReaderContext& ctx) : ctx_(ctx) {}

    // A line without "=" after a whole number is not a label line.
    bool line(std::string_view l) {
        const std::size_t equals = l.find('=');
        if (equals == 0 || equals == std::string_view::npos) return false;
        for (char c : l.substr(0, equals))
            if (c < '0' || c > '9') return false;
        const int label = toInteger(l.substr(0, equals));
        const std::string_view value = l.substr(equals + 1);
        switch (label) {
            case kStation:
                finish();
                atStation_ = true;
                current_ = Values{.name = std::string(value)};
                break;
            case kPoint:
                finish();
                atStation_ = false;
                current_ = Values{.name = std::string(value)};
                break;
            case kCode: current_.code = value; break;
            case kUnits:
                if (value.size() >= 2) {
                    angleUnit_ = angleUnitOf(value[0]);
                    metresPerUnit_ = metresPerUnitOf(value[1]);
                }
                break;
            case kInstrumentHeight: length(value, s_.IH); break;
            case kTargetHeight: length(value, s_.TH); break;
            case kHorizontal:
            case kHorizontalFaceOne: angle(value, current_.H); break;
            case kZenith:
            case kZenithFaceOne: angle(value, current_.V); break;
            case kSlope: length(value, current_.SD); break;
            case kHeightDifference: length(value, current_.VD); break;
            case kHorizontalDistance: length(value, current_.HD); break;
            case kNorth: length(value, current_.X); break;
            case kEast: length(value, current_.Y); break;
            case kElevation: length(value, current_.Z); break;
            default: break;  // job, date, temperature and the other labels
        }
        return true;
    }

    // A station opens when its coordinates, if any, have been read; a point
    // is appended with what it has, or not at all.
    void finish() {
        Values& v = current_;
        if (atStation_) {
            openStation(ctx_, s_, v.name, s_.IH, v.X.value_or(0), v.Y.value_or(0), v.Z.value_or(0));
        } else if (v.observed() || v.placed()) {
            slopeFromHorizontal(v);
            appendShot(ctx_, s_,
                       {.name = v.name,
                        .H = v.H.value_or(0),
                        .V = v.V.value_or(0),
                        .SD = v.SD.value_or(0),
                        .X = v.X.value_or(0),
                        .Y = v.Y.value_or(0),
                        .Z = v.Z.value_or(0),
                        .code = v.code});
        }
        current_ = Values{};
        atStation_ = false;
    }

private:
    void angle(std::string_view text, std::optional<double>& field) const {
        if (auto gon = angleToGon(text, angleUnit_)) field = gon;
    }
    void length(std::string_view text, std::optional<double>& field) const {
        if (auto metres = lengthToMetres(text, metresPerUnit_)) field = metres;
    }
    void length(std::string_view text, double& field) const {
        if (auto metres = lengthToMetres(text, metresPerUnit_)) field = *metres;
    }

    // Without a slope distance, the horizontal one gives it with the zenith
    // angle or the height difference; alone, the sight is taken as level.
    static void slopeFromHorizontal(Values& v) {
        if (v.SD || !v.HD) return;
        if (v.V) {
            const double s = std::sin(*v.V / 200 * std::numbers::pi);
            if (s != 0) v.SD = *v.HD / s;
        } else if (v.VD) {
            v.SD = std::hypot(*v.HD, *v.VD);
            v.V = std::atan2(*v.HD, *v.VD) * 200 / std::numbers::pi;
        } else {
            v.SD = *v.HD;
            v.V = 100.0;
        }
    }

    ReaderContext& ctx_;
    Values current_;
    bool atStation_ = false;  // the values read belong to the station
    AngleUnit angleUnit_ = AngleUnit::Gon;
    double metresPerUnit_ = 1.0;
    SetUp s_;
};

}  // namespace

void readGeodimeter(Input& input, ReaderContext& ctx) {
    GeodimeterReader reader(ctx);
    forEachLine(input, ctx.result, [&](std::string_view line) { return reader.line(line); });
    reader.finish();
}

}  // namespace tervan
