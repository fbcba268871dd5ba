#include "readers/sdr.h"

#include "core/numbers.h"
#include "core/text.h"
#include "readers/setup.h"

namespace tervan {
namespace {

// The header's units and the layout of the names and values.
struct Layout {
    std::size_t name = 16, value = 16;  // SDR33; SDR2x: 4 and 10
    double angle = kGonPerDegree;       // gon per unit of the file's angles
    double length = 1;                  // metres per unit of its lengths
    bool enz = false;                   // coordinates given easting first
    bool fromHorizon = false;           // vertical angles from the horizon, not the zenith
};

// Columns of the header (00) and instrument (01) records.
constexpr std::size_t kVersion = 5, kAngleUnit = 41, kLengthUnit = 42, kCoordinateOrder = 45;
constexpr std::size_t kZeroVa = 51;

// The record's fields one after the other from column 5: names and values
// of the layout's widths, each trimmed.
class Fields {
public:
    Fields(std::string_view line, const Layout& layout) : line_(line), layout_(layout) {}
    std::string_view name() { return next(layout_.name); }
    double length() { return toNumber(next(layout_.value)) * layout_.length; }
    double angle() { return toNumber(next(layout_.value)) * layout_.angle; }
    std::string_view rest() { return trim(line_.substr(std::min(pos_, line_.size()))); }

private:
    static std::string_view trim(std::string_view text) {
        const auto first = text.find_first_not_of(' ');
        if (first == std::string_view::npos) return {};
        return text.substr(first, text.find_last_not_of(' ') - first + 1);
    }
    std::string_view next(std::size_t width) {
        std::string_view field = pos_ < line_.size() ? line_.substr(pos_, width) : std::string_view();
        pos_ += width;
        return trim(field);
    }

    std::string_view line_;
    const Layout& layout_;
    std::size_t pos_ = 4;
};

void readHeader(std::string_view line, Layout& layout) {
    const bool sdr2x = columns(line, kVersion, kVersion + 3) == "SDR2";
    layout.name = sdr2x ? 4 : 16;
    layout.value = sdr2x ? 10 : 16;
    const std::string_view angle = columns(line, kAngleUnit, kAngleUnit);
    layout.angle = angle == "2" ? 1.0 : angle == "4" ? kGonPerMil : kGonPerDegree;
    layout.length = columns(line, kLengthUnit, kLengthUnit) == "2" ? kMetresPerFoot : 1.0;
    layout.enz = columns(line, kCoordinateOrder, kCoordinateOrder) == "2";
}

// Northing and easting in the file's order; X is the northing.
void coordinates(Fields& f, const Layout& layout, double& X, double& Y, double& Z) {
    X = f.length();
    Y = f.length();
    if (layout.enz) std::swap(X, Y);
    Z = f.length();
}

}  // namespace

void readSdr(Input& input, ReaderContext& ctx) {
    Layout layout;
    SetUp s;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        if (line.size() < 4) return false;
        const std::string_view type = line.substr(0, 2);
        Fields f(line, layout);
        if (type == "00") {
            readHeader(line, layout);
        } else if (type == "01") {
            // Only "2" means the horizon; an instrument name one character
            // too long pushes other digits into this column.
            layout.fromHorizon = columns(line, kZeroVa, kZeroVa) == "2";
        } else if (type == "02") {
            const std::string_view station = f.name();
            double X, Y, Z;
            coordinates(f, layout, X, Y, Z);
            const double IH = f.length();
            [[maybe_unused]] const std::string_view stationCode = f.rest();
            openStation(ctx, s, station, IH, X, Y, Z);
        } else if (type == "03") {
            s.TH = f.length();
        } else if (type == "07") {
            f.name();  // the station
            f.name();  // the backsight point
            const double azimuth = f.angle();
            orientStation(s, f.angle(), azimuth);
        } else if (type == "08") {
            const std::string_view name = f.name();
            double X, Y, Z;
            coordinates(f, layout, X, Y, Z);
            const std::string_view pointCode = f.rest();
            if (name.empty()) return false;
            appendShot(ctx, s, {.name = name, .X = X, .Y = Y, .Z = Z, .code = pointCode});
        } else if (type == "09") {
            const std::string_view station = f.name();
            const std::string_view name = f.name();
            const double SD = f.length();
            double V = f.angle();
            const double H = f.angle();
            const std::string_view pointCode = f.rest();
            if (name.empty()) return false;
            if (layout.fromHorizon) V = 100 - V;
            // An observation from another station than the set-up's opens
            // that station, without coordinates.
            if (!station.empty() && station != s.station) openStation(ctx, s, station, s.IH);
            appendShot(ctx, s, {.name = name, .H = H, .V = V, .SD = SD, .code = pointCode});
        } else if (type != "10" && type != "13" && type != "06") {
            return false;
        }
        return true;
    });
    if (ctx.store.points.empty()) return;
    if (layout.angle == kGonPerDegree) noteConversion(ctx, kDegreesConverted);
    if (layout.angle == kGonPerMil) noteConversion(ctx, kMilsConverted);
    if (layout.length == kMetresPerFoot) noteConversion(ctx, kFeetConverted);
    if (layout.fromHorizon) noteConversion(ctx, kHorizonConverted);
}

bool isSdrLine(std::string_view line) {
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (line.size() < 4 || !isDigit(line[0]) || !isDigit(line[1])) return false;
    const std::string_view type = line.substr(0, 2);
    if (type != "02" && type != "07" && type != "08" && type != "09") return true;
    return (line.size() > 7 && line[7] != ' ') || (line.size() > 19 && line[19] != ' ');
}

}  // namespace tervan
