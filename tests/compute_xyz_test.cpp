#include "conversion/compute_xyz.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "conversion/known_points.h"
#include "levelling/hvsd.h"
#include "readers/gsi.h"
#include "test_util.h"

namespace tervan {
namespace {

Point listed(const char* name, double X, double Y, double Z) {
    return {.SN = "#0", .N = name, .X = X, .Y = Y, .Z = Z};
}

Point observed(const char* station, const char* name, double H, double V, double SD, bool isStation = false,
               double IH = 0, double TH = 0) {
    return {.isStation = isStation, .SN = station, .N = name, .IH = IH, .TH = TH, .V = V, .H = H, .SD = SD};
}

PointStore storeOf(std::vector<Point> points) {
    PointStore store;
    for (Point& p : points) appendPoint(store, std::move(p));
    return store;
}

struct Expected {
    double X, Y, Z;
};

void expectAt(const Point& p, Expected e, double tolerance = 1e-6) {
    SCOPED_TRACE(p.N);
    EXPECT_NEAR(p.X, e.X, tolerance);
    EXPECT_NEAR(p.Y, e.Y, tolerance);
    EXPECT_NEAR(p.Z, e.Z, tolerance);
}

// A station S at X 1000, Y 2000, Z 100, not oriented by a backsight (its
// first observation is to an unknown point), so directions are bearings.
TEST(ComputeXyz, PolarGeometry) {
    const double s2 = std::sqrt(0.5);
    struct Case {
        const char* what;
        double H, V, SD, IH, TH;
        Expected at;
    };
    const Case cases[] = {
        {"north", 0, 100, 10, 0, 0, {1010, 2000, 100}},
        {"east", 100, 100, 10, 0, 0, {1000, 2010, 100}},
        {"first quadrant", 50, 100, 10, 0, 0, {1000 + 10 * s2, 2000 + 10 * s2, 100}},
        {"second quadrant", 150, 100, 10, 0, 0, {1000 - 10 * s2, 2000 + 10 * s2, 100}},
        {"third quadrant", 250, 100, 10, 0, 0, {1000 - 10 * s2, 2000 - 10 * s2, 100}},
        {"fourth quadrant", 350, 100, 10, 0, 0, {1000 + 10 * s2, 2000 - 10 * s2, 100}},
        {"second face of east", 300, 300, 10, 0, 0, {1000, 2010, 100}},
        {"second face of the fourth quadrant", 150, 350, 10, 0, 0, {1000 + 5, 2000 - 5, 100 + 10 * s2}},
        {"above, heights", 0, 50, 10, 1.5, 1.3, {1000 + 10 * s2, 2000, 100 + 10 * s2 + 0.2}},
        {"below, heights", 100, 150, 10, 1.6, 2.0, {1000, 2000 + 10 * s2, 100 - 10 * s2 - 0.4}},
        {"plumb up", 123, 0, 4, 1, 1, {1000, 2000, 104}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PointStore store = storeOf({listed("S", 1000, 2000, 100), observed("S", "U", 0, 100, 0, 1),
                                    observed("S", "P", c.H, c.V, c.SD, 0, c.IH, c.TH)});
        XyzReport report = computeXyz(store, {});
        const Point& p = store.points[2];
        expectAt(p, c.at);
        EXPECT_TRUE(p.computed);
        EXPECT_EQ(p.Om, 0);
        EXPECT_EQ(report.computed, 1u);
        EXPECT_EQ(report.unoriented, std::vector<std::string>{"S"});
    }
}

TEST(ComputeXyz, WhatIsLeftAsItWas) {
    // read coordinates, no slope distance, no station, a station at 0,0,0
    PointStore store = storeOf({listed("S", 1000, 2000, 100), listed("Z", 0, 0, 0),
                                observed("S", "A", 10, 100, 5, 1), observed("S", "B", 10, 100, 0),
                                observed("S", "C", 10, 100, 5), observed("Q", "D", 10, 100, 5, 1),
                                observed("Q", "E", 10, 100, 5), observed("Z", "F", 10, 100, 5, 1)});
    store.points.edit(4, [](Point& p) { p.X = 7; });
    XyzReport report = computeXyz(store, {});
    const auto& p = store.points;
    EXPECT_TRUE(p[2].computed);
    for (std::size_t i : {3, 5, 6, 7}) {
        EXPECT_FALSE(p[i].computed) << p[i].N;
        EXPECT_EQ(p[i].Y, 0) << p[i].N;
    }
    EXPECT_EQ(p[4].X, 7);
    EXPECT_EQ(report.computed, 1u);
    ASSERT_EQ(report.unplaced.size(), 2u);
    EXPECT_EQ(report.unplaced[0].station, "Q");
    EXPECT_EQ(report.unplaced[0].records, 2u);
    EXPECT_EQ(report.unplaced[1].station, "Z");
}

TEST(ComputeXyz, BacksightOrientsTheWholeGroupAndKnownPointsComeFirst) {
    // B lies due east of S: bearing 100. The circle read 37 on it, so the
    // orientation is 337 and a reading of 137 is a bearing of 200 (south).
    // The store's own S and B are overruled by the known points.
    PointStore known = storeOf({listed("S", 1000, 2000, 100), listed("B", 1000, 2100, 100)});
    PointStore store = storeOf({listed("S", 5, 5, 5), observed("S", "B", 37, 100, 100.004, 1),
                                observed("S", "P", 137, 100, 20), observed("S", "R", 37, 300, 20)});
    XyzReport report = computeXyz(store, known);
    const auto& p = store.points;
    EXPECT_TRUE(report.unoriented.empty());
    expectAt(p[2], {980, 2000, 100});
    expectAt(p[3], {1000, 1980, 100});
    // the backsight keeps the known position, 4 mm off what it measured
    expectAt(p[1], {1000, 2100, 100});
    EXPECT_TRUE(p[1].computed);
    EXPECT_TRUE(report.spreads.empty());
    for (std::size_t i = 1; i < 4; ++i) EXPECT_NEAR(p[i].Om, 337, 1e-7);  // the gon factor puts right angles 1e-8 off

    // a file's own orientation goes before the backsight
    store = storeOf({listed("S", 1000, 2000, 100), observed("S", "B", 37, 100, 100, 1),
                     observed("S", "P", 137, 100, 20)});
    store.points.edit(2, [](Point& record) {
        record.hasGivenOm = true;
        record.givenOm = 37;
    });
    computeXyz(store, known);
    expectAt(store.points[2], {1000, 2020, 100});
    EXPECT_EQ(store.points[2].Om, 37);
}

TEST(ComputeXyz, TraverseAndSpreads) {
    // From S (backsight N) the new station T is placed 100 m north, and P 50 m
    // east in both faces, 8 mm apart. From T (backsight S, read as 250, so
    // the orientation is 50) P again, once right and once 25 mm too far.
    const double toP = std::atan2(50.0, -100.0) * kGonPerRadian + 50, distance = std::hypot(100.0, 50.0);
    PointStore store = storeOf({listed("S", 1000, 2000, 100), listed("N", 1200, 2000, 100),
                                observed("S", "N", 0, 100, 200, 1), observed("S", "T", 0, 100, 100),
                                observed("S", "P", 100, 100, 50), observed("S", "P", 300, 300, 50.008),
                                observed("T", "S", 250, 100, 100, 1), observed("T", "P", toP, 100, distance),
                                observed("T", "Q", 250, 100, 10), observed("T", "P", toP, 100, distance + 0.025)});
    XyzReport report = computeXyz(store, {});
    const auto& p = store.points;
    expectAt(p[3], {1100, 2000, 100});
    for (std::size_t i : {4, 5, 7, 9}) expectAt(p[i], {1000, 2050, 100});
    EXPECT_NEAR(p[6].Om, 50, 1e-7);
    expectAt(p[8], {1090, 2000, 100});
    ASSERT_EQ(report.spreads.size(), 1u);
    EXPECT_EQ(report.spreads[0].point, "P");
    EXPECT_NEAR(report.spreads[0].metres, 0.025, 0.0005);
    EXPECT_EQ(report.computed, 8u);
}

// GSI set-ups: a station at the origin is placed; a station set up again
// elsewhere stands there for the shots after it, and the move is reported;
// a shot whose V cannot be read is named and not computed. The shots are
// bearings (no backsight): P 10 m east, level.
TEST(ComputeXyz, GsiSetUpsPlaceTheStation) {
    const std::string shot = " 21.102+10000000 22.102+10000000 31..00+00010000 \r\n";
    const std::string file = "110001+000000S1 84..10+00000000 85..10+00000000 86..10+00000000 \r\n"
                             "110002+00000001" + shot +
                             "110003+000000S1 84..10+00000030 85..10+00000040 86..10+00000000 \r\n"
                             "110004+00000002" + shot +
                             "110005+00000003 21.102+10000000 22.102+1000000X 31..00+00010000 \r\n"
                             "110006+000000S2 84..10+00000000 85..10+00000000 86..10+00000000 \r\n"
                             "110007+000000S1 84..10+00000000 85..10+00000000 86..10+00000000 \r\n"
                             "110008+00000004" + shot;
    Input input(file);
    PointStore store;
    Result read;
    ReaderContext ctx{store, read};
    readGsi(input, ctx);
    XyzReport report = computeXyz(store, {});
    std::vector<std::string> at;
    auto mm = [](double m) { return std::round(m * 1000) / 1000 + 0.0; };  // no "-0.000"
    for (const Point& p : store.points)
        if (p.computed) at.push_back(strf("%s %.3f %.3f %.3f", p.N.c_str(), mm(p.X), mm(p.Y), mm(p.Z)));
    EXPECT_EQ(at, (std::vector<std::string>{"1 0.000 10.000 0.000", "2 0.040 10.030 0.000", "4 0.000 10.000 0.000"}));
    EXPECT_TRUE(report.unplaced.empty());
    ASSERT_EQ(report.moved.size(), 1u);
    EXPECT_EQ(report.moved[0].point, "S1");
    EXPECT_NEAR(report.moved[0].metres, 0.05, 1e-9);
    EXPECT_EQ(report.unreadable, std::vector<std::string>{"3"});
    Result result;
    reportCoordinates(report, result);
    EXPECT_NE(result.message.find("\r\nstations set up again elsewhere (each set-up used for the shots after it): S1 "
                                  "0.050 m\r\nrecords with an H, V or SD that cannot be read, not computed: 3"),
              std::string::npos);
    EXPECT_EQ(result.warnings, (std::vector<std::string>{"no orientation at S1: directions taken as bearings",
                                                         "set up again elsewhere: S1 0.050 m",
                                                         "not computed, H, V or SD cannot be read: 3"}));
}

// Coordinates -> H, V, SD without errors -> coordinates again: stations in
// every quadrant of the plane, points all around them, above and below,
// both faces, every station with its own random orientation.
TEST(ComputeXyz, RoundTripThroughTheHvsdCalculation) {
    PointStore store;
    const double stations[][3] = {{4712000, 9512000, 100}, {-350.5, 820.25, -3}, {-1200, -40, 510.5},
                                  {75, -9000, 0.4}};
    const char* names[] = {"S1", "S2", "S3", "S4"};
    for (int s = 0; s < 4; ++s)
        appendPoint(store, listed(names[s], stations[s][0], stations[s][1], stations[s][2]));
    for (int s = 0; s < 4; ++s) {
        for (int k = 0; k < 16; ++k) {
            const double a = k * 0.41 + s, d = 3 + 37.5 * k;
            const std::string name = std::to_string(s * 100 + k);
            Point p{.isStation = k == 0,
                    .SN = names[s],
                    .N = name,
                    .X = stations[s][0] + d * std::cos(a),
                    .Y = stations[s][1] + d * std::sin(a),
                    .Z = stations[s][2] + (k % 2 ? 1 : -1) * 0.3 * k,
                    .IH = 1.55,
                    .TH = k % 3 * 0.8};
            Point second = p;
            second.isStation = false;
            second.faceTwo = true;
            appendPoint(store, p);
            appendPoint(store, second);
        }
    }
    const std::vector<Point> original(store.points.begin(), store.points.end());
    Rng rng;
    rng.seed(99);
    calculateHvsd(store, rng, {0, 0, 0});
    for (std::size_t i = 4; i < store.points.size(); ++i) store.points.edit(i, [](Point& p) { p.X = p.Y = p.Z = 0; });

    XyzReport report = computeXyz(store, {});
    EXPECT_EQ(report.computed, store.points.size() - 4);
    EXPECT_TRUE(report.unoriented.empty());
    EXPECT_TRUE(report.spreads.empty());
    for (std::size_t i = 4; i < store.points.size(); ++i) {
        const Point& o = original[i];
        expectAt(store.points[i], {o.X, o.Y, o.Z});
    }
}

// Whatever a reader lets through (infinities, NaN, huge and negative
// values, names that repeat, stations observed from themselves): nothing
// crashes, and every coordinate computed is a number.
TEST(ComputeXyz, SurvivesAnyValues) {
    const double values[] = {0, 1, -1, 400, 1e300, -1e300, std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(), 1e-300, 250};
    const char* names[] = {"A", "B", "C", ""};
    std::mt19937 rng(16);
    auto value = [&] { return values[rng() % std::size(values)]; };
    for (int round = 0; round < 50; ++round) {
        PointStore store, known;
        for (int i = 0; i < 40; ++i) {
            Point p{.isStation = rng() % 4 == 0, .SN = names[rng() % 4], .N = names[rng() % 4],
                    .IH = value(), .TH = value(), .V = value(), .H = value(), .SD = value()};
            if (rng() % 3 == 0) p.X = value(), p.Y = value(), p.Z = value();
            if (rng() % 5 == 0) {
                p.hasGivenOm = true;
                p.givenOm = value();
            }
            appendPoint(store, p);
            if (rng() % 4 == 0) appendPoint(known, listed(names[rng() % 4], value(), value(), value()));
        }
        computeXyz(store, known);
        for (const Point& p : store.points) {
            if (p.computed) {
                ASSERT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z));
            }
        }
    }
}

TEST(KnownPoints, TheListIsReadByItsName) {
    const std::pair<const char*, const char*> cases[] = {
        {"/a/known.txt", "nxyz"},       {"C:\\a\\JOB_NYXZ.TXT", "nyxz"}, {"/a/points.KOR", "kor"},
        {"/a.kor/list.txt", "nxyz"},    {"/nyxz/list.txt", "nxyz"},      {"job_nyxz.kor", "kor"},
    };
    for (const auto& [path, model] : cases) EXPECT_STREQ(knownPointsModel(path), model) << path;

    test::ScratchDir dir;
    test::writeFile(dir.file("k_nyxz.txt"), "A 9512000.5 4712000.25 100\n");
    PointStore known;
    std::string error;
    ASSERT_TRUE(readKnownPoints(dir.file("k_nyxz.txt"), known, error));
    ASSERT_EQ(known.points.size(), 1u);
    EXPECT_EQ(known.points[0].X, 4712000.25);
    for (const std::string& bad : {dir.file("missing.txt"), dir.path().string()}) {
        EXPECT_FALSE(readKnownPoints(bad, known, error)) << bad;
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(known.points.empty());
    }
    // Every kind of line end gives both points, the last line with or
    // without one.
    for (const char* end : {"\n", "\r\n", "\r"}) {
        for (const char* last : {"", end}) {
            test::writeFile(dir.file("k.txt"), std::string("A 1 2 3") + end + "B 4 5 6" + last);
            ASSERT_TRUE(readKnownPoints(dir.file("k.txt"), known, error));
            ASSERT_EQ(known.points.size(), 2u) << "line end " << int(end[0]) << ", last " << int(last[0]);
            EXPECT_EQ(known.points[1].N, "B");
            EXPECT_EQ(known.points[1].Z, 6);
        }
    }
}

// Whole conversions: a Pentax polar file whose station A has its
// coordinates in the known points and a backsight to one; whose station B
// (placed from A) is not oriented, its first observation being to a new
// point; and whose station C has no coordinates.
struct PolarJob {
    test::ScratchDir dir;
    std::string input = dir.file("job.txt");
    std::string known = dir.file("job.kor");
    Session session = test::quietSession();

    PolarJob() {
        test::writeFile(input,
                        "STS:A\nPPD:K\nRTH:0\nRTV:100\nRTD:100\nPPD:B\nRTH:100\nRTV:100\nRTD:10\n"
                        "PPD:P\nRTH:100\nRTV:100\nRTD:20.02\n"
                        "STS:B\nPPD:R\nRTH:50\nRTV:100\nRTD:5\nPPD:P\nRTH:100\nRTV:100\nRTD:10\n"
                        "STS:C\nPPD:Q\nRTH:0\nRTV:100\nRTD:10\n");
        test::writeFile(known, "A;6;1000;2000;5;100\nK;6;1100;2000;5;100\n");
        session.settings.Model = "Pentax300Polar";
        session.settings.KorFile = 1;
        session.settings.KnownPoints = known;
    }
};

TEST(ComputeXyzConversion, OffChangesNothingOnComputesAndReports) {
    PolarJob job;
    Result off = test::convertFile(job.session, job.input);
    EXPECT_EQ(off.message.find("XYZ"), std::string::npos);
    for (const Point& p : job.session.store.points) EXPECT_TRUE(isZeroPoint(p)) << p.N;
    EXPECT_EQ(test::readFile(job.known), "A;6;1000;2000;5;100\nK;6;1100;2000;5;100\n");

    job.session.settings.ComputeXYZ = 1;
    Result on = test::convertFile(job.session, job.input);
    const auto& p = job.session.store.points;
    ASSERT_EQ(p.size(), 6u);
    expectAt(p[2], {1000, 2020.02, 100});
    expectAt(p[4], {1000, 2020.02, 100});  // kept where placed from A, 2 cm off from B
    EXPECT_FALSE(p[5].computed);
    EXPECT_NE(on.message.find("SN,\tIH,\tN,\tTH,\tH,\tV,\tSD,\tX,\t\tY,\tZ,\tOm,\tXYZ\r\n"), std::string::npos);
    EXPECT_NE(on.message.find("\t 0.000\tcomputed   \r\n"), std::string::npos);
    const std::string reports = on.message.substr(on.message.find("\r\n" + job.known) + 2);
    EXPECT_EQ(reports, job.known + " not written: it is the list of known points\r\n"
                       "XYZ computed for 5 records; 2 known points read from " + job.known + "\r\n"
                       "stations without orientation, their directions taken as bearings: B\r\n"
                       "stations without coordinates, their observations got none: C (1)\r\n"
                       "points placed twice more than 0.01 m apart (kept where placed first): P 0.020 m");
    EXPECT_EQ(on.summary, "27 lines read, 6 points, 0 lines ignored; XYZ computed for 5 records from the known points of " +
                              std::filesystem::path(job.known).filename().string());
    EXPECT_EQ(on.warnings, (std::vector<std::string>{"no orientation at B: directions taken as bearings",
                                                     "no coordinates for the stations C",
                                                     "placed twice more than 0.01 m apart: P 0.020 m"}));
    EXPECT_TRUE(on.knownPointsError.empty());
    EXPECT_EQ(test::readFile(job.known), "A;6;1000;2000;5;100\nK;6;1100;2000;5;100\n");

    // the list stays set for the next job, which it does not belong to: said plainly
    test::writeFile(job.known, "Q;6;1000;2000;5;100\n");
    Result other = test::convertFile(job.session, job.input);
    ASSERT_FALSE(other.warnings.empty());
    EXPECT_EQ(other.warnings.front(), "the known points of " + std::filesystem::path(job.known).filename().string() +
                                          " name none of this file's stations");
}

TEST(ComputeXyzConversion, AListThatCannotBeReadIsReportedAndTheRestGoesOn) {
    PolarJob job;
    job.session.settings.ComputeXYZ = 1;
    job.session.settings.KnownPoints = job.dir.file("missing.txt");
    Result r = test::convertFile(job.session, job.input);
    EXPECT_EQ(r.outcome, Outcome::Done);
    EXPECT_EQ(r.knownPointsError, "cannot read the known points " + job.dir.file("missing.txt") +
                                      ": No such file or directory");
    EXPECT_NE(r.message.find("\r\n" + r.knownPointsError + "\r\n"), std::string::npos);
    EXPECT_EQ(r.message.find("known points read"), std::string::npos);
    EXPECT_TRUE(test::fileExists(job.dir.file("job.kor")));
}

}  // namespace
}  // namespace tervan
