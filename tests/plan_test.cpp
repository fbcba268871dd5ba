// The plan view's logic: what is drawn where, fitting, zooming, panning,
// hitting, and what the front end is told.
#include "desk/plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "desk/desk.h"
#include "test_util.h"

namespace tervan {
namespace {

using desk::Plan;
using desk::PlanePoint;
using desk::ScreenPoint;

Point at(const char* station, const char* name, double X, double Y, double Z = 0) {
    return {.SN = station, .N = name, .X = X, .Y = Y, .Z = Z};
}

// A session holding points, and a plan of 400 x 300 pixels over it.
struct PlanRig {
    Session session = test::quietSession();
    Plan plan{session};
    explicit PlanRig(std::vector<Point> points) {
        for (Point& p : points) appendPoint(session.store, std::move(p));
        plan.load();
        plan.resize(400, 300);
    }
};

void expectScreen(ScreenPoint s, double x, double y) {
    EXPECT_NEAR(s.x, x, 1e-6);
    EXPECT_NEAR(s.y, y, 1e-6);
}

TEST(Plan, ItemsAreTheRecordsWithCoordinatesAndStationsThoseObservedFrom) {
    PlanRig r({at("#0", "S", 100, 200), at("S", "A", 110, 200), at("S", "B", 0, 0), at("S", "S2", 100, 300),
               at("S2", "C", 90, 300), at("S2", "D", std::numeric_limits<double>::infinity(), 300),
               // a set-up that no record names as its station (a Leica station record)
               {.isStation = true, .SN = "T", .N = "T", .X = 95, .Y = 250}});
    ASSERT_EQ(r.plan.items().size(), 5u);
    std::vector<std::size_t> records;
    std::vector<bool> stations;
    for (const auto& item : r.plan.items()) {
        records.push_back(item.record);
        stations.push_back(item.station);
    }
    EXPECT_EQ(records, (std::vector<std::size_t>{0, 1, 3, 4, 6}));
    EXPECT_EQ(stations, (std::vector<bool>{true, false, true, false, true}));
    EXPECT_EQ(r.plan.item(2), nullptr);
    EXPECT_EQ(r.plan.item(3)->record, 3u);
    EXPECT_EQ(r.plan.extent().minX, 90);
    EXPECT_EQ(r.plan.extent().maxY, 300);
}

TEST(Plan, NorthIsUpEastIsRightAndTheFitLeavesTheMarginAndRoomForTheLabels) {
    // 100 m east-west, 50 m north-south: the width decides, 291 px for 100 m,
    // and the labels of the points furthest east end inside the margin.
    PlanRig r({at("#0", "SW", 1000, 2000), at("#0", "NE", 1050, 2100)});
    const double room = Plan::kLabelWidth + 5;
    const double s = (400 - 2 * Plan::kMargin - room) / 100;
    EXPECT_DOUBLE_EQ(r.plan.scale(), s);
    expectScreen(r.plan.toScreen({1025, 2050}), 200 - room / 2, 150);
    expectScreen(r.plan.toScreen({1050, 2100}), 200 - room / 2 + 50 * s, 150 - 25 * s);  // north-east: right and up
    expectScreen(r.plan.toScreen({1000, 2000}), Plan::kMargin, 150 + 25 * s);
    EXPECT_NEAR(r.plan.toScreen({1050, 2100}).x + room, 400 - Plan::kMargin, 1e-9);
    for (const Plan::Shown& shown : r.plan.visible()) EXPECT_TRUE(shown.labelled);
    const PlanePoint back = r.plan.toPlane(r.plan.toScreen({1012.5, 2077.25}));
    EXPECT_NEAR(back.X, 1012.5, 1e-9);
    EXPECT_NEAR(back.Y, 2077.25, 1e-9);

    // a single point sits in the middle, 50 m across the smaller side
    PlanRig one({at("#0", "P", 10, 20)});
    expectScreen(one.plan.toScreen({10, 20}), 200 - room / 2, 150);
    EXPECT_DOUBLE_EQ(one.plan.scale(), (300 - 2 * Plan::kMargin - Plan::kLabelHeight) / 50);
    // points on one north-south line: the height decides
    PlanRig line({at("#0", "A", 0, 5), at("#0", "B", 100, 5)});
    EXPECT_DOUBLE_EQ(line.plan.scale(), (300 - 2 * Plan::kMargin - Plan::kLabelHeight) / 100);
}

TEST(Plan, ZoomKeepsThePointUnderTheMousePanMovesAndResizeRefitsUntilTouched) {
    PlanRig r({at("#0", "SW", 1000, 2000), at("#0", "NE", 1050, 2100)});
    const ScreenPoint mouse{300, 80};
    const PlanePoint under = r.plan.toPlane(mouse);
    const double before = r.plan.scale();
    r.plan.zoom(mouse, Plan::kWheelStep);
    EXPECT_DOUBLE_EQ(r.plan.scale(), before * Plan::kWheelStep);
    expectScreen(r.plan.toScreen(under), 300, 80);
    r.plan.zoom(mouse, 1e30);  // the scale has its limits
    EXPECT_TRUE(std::isfinite(r.plan.toScreen({1000, 2000}).x));
    r.plan.zoom(mouse, 0);
    r.plan.zoom(mouse, -2);

    PlanRig p({at("#0", "SW", 1000, 2000), at("#0", "NE", 1050, 2100)});
    const ScreenPoint was = p.plan.toScreen({1000, 2000});
    p.plan.pan(15, -7);
    expectScreen(p.plan.toScreen({1000, 2000}), was.x + 15, was.y - 7);
    p.plan.resize(800, 600);  // panned: keeps its scale
    EXPECT_DOUBLE_EQ(p.plan.scale(), before);
    p.plan.fit();
    p.plan.resize(800, 600);
    const double fitted = (800 - 2 * Plan::kMargin - Plan::kLabelWidth - 5) / 100;
    EXPECT_DOUBLE_EQ(p.plan.scale(), fitted);

    // the keyboard: + and - a wheel step about the middle, 0 fits
    const PlanePoint middle = p.plan.toPlane({400, 300});
    EXPECT_TRUE(p.plan.key('+'));
    EXPECT_DOUBLE_EQ(p.plan.scale(), fitted * Plan::kWheelStep);
    expectScreen(p.plan.toScreen(middle), 400, 300);
    EXPECT_TRUE(p.plan.key('-'));
    EXPECT_TRUE(p.plan.key('-'));
    EXPECT_DOUBLE_EQ(p.plan.scale(), fitted / Plan::kWheelStep);
    p.plan.resize(800, 500);  // zoomed: no refit
    EXPECT_DOUBLE_EQ(p.plan.scale(), fitted / Plan::kWheelStep);
    EXPECT_TRUE(p.plan.key('0'));
    p.plan.resize(800, 600);
    EXPECT_DOUBLE_EQ(p.plan.scale(), fitted);
    EXPECT_FALSE(p.plan.key('x'));
}

TEST(Plan, HitTakesTheNearestWithinTheRadius) {
    PlanRig r({at("#0", "A", 1000, 2000), at("#0", "B", 1000, 2001.5), at("#0", "C", 1050, 2100)});
    const ScreenPoint a = r.plan.toScreen({1000, 2000}), b = r.plan.toScreen({1000, 2001.5});
    ASSERT_GT(b.x - a.x, 4);  // 4.37 pixels apart
    EXPECT_EQ(r.plan.hit({a.x - 1, a.y + 2}), 0u);
    EXPECT_EQ(r.plan.hit({b.x + 1, b.y}), 1u);
    EXPECT_EQ(r.plan.hit({a.x - Plan::kHitRadius - 0.5, a.y}), kNoPoint);
    EXPECT_EQ(r.plan.hit(r.plan.toScreen({1050, 2100})), 2u);
}

TEST(Plan, VisibleKeepsOnePointPerCellEveryStationAndNothingOffTheScreen) {
    // 1000 points on one spot with a station on it, one point two cells
    // south of them, and one far off the screen once zoomed in on them.
    std::vector<Point> points;
    for (int i = 0; i < 1000; ++i) points.push_back(at("S", "P", 1000, 2000));
    points.push_back(at("#0", "S", 1000, 2000));
    points.push_back(at("#0", "Q", 999.5, 2000));
    points.push_back(at("#0", "FAR", 2000, 3000));
    PlanRig r(points);
    r.plan.zoom(r.plan.toScreen({1000, 2000}), 2 * Plan::kCell / 0.5 / r.plan.scale());
    auto shown = r.plan.visible();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].item->record, 0u);
    EXPECT_EQ(shown[1].item->record, 1001u);
    EXPECT_EQ(shown[2].item->record, 1000u);  // the station last, drawn on top
    EXPECT_TRUE(shown[2].labelled);   // the station has the first claim on its label box
    EXPECT_FALSE(shown[0].labelled);  // so the point under it has no labels

    // more points on the screen than labels are drawn for: none has labels
    std::vector<Point> grid;
    for (int i = 0; i < 1600; ++i) grid.push_back(at("#0", "G", 100 + i / 40, 100 + i % 40));
    PlanRig many(grid);
    auto all = many.plan.visible();
    EXPECT_EQ(all.size(), 1600u);
    EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](const Plan::Shown& s) { return s.labelled; }));
}

TEST(Plan, LabelsLayersScaleBarAndTexts) {
    PlanRig r({at("#0", "P7", 1000, 2000, 123.4567), at("#0", "S", 1000, 2100, 0.5)});
    r.session.settings.NamesLayer = "NAMES";
    EXPECT_EQ(r.plan.nameLabel(r.plan.items()[0]), "P7");
    EXPECT_EQ(r.plan.heightLabel(r.plan.items()[0]), "123.457");
    r.session.settings.Z000 = 0;
    EXPECT_EQ(r.plan.heightLabel(r.plan.items()[0]), "123.46");
    EXPECT_EQ(r.plan.layerName(desk::Layer::Names), "NAMES");
    EXPECT_EQ(r.plan.layerName(desk::Layer::Heights), "NIVA");
    EXPECT_EQ(r.plan.layerName(desk::Layer::Points), "TOCKI");
    r.plan.showLayer(desk::Layer::Heights, false);
    EXPECT_FALSE(r.plan.layerShown(desk::Layer::Heights));

    // 2.91 px a metre: 100 px hold 20 m, not 50
    const Plan::ScaleBar bar = r.plan.scaleBar(100);
    EXPECT_EQ(bar.metres, 20);
    EXPECT_DOUBLE_EQ(bar.pixels, 20 * r.plan.scale());
    EXPECT_EQ(bar.label, "20 m");
    EXPECT_EQ(r.plan.scaleBar(0.15 * r.plan.scale()).label, "0.1 m");

    r.session.store.points.edit(0, [](Point& p) { p.computed = true; });
    EXPECT_EQ(r.plan.describe(0), "P7  from #0   X 1000.000   Y 2000.000   Z 123.457   computed");
    EXPECT_EQ(r.plan.describe(kNoPoint), "");
    r.session.store.points.edit(1, [](Point& p) { p.X = p.Y = p.Z = 0; });
    EXPECT_EQ(r.plan.describe(1), "S  from #0   no coordinates");
    EXPECT_EQ(r.plan.emptyText(), "");

    PlanRig polar({{.SN = "S", .N = "P", .V = 100, .H = 10, .SD = 5}});
    EXPECT_NE(polar.plan.emptyText().find("Tick \"Compute XYZ\""), std::string::npos);
    polar.session.settings.ComputeXYZ = 1;
    EXPECT_NE(polar.plan.emptyText().find("Choose a list of them"), std::string::npos);
    PlanRig list({at("#0", "P", 0, 0)});
    EXPECT_EQ(list.plan.emptyText(), "No point has coordinates.");
    PlanRig none({});
    EXPECT_EQ(none.plan.emptyText(), "");
}

}  // namespace
}  // namespace tervan
