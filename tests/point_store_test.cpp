// The point store gives back every value a record was appended with, bit
// for bit, whatever the store keeps in the record itself and what beside it.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "core/point_store.h"
#include "core/printf.h"

namespace tervan {
namespace {

// Every field, the numbers by their bits (so that -0 is not 0).
std::string picture(const Point& p) {
    std::string text = strf("%s|%s|%s|%d%d%d%d%d%d", p.SN.c_str(), p.N.c_str(), p.code.c_str(), p.isStation,
                            p.faceTwo, p.hasGivenOm, p.computed, p.setUp, p.unreadable);
    for (double v : {p.X, p.Y, p.Z, p.IH, p.TH, p.V, p.H, p.SD, p.Om, p.givenOm})
        appendf(text, " %llx", static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(v)));
    return text;
}

TEST(PointStore, GivesBackEveryValue) {
    const std::string long1(70000, 'a'), long2(65535, 'b'), code(40000, 'c');
    struct Case {
        const char* what;
        Point in;
        Point out;  // in, with the names as the store keeps them
    };
    const std::vector<Case> cases = {
        {"coordinates only", {.N = "P1", .X = 1.5, .Y = -2, .Z = 3}, {.N = "P1", .X = 1.5, .Y = -2, .Z = 3}},
        {"nothing at all", {}, {}},
        {"a negative zero in an observation", {.N = "Z", .TH = -0.0}, {.N = "Z", .TH = -0.0}},
        {"a flag alone", {.unreadable = true, .N = "U"}, {.unreadable = true, .N = "U"}},
        {"every field",
         {.isStation = true, .faceTwo = true, .hasGivenOm = true, .computed = true, .setUp = true, .SN = " S1 ",
          .N = "#7", .code = "TREE", .X = 1, .Y = 2, .Z = 3, .IH = 1.6, .TH = 1.3, .V = 99.5, .H = 201.25,
          .SD = 12.345, .Om = 7, .givenOm = 8},
         {.isStation = true, .faceTwo = true, .hasGivenOm = true, .computed = true, .setUp = true, .SN = "S1",
          .N = "100007", .code = "TREE", .X = 1, .Y = 2, .Z = 3, .IH = 1.6, .TH = 1.3, .V = 99.5, .H = 201.25,
          .SD = 12.345, .Om = 7, .givenOm = 8}},
        {"not numbers", {.N = "I", .X = INFINITY, .SD = NAN}, {.N = "I", .X = INFINITY, .SD = NAN}},
        {"names longer than a block of the arena", {.SN = long1, .N = long2, .code = code},
         {.SN = long1, .N = long2, .code = code}},
        {"the same station and code again", {.SN = long1, .N = "2", .code = code}, {.SN = long1, .N = "2", .code = code}},
    };
    PointStore store;
    for (const Case& c : cases) appendPoint(store, c.in);
    ASSERT_EQ(store.points.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(picture(store.points[i]), picture(cases[i].out)) << cases[i].what;

    // A record changed keeps its names; values set where there were none,
    // and taken away, are given back as they are.
    for (std::size_t i = 0; i < cases.size(); ++i) {
        store.points.edit(i, [](Point& p) {
            p.N = "changed";
            std::swap(p.X, p.SD);
            p.computed = !p.computed;
        });
        Point expected = cases[i].out;
        std::swap(expected.X, expected.SD);
        expected.computed = !expected.computed;
        EXPECT_EQ(picture(store.points[i]), picture(expected)) << cases[i].what;
    }

    // A name appended after the store was cleared.
    clearStore(store);
    EXPECT_TRUE(store.points.empty());
    appendPoint(store, {.N = "again"});
    EXPECT_EQ(picture(store.points.back()), picture(Point{.N = "again"}));
}

}  // namespace
}  // namespace tervan
