#include "readers/setup.h"

#include <algorithm>
#include <cmath>

namespace tervan {

void openStation(ReaderContext& ctx, SetUp& s, std::string_view name, double IH, double X, double Y, double Z) {
    s.station = name;
    s.IH = IH;
    s.opens = true;
    s.oriented = false;
    s.givenOm = 0;
    if (X == 0 && Y == 0 && Z == 0) return;
    Point p{.SN = kNoStation, .N = s.station, .X = X, .Y = Y, .Z = Z, .IH = IH, .TH = s.TH};
    const bool repeated = ctx.store.points.size() == s.lastEnd && s.station == s.lastName && X == s.last.X &&
                          Y == s.last.Y && Z == s.last.Z && IH == s.last.IH;
    if (repeated) return;
    s.last = p;
    s.lastName = s.station;
    appendRecord(ctx, p);
    s.lastEnd = ctx.store.points.size();
}

void orientStation(SetUp& s, double backsightH, double azimuth) {
    double Om = std::fmod(backsightH - azimuth, 400.0);
    if (Om < 0) Om += 400;
    s.oriented = true;
    s.givenOm = Om;
}

void appendShot(ReaderContext& ctx, SetUp& s, const Shot& shot) {
    const std::string name(shot.name), code(shot.code);
    appendRecord(ctx, {.isStation = s.opens,
                       .hasGivenOm = s.oriented,
                       .SN = s.station,
                       .N = name,
                       .code = code,
                       .X = shot.X,
                       .Y = shot.Y,
                       .Z = shot.Z,
                       .IH = s.IH,
                       .TH = s.TH,
                       .V = shot.V,
                       .H = shot.H,
                       .SD = shot.SD,
                       .givenOm = s.givenOm});
    s.opens = false;
}

std::size_t splitCommas(std::string_view line, std::span<std::string_view> fields) {
    auto trim = [](std::string_view text) {
        const auto first = text.find_first_not_of(' ');
        if (first == std::string_view::npos) return std::string_view();
        return text.substr(first, text.find_last_not_of(' ') - first + 1);
    };
    for (auto& field : fields) field = {};
    std::size_t count = 0, start = 0;
    for (std::size_t i = 0; i < fields.size() && start <= line.size(); ++i) {
        const std::size_t comma = i + 1 == fields.size() ? std::string_view::npos : line.find(',', start);
        const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
        fields[i] = trim(line.substr(start, end - start));
        ++count;
        start = end + 1;
    }
    return count;
}

void noteConversion(ReaderContext& ctx, const char* text) {
    auto& notes = ctx.result.conversions;
    if (std::find(notes.begin(), notes.end(), text) == notes.end()) notes.emplace_back(text);
}

double gonFromDms(double dms) {
    const double sign = dms < 0 ? -1 : 1;
    dms = std::fabs(dms);
    double degrees = std::floor(dms);
    double rest = (dms - degrees) * 100;
    double minutes = std::floor(rest + 1e-9);
    double seconds = (rest - minutes) * 100;
    return sign * (degrees + minutes / 60 + seconds / 3600) * kGonPerDegree;
}

}  // namespace tervan
