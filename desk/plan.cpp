#include "desk/plan.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_set>

#include "core/printf.h"
#include "writers/drawing_text.h"

namespace tervan::desk {
namespace {

// Pixels per metre: from a view of a kilometre per pixel to a thousandth of
// a millimetre per pixel.
constexpr double kMinScale = 1e-3;
constexpr double kMaxScale = 1e7;
// A single point, or points on one line, are shown this many metres across.
constexpr double kSingleSpan = 50;

double clampScale(double s) { return std::clamp(s, kMinScale, kMaxScale); }

// What labels may not cover: the marks of the points on the screen and the
// label boxes taken so far. A point's labels take the box right of its
// mark, unless that would cover either. Kept on a grid of two pixels, with
// room for boxes that reach past the edges of the screen.
class LabelRoom {
public:
    LabelRoom(int width, int height, double reach)
        : left_(-reach - kMark),
          top_(-reach - Plan::kLabelHeight / 2),
          columns_(index(width + reach + kGap + Plan::kLabelWidth - left_) + 1),
          taken_(columns_ * (index(height + reach + Plan::kLabelHeight - top_) + 1)) {}

    void markAt(ScreenPoint at) { take(at.x - kMark, at.y - kMark, at.x + kMark, at.y + kMark); }

    bool claim(ScreenPoint at) {
        const double x0 = at.x + kGap, y0 = at.y - Plan::kLabelHeight / 2;
        const double x1 = x0 + Plan::kLabelWidth, y1 = y0 + Plan::kLabelHeight;
        for (std::size_t y = index(y0 - top_); y <= index(y1 - top_); ++y)
            for (std::size_t x = index(x0 - left_); x <= index(x1 - left_); ++x)
                if (taken_[y * columns_ + x]) return false;
        take(x0, y0, x1, y1);
        return true;
    }

private:
    static constexpr double kGrid = 2;  // pixels
    static constexpr double kMark = 3;  // the half size of a point's mark
    static constexpr double kGap = 5;   // from the point to its labels: the mark's cells stay free
    static std::size_t index(double pixels) { return static_cast<std::size_t>(pixels / kGrid); }

    void take(double x0, double y0, double x1, double y1) {
        for (std::size_t y = index(y0 - top_); y <= index(y1 - top_); ++y)
            for (std::size_t x = index(x0 - left_); x <= index(x1 - left_); ++x) taken_[y * columns_ + x] = true;
    }

    double left_, top_;
    std::size_t columns_;
    std::vector<bool> taken_;
};

}  // namespace

void Extent::add(PlanePoint p) {
    if (empty) {
        minX = maxX = p.X;
        minY = maxY = p.Y;
        empty = false;
        return;
    }
    minX = std::min(minX, p.X);
    maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
}

void Plan::load() {
    const PointList& points = session_.store.points;
    std::unordered_set<std::string_view> stations;
    for (const Point& p : points) stations.insert(p.SN);
    items_.clear();
    extent_ = {};
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Point& p = points[i];
        // A zero point has no coordinates; one that is not a number (a
        // reader's "1e999") cannot be drawn.
        if (isZeroPoint(p) || !std::isfinite(p.X) || !std::isfinite(p.Y)) continue;
        // A set-up is a station even where no record names it as one.
        items_.push_back({{p.X, p.Y}, i, p.isStation || stations.contains(p.N)});
        extent_.add({p.X, p.Y});
    }
    fit();
}

const PlanItem* Plan::item(std::size_t record) const {
    auto it = std::lower_bound(items_.begin(), items_.end(), record,
                               [](const PlanItem& item, std::size_t r) { return item.record < r; });
    return it != items_.end() && it->record == record ? &*it : nullptr;
}

void Plan::resize(int width, int height) {
    width_ = width;
    height_ = height;
    if (fitted_) fit();
}

void Plan::fit() {
    fitted_ = true;
    if (extent_.empty) {
        centre_ = {};
        scale_ = 1;
        return;
    }
    // The labels take a box right of each point, half their height above
    // and below: the points leave that room at the right, top and bottom.
    const double labelRight = kLabelWidth + 5, labelHalf = kLabelHeight / 2;
    const double across = std::max(1.0, width_ - 2 * kMargin - labelRight);
    const double down = std::max(1.0, height_ - 2 * kMargin - 2 * labelHalf);
    const double spanX = extent_.maxX - extent_.minX, spanY = extent_.maxY - extent_.minY;
    double s;
    if (spanX == 0 && spanY == 0)
        s = std::min(across, down) / kSingleSpan;
    else if (spanX == 0)
        s = across / spanY;
    else if (spanY == 0)
        s = down / spanX;
    else
        s = std::min(across / spanY, down / spanX);
    scale_ = clampScale(s);
    // The middle of the points sits left of the middle of the view by half
    // the labels' room.
    centre_ = {(extent_.minX + extent_.maxX) / 2, (extent_.minY + extent_.maxY) / 2 + labelRight / 2 / scale_};
}

bool Plan::key(char c) {
    const ScreenPoint middle{width_ / 2.0, height_ / 2.0};
    switch (c) {
        case '+':
        case '=':
            zoom(middle, kWheelStep);
            return true;
        case '-':
            zoom(middle, 1 / kWheelStep);
            return true;
        case '0':
            fit();
            return true;
    }
    return false;
}

void Plan::zoom(ScreenPoint anchor, double factor) {
    if (!(factor > 0) || !std::isfinite(factor)) return;
    const PlanePoint under = toPlane(anchor);
    scale_ = clampScale(scale_ * factor);
    centre_ = {under.X + (anchor.y - height_ / 2.0) / scale_, under.Y - (anchor.x - width_ / 2.0) / scale_};
    fitted_ = false;
}

void Plan::pan(double dx, double dy) {
    centre_.Y -= dx / scale_;
    centre_.X += dy / scale_;
    fitted_ = false;
}

ScreenPoint Plan::toScreen(PlanePoint p) const {
    return {width_ / 2.0 + (p.Y - centre_.Y) * scale_, height_ / 2.0 - (p.X - centre_.X) * scale_};
}

PlanePoint Plan::toPlane(ScreenPoint s) const {
    return {centre_.X - (s.y - height_ / 2.0) / scale_, centre_.Y + (s.x - width_ / 2.0) / scale_};
}

Plan::ScaleBar Plan::scaleBar(double maxPixels) const {
    const double most = maxPixels / scale_;
    double metres = std::pow(10.0, std::floor(std::log10(most)));
    for (double step : {5.0, 2.0})
        if (metres * step <= most) {
            metres *= step;
            break;
        }
    return {metres, metres * scale_, strf("%g m", metres)};
}

std::size_t Plan::hit(ScreenPoint s) const {
    std::size_t best = kNoPoint;
    double bestDistance = kHitRadius * kHitRadius;
    for (const PlanItem& item : items_) {
        const ScreenPoint at = toScreen(item.at);
        const double d = (at.x - s.x) * (at.x - s.x) + (at.y - s.y) * (at.y - s.y);
        if (d <= bestDistance && (best == kNoPoint || d < bestDistance)) {
            best = item.record;
            bestDistance = d;
        }
    }
    return best;
}

std::vector<Plan::Shown> Plan::visible() const {
    std::vector<Shown> shown, stations;
    if (width_ <= 0 || height_ <= 0) return shown;
    // A point just off the screen still shows part of its mark.
    const double reach = kHitRadius;
    const auto columns = static_cast<std::size_t>((width_ + 2 * reach) / kCell) + 1;
    const auto rows = static_cast<std::size_t>((height_ + 2 * reach) / kCell) + 1;
    std::vector<bool> taken(columns * rows);
    for (const PlanItem& item : items_) {
        const ScreenPoint at = toScreen(item.at);
        if (!(at.x >= -reach && at.x < width_ + reach && at.y >= -reach && at.y < height_ + reach)) continue;
        if (item.station) {
            stations.push_back({at, &item});
            continue;
        }
        const std::size_t cell = static_cast<std::size_t>((at.y + reach) / kCell) * columns +
                                 static_cast<std::size_t>((at.x + reach) / kCell);
        if (taken[cell]) continue;
        taken[cell] = true;
        shown.push_back({at, &item});
    }
    const std::size_t points = shown.size();
    shown.insert(shown.end(), stations.begin(), stations.end());
    if (shown.size() <= kMaxLabels) {
        // Stations have the first claim: their labels may cover a point.
        LabelRoom room(width_, height_, reach);
        for (std::size_t i = points; i < shown.size(); ++i) room.markAt(shown[i].at);
        for (std::size_t i = points; i < shown.size(); ++i) shown[i].labelled = room.claim(shown[i].at);
        for (std::size_t i = 0; i < points; ++i) room.markAt(shown[i].at);
        for (std::size_t i = 0; i < points; ++i) shown[i].labelled = room.claim(shown[i].at);
    }
    return shown;
}

std::string Plan::nameLabel(const PlanItem& item) const { return std::string(session_.store.points[item.record].N); }

std::string Plan::heightLabel(const PlanItem& item) const {
    return levelText(session_.store.points[item.record].Z, session_.settings);
}

const std::string& Plan::layerName(Layer layer) const {
    const Settings& s = session_.settings;
    switch (layer) {
        case Layer::Names:
            return s.NamesLayer;
        case Layer::Heights:
            return s.LevelLayer;
        case Layer::Points:
            break;
    }
    return s.PointsLayer;
}

std::string Plan::emptyText() const {
    const PointList& points = session_.store.points;
    if (points.empty() || !items_.empty()) return "";
    const bool observations = std::any_of(points.begin(), points.end(), [](const Point& p) { return p.SD > 0; });
    if (observations && !session_.settings.ComputeXYZ)
        return "No point has coordinates. Tick \"Compute XYZ\" in the Settings to compute them from the observations.";
    if (observations)
        return "No point has coordinates: no station has known coordinates. Choose a list of them with \"Known "
               "points\xE2\x80\xA6\" in the Settings.";
    return "No point has coordinates.";
}

std::string Plan::describe(std::size_t record) const {
    const PointList& points = session_.store.points;
    if (record >= points.size()) return "";
    const Point& p = points[record];
    if (isZeroPoint(p)) return strf("%s  from %s   no coordinates", p.N.c_str(), p.SN.c_str());
    std::string text = strf("%s  from %s   X %.3f   Y %.3f   Z %.3f", p.N.c_str(), p.SN.c_str(), p.X, p.Y, p.Z);
    if (p.computed) text += "   computed";
    return text;
}

}  // namespace tervan::desk
