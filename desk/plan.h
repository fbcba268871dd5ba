// The plan view's logic without a toolkit: every record with coordinates as
// a point of the plane, drawn the way surveyors draw (X north, up the
// screen; Y east, to the right), the view that fits, zooms and pans them,
// hit testing, and the labels on the layers of the DXF drawing. A front end
// draws what visible() gives and forwards the mouse here.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "conversion/session.h"

namespace tervan::desk {

// A position on the screen, in pixels: x to the right, y down.
struct ScreenPoint {
    double x = 0, y = 0;
};

// A position in the plane, in metres: X north, Y east.
struct PlanePoint {
    double X = 0, Y = 0;
};

// The smallest rectangle of the plane holding every point added.
struct Extent {
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    bool empty = true;
    void add(PlanePoint p);
};

// One record with coordinates.
struct PlanItem {
    PlanePoint at;
    std::size_t record;  // its index in the point store
    bool station;        // the point is a station: some record was observed from it
};

// The layers of the plan, named as the DXF drawing's layers: the points,
// their names and their heights. The front end shows a switch for each.
enum class Layer { Points, Names, Heights };
inline constexpr std::array kLayers = {Layer::Points, Layer::Names, Layer::Heights};

class Plan {
public:
    static constexpr double kMargin = 24;     // pixels around the fitted points
    static constexpr double kHitRadius = 6;   // pixels around a point that a click hits
    static constexpr double kCell = 3;        // pixels: at most one point is drawn per cell of this size
    static constexpr double kWheelStep = 1.25;  // zoom factor of one notch of the wheel
    // Labels are drawn only when no more points than this are on the screen,
    // each pair in a box of this many pixels right of its point, and only
    // where the box covers no other box and no point (a station's may cover
    // a point): zooming in brings the others.
    static constexpr std::size_t kMaxLabels = 1500;
    static constexpr double kLabelWidth = 56, kLabelHeight = 26;

    explicit Plan(const Session& session) : session_(session) {}

    // After a conversion: the records with coordinates (zero points have
    // none, nor have infinite ones) and which of them are stations; the view
    // fits them.
    void load();
    const std::vector<PlanItem>& items() const { return items_; }
    // The item of a record; nullptr when the record has no coordinates.
    const PlanItem* item(std::size_t record) const;
    const Extent& extent() const { return extent_; }

    // The size of the view in pixels. A view that still shows the fitted
    // points fits them again; one the user zoomed or panned keeps its
    // centre and scale.
    void resize(int width, int height);
    // Every point on the screen with room for its labels right of it.
    void fit();
    // factor > 1 zooms in; the plane point under anchor stays under it.
    void zoom(ScreenPoint anchor, double factor);
    // The drawing follows the mouse by dx, dy pixels.
    void pan(double dx, double dy);
    // The keyboard: "+" (or "=") zooms in a wheel step about the middle of
    // the view, "-" zooms out, "0" fits. false for any other key.
    bool key(char c);

    ScreenPoint toScreen(PlanePoint p) const;
    PlanePoint toPlane(ScreenPoint s) const;
    double scale() const { return scale_; }  // pixels per metre
    int width() const { return width_; }
    int height() const { return height_; }

    // A scale bar of a round length (1, 2 or 5 times a power of ten metres)
    // no longer than maxPixels: its length in metres and in pixels, and its
    // label.
    struct ScaleBar {
        double metres = 0, pixels = 0;
        std::string label;
    };
    ScaleBar scaleBar(double maxPixels) const;

    // The record of the point nearest to s, within kHitRadius pixels;
    // kNoPoint when there is none.
    std::size_t hit(ScreenPoint s) const;

    // The items on the screen with their positions: every station, and of
    // the other points the first in each cell of kCell pixels, which looks
    // the same and keeps 100,000 points quick to draw. Stations come last,
    // so that they are drawn on top. labelled: the item's labels are drawn.
    struct Shown {
        ScreenPoint at;
        const PlanItem* item;
        bool labelled = false;
    };
    std::vector<Shown> visible() const;

    // The labels: the point's name, and its height as the DXF drawing writes it.
    std::string nameLabel(const PlanItem& item) const;
    std::string heightLabel(const PlanItem& item) const;

    // PointsLayer, NamesLayer or LevelLayer, and whether the layer is shown.
    const std::string& layerName(Layer layer) const;
    bool layerShown(Layer layer) const { return shown_[static_cast<int>(layer)]; }
    void showLayer(Layer layer, bool on) { shown_[static_cast<int>(layer)] = on; }

    // What the view says instead of a drawing when no record has
    // coordinates (UTF-8); "" when nothing was converted.
    std::string emptyText() const;
    // One line about a record: name, station, coordinates (or that it has
    // none), and whether they were computed (names in MIK); "" for none.
    std::string describe(std::size_t record) const;

private:
    const Session& session_;
    std::vector<PlanItem> items_;
    Extent extent_;
    PlanePoint centre_;
    double scale_ = 1;
    int width_ = 0, height_ = 0;
    bool fitted_ = true;  // no zoom or pan since the last fit
    std::array<bool, 3> shown_ = {true, true, true};
};

}  // namespace tervan::desk
