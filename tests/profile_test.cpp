// The profile of a levelling job: which point each levelling row names,
// what a click hits, where the points are drawn and what marks them, on the
// levelling example with its benchmarks (two lines, the second starting on
// the first one's end point).
#include "desk/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "test_util.h"

namespace tervan {
namespace {

using desk::Profile;
using desk::ScreenPoint;

struct ProfileRig {
    test::ScratchDir dir;
    Result result;
    Profile profile;
    ProfileRig() {
        Session session = test::quietSession();
        session.settings.Model = "DNA8";
        session.settings.KnownPoints = dir.file("known.txt");
        const std::string examples = std::string(TERVAN_EXAMPLES) + "/";
        test::writeFile(session.settings.KnownPoints, test::readFile(examples + "level_known.txt"));
        test::writeFile(dir.file("line.gsi"), test::readFile(examples + "level_line.gsi"));
        result = test::convertFile(session, dir.file("line.gsi"));
        profile.load(result.profiles, result.levelRows);
        profile.resize(400, 300);
    }
};

TEST(Profile, RowsNamePointsAndClicksSelectTheRowsThatGaveTheirHeights) {
    ProfileRig r;
    const Profile& profile = r.profile;
    ASSERT_EQ(profile.lines().size(), 2u);
    ASSERT_EQ(r.result.levelRows.size(), 41u);
    struct Case {
        std::size_t row;     // of the levelling rows, from 0
        const char* name;    // the point it names; nullptr for none
        int line;
        double distance;     // m from the line's start
        std::size_t givenBy; // the row that gave its height, which a click on the point selects
    };
    const Case cases[] = {
        {0, nullptr, 0, 0, 0},   // Start-Line
        {1, "BM1", 1, 0, 1},     // its start height
        {2, "BM1", 1, 0, 1},     // the back sight on it
        {3, "T1", 1, 60.0, 4},   // the fore sight, then its height row
        {8, "T2", 1, 121.4, 7},  // the back sight of the next set-up
        {9, "IS1", 1, 135.4, 9}, // an intermediate sight: its back point's distance and its own
        {19, "BM2", 1, 359.9, 20},
        {21, "BM2", 1, 359.9, 20},  // the line's sums name its last point
        {23, nullptr, 0, 0, 0},     // End-Line
        {24, nullptr, 0, 0, 0},     // Start-Line of line 2
        {25, "BM2", 2, 0, 25},      // line 2 starts where line 1 ended: its own BM2, drawn on line 1's
        {37, "BM1", 2, 280.0, 37},
        {39, "BM1", 2, 280.0, 37},  // Db
        {40, nullptr, 0, 0, 0},
        {41, nullptr, 0, 0, 0},  // past the last row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const desk::ProfileItem* item = profile.itemOfRow(c.row);
        if (!c.name) {
            EXPECT_EQ(item, nullptr);
            EXPECT_EQ(profile.describe(c.row), "");
            continue;
        }
        ASSERT_NE(item, nullptr);
        const LineProfile& line = profile.lines()[item->line];
        const ProfilePoint& p = line.points[item->point];
        EXPECT_EQ(p.name, c.name);
        EXPECT_EQ(line.number, c.line);
        EXPECT_NEAR(p.distance, c.distance, 1e-9);
        // the lines follow each other along the job
        EXPECT_NEAR(item->along, c.distance + (c.line == 2 ? 359.9 : 0), 1e-9);
        EXPECT_EQ(p.row, c.givenBy);
        EXPECT_EQ(profile.describe(c.row).rfind(std::string(c.name) + "   line " + std::to_string(c.line), 0), 0u);
        // a click a little beside the point selects the row that gave its height
        const ScreenPoint at = profile.toScreen(item->along, item->height);
        EXPECT_EQ(profile.hit({at.x + 2, at.y - 2}), c.row == 25 ? 20 : c.givenBy);
        // fitted: inside the plot, right of the heights' axis, above the distances'
        EXPECT_GE(at.x, Profile::kAxisLeft - 1e-6);
        EXPECT_LE(at.x, 400 - Profile::kMargin);
        EXPECT_GE(at.y, Profile::kMargin);
        EXPECT_LE(at.y, 300 - Profile::kAxisBottom - Profile::kMargin + 1e-6);
    }
    EXPECT_EQ(profile.hit({2, 2}), kNoPoint);
}

TEST(Profile, MarksSetUpsBenchmarksMisclosuresAndTheSelection) {
    ProfileRig r;
    Profile& profile = r.profile;
    const std::size_t t3 = 11;  // T3's height row
    const desk::Drawing d = profile.drawing(t3, {true, true, true});
    auto count = [&](desk::Shape shape) {
        return std::count_if(d.marks.begin(), d.marks.end(), [&](const desk::Mark& m) { return m.shape == shape; });
    };
    EXPECT_EQ(count(desk::Shape::Triangle), 10);  // 6 + 4 set-ups
    EXPECT_EQ(count(desk::Shape::Square), 4);     // BM1 and BM2 on both lines
    EXPECT_EQ(count(desk::Shape::Dot), 1);        // IS1
    ASSERT_EQ(count(desk::Shape::Ring), 1);
    const desk::ProfileItem* selected = profile.itemOfRow(t3);
    const ScreenPoint ring = std::find_if(d.marks.begin(), d.marks.end(), [](const desk::Mark& m) {
                                 return m.shape == desk::Shape::Ring;
                             })->at;
    EXPECT_EQ(ring.x, profile.toScreen(selected->along, selected->height).x);
    // the misclosures in the summaries' words and tones; the summaries
    // broken after a comma to fit 400 pixels
    auto label = [&](const std::string& text) {
        return std::find_if(d.labels.begin(), d.labels.end(),
                            [&](const desk::Label& l) { return l.text.find(text) != std::string::npos; });
    };
    ASSERT_NE(label("misclosure +3.2 mm"), d.labels.end());
    EXPECT_EQ(label("misclosure +3.2 mm")->ink, desk::Ink::Good);
    ASSERT_NE(label("misclosure +21.5 mm"), d.labels.end());
    EXPECT_EQ(label("misclosure +21.5 mm")->ink, desk::Ink::Failure);
    ASSERT_NE(label("line 1: 0.360 km, 6 set-ups,"), d.labels.end());
    EXPECT_NE(label("  allowed \xC2\xB1" "12.0 mm: within tolerance"), d.labels.end());
    // without the marks' layer: no marks but the selection
    EXPECT_EQ(profile.drawing(t3, {false, true, true}).marks.size(), 1u);

    // the wheel zooms about the mouse; fitting again puts every point back
    const ScreenPoint before = profile.toScreen(selected->along, selected->height);
    profile.zoom({before.x, before.y}, desk::Pane::kWheelStep);
    const ScreenPoint after = profile.toScreen(selected->along, selected->height);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);
    profile.pan(30, -10);
    EXPECT_NEAR(profile.toScreen(selected->along, selected->height).x, before.x + 30, 1e-9);
    ASSERT_TRUE(profile.key('0'));
    EXPECT_NEAR(profile.toScreen(selected->along, selected->height).y, before.y, 1e-9);
}

// A recording's "1e999" or a distance of a billion kilometres neither
// hangs the drawing nor puts a point at infinity, zoomed in as far as the
// view goes.
TEST(Profile, ValuesThatAreNoNumbersAreNotDrawn) {
    const double huge = 1e300 * 1e300;
    LineProfile line{.number = 1,
                     .points = {{.name = "A", .height = 100, .row = 0},
                                {.name = "B", .distance = 1e15, .height = 101, .row = 1},
                                {.name = "C", .distance = huge, .height = 100, .row = 2, .fore = true,
                                 .setUpAt = 5, .sightHeight = huge}}};
    Profile profile;
    profile.load({line}, {"1\tA", "2\tB", "3\tC"});
    profile.resize(400, 300);
    for (int i = 0; i < 200; ++i) profile.zoom({200, 150}, 4);
    for (const desk::Drawing& d : {profile.drawing(2, {true, true, true}), [&] {
                                       profile.fit();
                                       return profile.drawing(2, {true, true, true});
                                   }()}) {
        for (const desk::Stroke& s : d.strokes)
            for (const ScreenPoint& p : s.points) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        for (const desk::Mark& m : d.marks) EXPECT_TRUE(std::isfinite(m.at.x) && std::isfinite(m.at.y));
        EXPECT_LT(d.labels.size(), 100u);
    }
}

}  // namespace
}  // namespace tervan
