#include "levelling/level_closure.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tervan {
namespace {

LevelPoint turn(const char* name, double distance, double height) {
    return {.name = name, .distance = distance, .height = height, .correctedAt = distance};
}

// Worked by hand: the misclosure w = measured - known at the closing point,
// allowed k·√L with L its distance in km, corrections -w·d/L, intermediate
// sights with the correction of their set-up's back point.
TEST(LevelClosure, LinesLoopsAndOpenLines) {
    const Benchmarks benchmarks = {{"A", 100.0}, {"B", 100.5}, {"BM7", 215.4432}, {"E", 216.0}};
    struct Case {
        const char* what;
        LevelLine line;
        const char* summary;
        std::vector<double> correctionsMm;
    };
    const Case cases[] = {
        {"a line from A to the benchmark B: +3.2 mm over 0.4 km, 20·√0.4 = 12.6 mm allowed",
         {.number = 1,
          .points = {turn("A", 0, 100.0), turn("T1", 100, 101.0),
                     {.name = "I", .distance = 130, .height = 101.2, .correctedAt = 100, .intermediate = true},
                     turn("T2", 200, 101.5), turn("B", 400, 100.5032)},
          .startHeightGiven = true,
          .setUps = 3,
          .length = 400},
         "line 1: 0.400 km, 3 set-ups, misclosure +3.2 mm, allowed \xC2\xB1" "12.6 mm: within tolerance",
         {0, -0.8, -0.8, -1.6, -3.2}},
        {"a loop back to its start, 25.1 mm over 0.9 km: 19.0 mm allowed",
         {.number = 2,
          .points = {turn("L", 0, 50.0), turn("M", 450, 50.5), turn("L", 900, 50.0251)},
          .startHeightGiven = true,
          .setUps = 2,
          .length = 900},
         "line 2: 0.900 km, 2 set-ups, misclosure +25.1 mm, allowed \xC2\xB1" "19.0 mm: over tolerance",
         {0, -12.55, -25.1}},
        {"no benchmark at its end and not a loop",
         {.number = 3,
          .points = {turn("A", 0, 100.0), turn("Q", 205, 99.0)},
          .startHeightGiven = true,
          .setUps = 1,
          .length = 205},
         "line 3: 0.205 km, 1 set-up: not closed, no benchmark at its end and not a loop",
         {0, 0}},
        {"no start height in the file: it starts from the benchmark BM7",
         {.number = 4,
          .points = {turn("BM7", 0, 0), turn("E", 250, 0.5571)},
          .setUps = 1,
          .length = 250},
         "line 4: 0.250 km, 1 set-up, misclosure +0.3 mm, allowed \xC2\xB1" "10.0 mm: within tolerance",
         {0, -0.3}},
        {"the last benchmark on the line closes it; points after it take its correction",
         {.number = 5,
          .points = {turn("A", 0, 100.0), turn("B", 100, 100.498), turn("X", 150, 100.1)},
          .startHeightGiven = true,
          .setUps = 2,
          .length = 150},
         "line 5: 0.100 km, 2 set-ups, misclosure -2.0 mm, allowed \xC2\xB1" "6.3 mm: within tolerance",
         {0, 2.0, 2.0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LevelLine line = c.line;
        Closure closure = closeLine(line, benchmarks, 20);
        EXPECT_EQ(closureSummary(line, closure), c.summary);
        ASSERT_EQ(closure.corrections.size(), c.correctionsMm.size());
        for (std::size_t i = 0; i < c.correctionsMm.size(); ++i)
            EXPECT_NEAR(closure.corrections[i] * 1000, c.correctionsMm[i], 1e-6) << line.points[i].name;
        // the adjusted heights meet the known height at the closing point
        if (closure.closed) {
            const std::size_t end = closure.closingPoint;
            EXPECT_NEAR(line.points[end].height + closure.corrections[end], closure.known, 1e-9);
        }
    }
}

}  // namespace
}  // namespace tervan
