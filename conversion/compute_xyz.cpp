#include "conversion/compute_xyz.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "conversion/known_points.h"
#include "core/files.h"
#include "core/printf.h"
#include "levelling/hvsd.h"

namespace tervan {
namespace {

struct Place {
    double X, Y, Z;
};

// Where each named point lies: the known points first, then the
// coordinates the file gives, then computed ones as they come. The names
// are views into the two stores, whose names do not change meanwhile.
class Places {
public:
    Places(const PointStore& known, const PointStore& store) {
        for (const Point& p : known.points) addRead(p);
        for (const Point& p : store.points) addRead(p);
    }
    std::optional<Place> find(std::string_view name) const {
        auto it = places_.find(name);
        if (it == places_.end()) return std::nullopt;
        return it->second;
    }
    // The place of name: at computed unless it has one already.
    std::pair<Place, bool> place(std::string_view name, Place computed) {
        auto [it, added] = places_.try_emplace(name, computed);
        return {it->second, added};
    }

private:
    // Coordinates that are not numbers (a reader's "1e999") are none; a
    // set-up's zeros are coordinates (a local job starts at the origin).
    void addRead(const Point& p) {
        if (!p.N.empty() && (p.setUp || !isZeroPoint(p)) && std::isfinite(p.X) && std::isfinite(p.Y) &&
            std::isfinite(p.Z))
            places_.try_emplace(p.N, Place{p.X, p.Y, p.Z});
    }
    std::unordered_map<std::string_view, Place> places_;
};

// The greatest distance between a point's first position and a later one,
// per point, in the order the points were first placed again.
class Spreads {
public:
    void note(std::string_view point, double metres) {
        auto [it, added] = index_.try_emplace(point, spreads_.size());
        if (added)
            spreads_.push_back({std::string(point), metres});
        else
            spreads_[it->second].metres = std::max(spreads_[it->second].metres, metres);
    }
    std::vector<XyzReport::Spread> overLimit() const {
        std::vector<XyzReport::Spread> over;
        for (const auto& s : spreads_)
            if (s.metres > kSpreadLimit) over.push_back(s);
        return over;
    }

private:
    std::unordered_map<std::string_view, std::size_t> index_;
    std::vector<XyzReport::Spread> spreads_;
};

double toGon(double radians) { return radians * kGonPerRadian; }
double toRadians(double gon) { return gon / kGonPerRadian; }

double fullCircle(double gon) {
    gon = std::fmod(gon, 400.0);
    return gon < 0 ? gon + 400 : gon;
}

bool hasObservation(const Point& p) { return p.H != 0 || p.V != 0 || p.SD != 0; }

// The orientation that turns the group's first observation into the bearing
// from the station to its target, when the target has coordinates.
std::optional<double> backsightOm(const PointList& points, std::size_t begin, std::size_t end, const Place& station,
                                  const Places& places) {
    auto found = std::find_if(points.begin() + begin, points.begin() + end, hasObservation);
    if (found.index() == end) return std::nullopt;
    const Point first = *found;
    std::optional<Place> target = places.find(first.N);
    if (!target) return std::nullopt;
    double dX = target->X - station.X, dY = target->Y - station.Y;
    if (dX == 0 && dY == 0) return std::nullopt;
    double H = first.V > 200 ? first.H - 200 : first.H;
    return fullCircle(H - toGon(std::atan2(dY, dX)));
}

// The target of r seen from the station with orientation Om. A zenith angle
// over 200 is a second-face reading: V' = 400 - V and t - 200 change the sign
// of both sin V and cos t, so the horizontal offsets come out the same.
Place polar(const Point& r, const Place& station, double Om) {
    double V = r.V, t = r.H - Om;
    if (V > 200) {
        V = 400 - V;
        t -= 200;
    }
    double HD = r.SD * std::sin(toRadians(V));
    double dZ = r.SD * std::cos(toRadians(V));
    return {station.X + HD * std::cos(toRadians(t)), station.Y + HD * std::sin(toRadians(t)),
            station.Z + dZ + r.IH - r.TH};
}

bool needsCoordinates(const Point& p) { return isZeroPoint(p) && p.SD > 0 && !p.unreadable && !p.setUp; }

// The stations of the report, each named once however many groups it has.
class StationReport {
public:
    explicit StationReport(XyzReport& report) : report_(report) {}
    void unoriented(const std::string& station) {
        if (unoriented_.insert(station).second) report_.unoriented.push_back(station);
    }
    void unplaced(const std::string& station, std::size_t records) {
        auto [it, added] = unplaced_.try_emplace(station, report_.unplaced.size());
        if (added)
            report_.unplaced.push_back({station, records});
        else
            report_.unplaced[it->second].records += records;
    }

private:
    XyzReport& report_;
    std::unordered_set<std::string> unoriented_;
    std::unordered_map<std::string, std::size_t> unplaced_;
};

// Where the instrument stands when a station is set up again: the first
// set-up of a name places it as every read point does (a known point
// first), each later one places it for the shots that follow. A station
// set up again elsewhere is reported with the greatest move.
class SetUps {
public:
    void read(const Point& p, XyzReport& report) {
        if (!p.setUp || p.N.empty() || !std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.Z)) return;
        const Place at{p.X, p.Y, p.Z};
        auto [it, first] = last_.try_emplace(std::string_view(p.N), SetUp{at, false});
        if (first) return;
        const Place& before = it->second.at;
        const double moved = std::hypot(at.X - before.X, at.Y - before.Y, at.Z - before.Z);
        if (moved > kSpreadLimit) {
            auto m = std::find_if(report.moved.begin(), report.moved.end(),
                                  [&](const XyzReport::Spread& s) { return s.point == p.N; });
            if (m == report.moved.end())
                report.moved.push_back({std::string(p.N), moved});
            else
                m->metres = std::max(m->metres, moved);
        }
        it->second = {at, true};
    }
    std::optional<Place> again(std::string_view name) const {
        auto it = last_.find(name);
        if (it == last_.end() || !it->second.again) return std::nullopt;
        return it->second.at;
    }

private:
    struct SetUp {
        Place at;
        bool again;
    };
    std::unordered_map<std::string_view, SetUp> last_;
};

// The records from begin up to end, one station's.
void computeGroup(PointList& points, std::size_t begin, std::size_t end, Places& places, const SetUps& setUps,
                  Spreads& spreads, StationReport& stations, XyzReport& report) {
    const std::string stationName(points[begin].SN);
    std::optional<Place> station = setUps.again(stationName);
    if (!station) station = places.find(stationName);
    if (!station) {
        std::size_t waiting = std::count_if(points.begin() + begin, points.begin() + end, needsCoordinates);
        if (waiting > 0) stations.unplaced(stationName, waiting);
        return;
    }
    std::optional<double> groupOm;
    auto orientation = [&] {
        if (!groupOm) {
            groupOm = backsightOm(points, begin, end, *station, places);
            if (!groupOm) {
                groupOm = 0;
                stations.unoriented(stationName);
            }
        }
        return *groupOm;
    };
    for (std::size_t i = begin; i < end; ++i) {
        Point r = points[i];
        if (r.unreadable) report.unreadable.push_back(r.N.empty() ? "(no name)" : std::string(r.N));
        if (!needsCoordinates(r)) continue;
        const double Om = r.hasGivenOm ? r.givenOm : orientation();
        const Place at = polar(r, *station, Om);
        if (!std::isfinite(at.X) || !std::isfinite(at.Y) || !std::isfinite(at.Z)) continue;
        Place kept = at;
        if (!r.N.empty()) {
            auto [first, added] = places.place(r.N, at);
            if (!added) spreads.note(r.N, std::hypot(at.X - first.X, at.Y - first.Y, at.Z - first.Z));
            kept = first;
        }
        r.X = kept.X;
        r.Y = kept.Y;
        r.Z = kept.Z;
        r.Om = Om;
        r.computed = true;
        points.update(i, r);
        ++report.computed;
    }
    if (groupOm)
        for (std::size_t i = begin; i < end; ++i)
            if (Point r = points[i]; !r.hasGivenOm) {
                r.Om = *groupOm;
                points.update(i, r);
            }
}

// Up to three names, then how many more.
std::string someNames(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size() && i < 3; ++i) text += (i ? ", " : "") + names[i];
    if (names.size() > 3) appendf(text, " and %zu more", names.size() - 3);
    return text;
}

}  // namespace

XyzReport computeXyz(PointStore& store, const PointStore& known) {
    XyzReport report;
    Places places(known, store);
    Spreads spreads;
    SetUps setUps;
    StationReport stations(report);
    PointList& points = store.points;
    // A station group: a record that opens a station and those after it up
    // to the next one, as long as they name the same station. The set-ups
    // read before a group place its station.
    for (std::size_t start = 0, end = 0; start < points.size(); start = end) {
        end = start + 1;
        while (end < points.size() && !points[end].isStation && points[end].SN == points[start].SN) ++end;
        for (std::size_t i = start; i < end; ++i) setUps.read(points[i], report);
        computeGroup(points, start, end, places, setUps, spreads, stations, report);
    }
    report.spreads = spreads.overLimit();
    return report;
}

XyzReport computeCoordinates(Session& session) {
    PointStore known;
    std::string error;
    const std::string& path = session.settings.KnownPoints;
    bool refused = false;
    bool read = !path.empty() && readKnownPoints(path, known, error, &refused);
    XyzReport report = computeXyz(session.store, known);
    report.knownRefused = refused;
    // The list stays set from job to job: whether it belongs to this one.
    std::unordered_set<std::string_view> names;
    for (const Point& p : known.points) names.insert(p.N);
    std::unordered_set<std::string_view> stations;
    for (const Point& p : session.store.points)
        if (names.contains(p.SN)) stations.insert(p.SN);
    report.knownStations = stations.size();
    report.knownPath = path;
    report.knownPoints = known.points.size();
    if (!path.empty() && !read) report.knownError = error;
    return report;
}

void reportCoordinates(const XyzReport& report, Result& result) {
    std::string line = strf("XYZ computed for %zu records", report.computed);
    if (!report.knownPath.empty() && report.knownError.empty())
        appendf(line, "; %zu known points read from %s", report.knownPoints, report.knownPath.c_str());
    appendReport(result.message, line);
    result.summary += strf("; XYZ computed for %zu records", report.computed);
    // The known points are a setting that stays on: the report names the
    // list whenever one was read, and says when it fits none of this file.
    if (!report.knownPath.empty() && report.knownError.empty()) {
        const std::string list = utf8Path(fsPath(report.knownPath).filename());
        appendf(result.summary, " from the known points of %s", list.c_str());
        if (report.knownStations == 0)
            result.warnings.push_back("the known points of " + list + " name none of this file's stations");
    }

    if (!report.knownError.empty()) {
        result.knownPointsError = "cannot read the known points " + report.knownPath + ": " + report.knownError;
        appendReport(result.message, result.knownPointsError);
    }
    if (!report.unoriented.empty()) {
        std::string names;
        for (const auto& s : report.unoriented) names += (names.empty() ? "" : ", ") + s;
        appendReport(result.message, "stations without orientation, their directions taken as bearings: " + names);
        result.warnings.push_back("no orientation at " + someNames(report.unoriented) +
                                  ": directions taken as bearings");
    }
    if (!report.unplaced.empty()) {
        std::string text;
        std::vector<std::string> names;
        for (const auto& u : report.unplaced) {
            appendf(text, "%s%s (%zu)", text.empty() ? "" : ", ", u.station.c_str(), u.records);
            names.push_back(u.station);
        }
        appendReport(result.message, "stations without coordinates, their observations got none: " + text);
        result.warnings.push_back("no coordinates for the stations " + someNames(names));
    }
    if (!report.spreads.empty()) {
        std::string text;
        std::vector<std::string> names;
        for (const auto& s : report.spreads) {
            appendf(text, "%s%s %.3f m", text.empty() ? "" : ", ", s.point.c_str(), s.metres);
            names.push_back(strf("%s %.3f m", s.point.c_str(), s.metres));
        }
        appendReport(result.message, "points placed twice more than 0.01 m apart (kept where placed first): " + text);
        result.warnings.push_back("placed twice more than 0.01 m apart: " + someNames(names));
    }
    if (!report.moved.empty()) {
        std::string text;
        std::vector<std::string> names;
        for (const auto& s : report.moved) {
            appendf(text, "%s%s %.3f m", text.empty() ? "" : ", ", s.point.c_str(), s.metres);
            names.push_back(strf("%s %.3f m", s.point.c_str(), s.metres));
        }
        appendReport(result.message, "stations set up again elsewhere (each set-up used for the shots after it): " + text);
        result.warnings.push_back("set up again elsewhere: " + someNames(names));
    }
    if (!report.unreadable.empty()) {
        std::string text;
        for (const auto& n : report.unreadable) text += (text.empty() ? "" : ", ") + n;
        appendReport(result.message, "records with an H, V or SD that cannot be read, not computed: " + text);
        result.warnings.push_back("not computed, H, V or SD cannot be read: " + someNames(report.unreadable));
    }
}

}  // namespace tervan
