#include "levelling/hvsd.h"

#include <cmath>
#include <string_view>
#include <unordered_map>

namespace tervan {
namespace {

struct Observation {
    double SD, V, H;
};

struct StationXYZ {
    double X = 0, Y = 0, Z = 0;
    bool usable() const { return X != 0 || Y != 0 || Z != 0; }
};

// What an instrument on the station would measure to p, without errors.
Observation observe(const Point& p, const StationXYZ& s) {
    double dX = p.X - s.X;
    double dY = p.Y - s.Y;
    double dZ = (p.Z - s.Z) + p.TH - p.IH;
    double HD = std::sqrt(dX * dX + dY * dY);
    double SD = std::sqrt(HD * HD + dZ * dZ);
    double V = SD == 0 ? 0 : std::acos(dZ / SD) * kGonPerRadian;
    double H = HD == 0 ? 0 : std::acos(dX / HD) * kGonPerRadian;
    if (dY < 0) H = 400 - H;
    return {SD, V, H};
}

// The station lookup: the first record of each name, found in one step
// instead of a walk from the head.
class StationIndex {
public:
    explicit StationIndex(const PointList& points) : points_(points) {
        index_.reserve(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) index_.try_emplace(points[i].N, i);
    }
    // 0, 0, 0 when no record has the name.
    StationXYZ find(std::string_view name) const {
        auto it = index_.find(name);
        if (it == index_.end()) return {};
        const Point s = points_[it->second];
        return {s.X, s.Y, s.Z};
    }

private:
    const PointList& points_;
    std::unordered_map<std::string_view, std::size_t> index_;
};

// The errors of one pair: the first record gets them added, its
// second-face copy subtracted, so the pair's mean stays error-free.
struct PairErrors {
    std::size_t first = kNoPoint;
    double SD = 0, H = 0, V = 0;
};

double fraction(Rng& rng) { return rng.draw() / 32767.0 - 0.5; }

}  // namespace

std::size_t calculateHvsd(PointStore& store, Rng& rng, const ErrorSizes& errors) {
    PointList& points = store.points;
    const StationIndex stations(points);
    const std::size_t n = points.size();
    double O = store.orientation;
    std::size_t computed = 0;
    PairErrors pair;
    for (std::size_t k = n; k-- > 0;) {
        Point r = points[k];
        r.Om = O;
        StationXYZ station = stations.find(r.SN);
        if (!station.usable()) {
            points.update(k, r);
            continue;
        }
        auto [SD, V, H] = observe(r, station);
        if (r.faceTwo) {
            V = 400 - V;
            H = H < 200 ? H + 200 : H - 200;
        }
        // A record followed by a second-face copy opens a pair, even when it
        // is a copy itself.
        bool opensPair = k + 1 < n && points[k + 1].faceTwo;
        bool isCopy = !opensPair && r.faceTwo && k > 0;
        double sign = opensPair ? 1 : isCopy ? -1 : 0;
        if (sign != 0) {
            std::size_t first = opensPair ? k : k - 1;
            if (pair.first != first) {
                // The copy comes first in reverse order; the distance error
                // scales with the first record's own distance.
                StationXYZ firstStation = stations.find(points[first].SN);
                double firstSD = firstStation.usable() ? observe(points[first], firstStation).SD : SD;
                pair.first = first;
                pair.SD = fraction(rng) * 0.00001 * errors.SD * firstSD;
                pair.H = fraction(rng) * 0.0001 * errors.H;
                pair.V = fraction(rng) * 0.0001 * errors.V;
            }
            SD += sign * pair.SD;
            H += sign * pair.H;
        }
        H += O;
        if (H > 400) H -= 400;  // a sum of exactly 400 stays 400
        if (r.isStation) O = rng.draw() / 32767.0 * 400;
        if (sign != 0) V += sign * pair.V;
        r.V = V;
        r.H = H;
        r.SD = SD;
        r.givenOm = r.Om;
        r.hasGivenOm = true;
        points.update(k, r);
        ++computed;
    }
    store.orientation = O;
    return computed;
}

}  // namespace tervan
