// The profile of a levelling job in the plan pane: height against the
// distance along the lines, the lines one after the other as the job ran
// them. Each line is drawn through its start and turning points, with its
// intermediate sights as dots, every set-up as a station's triangle at the
// height of its line of sight with its sights to the staffs, the benchmarks as squares, the misclosure at
// the point the line closes on and the lines' summaries above. The view
// fits, zooms and pans as the plan does, heights and distances each to
// their own scale. A point is a levelling row: a click selects the row
// that gave its height, and a row selected in the grid marks the point it
// names.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/result.h"
#include "desk/pane.h"

namespace tervan::desk {

struct ProfileItem {
    double along = 0;   // m from the start of the first line
    double height = 0;  // m
    std::size_t line = 0, point = 0;  // indexes into lines() and its points
};

class Profile final : public Pane {
public:
    static constexpr double kMargin = 12;       // pixels around the plot
    static constexpr double kAxisLeft = 64;     // pixels left of the plot, for the heights
    static constexpr double kAxisBottom = 22;   // pixels below it, for the distances
    static constexpr double kTextLine = 15;     // pixels from one caption line to the next
    static constexpr double kLabelWidth = 60;   // pixels from a labelled point to the next
    static constexpr double kCharWidth = 7;     // pixels, about, of a character of the labels
    static constexpr std::size_t kMaxCaptions = 4;  // more lines: only the selected one's summary

    // After a conversion: the lines of a levelling job (none for any other
    // job) and the levelling rows they came from; the view fits them.
    void load(std::vector<LineProfile> lines, const std::vector<std::string>& rows);
    bool empty() const { return lines_.empty(); }
    const std::vector<LineProfile>& lines() const { return lines_; }
    const std::vector<ProfileItem>& items() const { return items_; }

    void resize(int width, int height) override;
    void fit() override;
    void zoom(ScreenPoint anchor, double factor) override;
    void pan(double dx, double dy) override;
    // The row of the point nearest to s within kHitRadius; kNoPoint for none.
    std::size_t hit(ScreenPoint s) const override;

    ScreenPoint toScreen(double along, double height) const;

    // The point a levelling row names: of the points of the row's line
    // with the row's name, the one whose row is nearest. nullptr when the
    // row names none (a start or end row of a line).
    const ProfileItem* itemOfRow(std::size_t row) const;

    // Everything to draw, the point of selectedRow marked; layers as the
    // plan's switches: the marks, the names, the heights.
    Drawing drawing(std::size_t selectedRow, const std::array<bool, 3>& layers) const;

    // The line under the pane for a row: its point, line, distance and
    // height (names in MIK); "" when the row names no point.
    std::string describe(std::size_t row) const;

private:
    // The plot's edges on the screen.
    double left() const { return kAxisLeft; }
    double right() const { return width_ - kMargin - kLabelWidth; }
    double top() const { return top_; }
    // The room above the plot for the summaries.
    void placeTop();
    double bottom() const { return height_ - kAxisBottom - kMargin; }
    // The summaries above the plot, each broken after its commas into
    // lines as wide as the view.
    std::vector<std::pair<std::string, Ink>> captions(std::size_t selectedRow) const;
    std::vector<std::pair<std::string, Ink>> captions(const std::vector<const LineProfile*>& lines) const;
    const LineProfile* lineOfRow(std::size_t row) const;
    void addGrid(Drawing& d) const;
    void addSetUps(Drawing& d, std::size_t line) const;

    std::vector<LineProfile> lines_;
    std::vector<double> offsets_;       // where each line starts along the job
    std::vector<ProfileItem> items_;
    std::vector<std::size_t> rowItem_;  // per levelling row, its item; kNoPoint for none
    double minAlong_ = 0, maxAlong_ = 0, minHeight_ = 0, maxHeight_ = 0;
    // The middle of the plot, and pixels per metre along and up.
    double centreAlong_ = 0, centreHeight_ = 0, scaleAlong_ = 1, scaleHeight_ = 1;
    double top_ = 0;
    bool fitted_ = true;
};

}  // namespace tervan::desk
