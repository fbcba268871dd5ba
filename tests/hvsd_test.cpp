#include "levelling/hvsd.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_util.h"

namespace tervan {
namespace {

Point at(const char* station, const char* name, double X, double Y, double Z, bool isStation = false,
         bool faceTwo = false) {
    return {.isStation = isStation, .faceTwo = faceTwo, .SN = station, .N = name, .X = X, .Y = Y, .Z = Z};
}

// A session whose store holds a station S at X 0, Y 100, Z 0 and then pts,
// with the given orientation and no random errors unless asked for.
Session withStation(std::vector<Point> pts, double orientation = 0) {
    Session session = test::quietSession();
    appendPoint(session.store, at("S", "S", 0, 100, 0));
    for (Point& p : pts) appendPoint(session.store, std::move(p));
    session.store.orientation = orientation;
    session.errors = {0, 0, 0};
    return session;
}

std::size_t calculate(Session& session) { return calculateHvsd(session.store, session.rng, session.errors); }

TEST(Hvsd, GeometryFromStationToPoint) {
    struct Case {
        double X, Y, Z, IH, TH, O;
        double H, V, SD;
    };
    const Case cases[] = {
        {100, 100, 0, 0, 0, 0, 0, 100, 100},
        {0, 200, 0, 0, 0, 0, 100, 100, 100},
        {0, 0, 0, 0, 0, 0, 300, 100, 100},
        {-100, 100, 0, 0, 0, 0, 200, 100, 100},
        {0, 200, 0, 0, 0, 12.5, 112.5, 100, 100},
        {100, 200, 0, 0, 0, 0, 50, 100, std::sqrt(20000.0)},
        // above and below the station, coinciding with it
        {0, 100, 5, 0, 0, 7, 7, 0, 5},
        {0, 100, -5, 0, 0, 7, 7, 200, 5},
        {0, 100, 0, 0, 0, 7, 7, 0, 0},
        // target height added, instrument height subtracted
        {100, 100, 0, 1.5, 1.5, 0, 0, 100, 100},
        {100, 100, 0, 0, 100, 0, 0, 50, std::sqrt(20000.0)},
        // only a sum above 400 is brought down
        {0, 0, 0, 0, 0, 150, 50, 100, 100},
        {0, 100, 5, 0, 0, 400, 400, 0, 5},
    };
    for (const Case& c : cases) {
        Point p = at("S", "P", c.X, c.Y, c.Z);
        p.IH = c.IH;
        p.TH = c.TH;
        Session session = withStation({p}, c.O);
        calculate(session);
        const Point& r = session.store.points[1];
        SCOPED_TRACE(testing::Message() << c.X << "," << c.Y << "," << c.Z << " O " << c.O);
        // the gon factor's pi of 3.141592654 puts right angles 1e-8 off
        EXPECT_NEAR(r.H, c.H, 1e-7);
        EXPECT_NEAR(r.V, c.V, 1e-7);
        EXPECT_NEAR(r.SD, c.SD, 1e-9);
        EXPECT_EQ(r.Om, c.O);
    }
}

TEST(Hvsd, SecondFaceTurnsBothCircles) {
    // face one H 50, V 100 and H 250, V 50
    const double up = std::sqrt(20000.0);
    Session session = withStation({at("S", "A", 100, 200, 0), at("S", "A", 100, 200, 0, 0, 1),
                                   at("S", "B", -100, 0, up), at("S", "B", -100, 0, up, 0, 1)});
    calculate(session);
    const auto& p = session.store.points;
    EXPECT_NEAR(p[1].H, 50, 1e-7);
    EXPECT_NEAR(p[2].H, 250, 1e-7);
    EXPECT_NEAR(p[2].V, 300, 1e-7);
    EXPECT_NEAR(p[3].H, 250, 1e-7);
    EXPECT_NEAR(p[3].V, 50, 1e-7);
    EXPECT_NEAR(p[4].H, 50, 1e-7);
    EXPECT_NEAR(p[4].V, 350, 1e-7);
}

TEST(Hvsd, PairErrorsCancelAndStayInBounds) {
    // 300 pairs at 1000 m: fSD 2 gives at most 0.01 m, fH and fV 50 at most
    // 0.0025 gon.
    std::vector<Point> pts;
    for (int i = 0; i < 300; ++i) {
        double a = i * 0.02;
        pts.push_back(at("S", "P", 1000 * std::cos(a), 100 + 1000 * std::sin(a), 0));
        pts.push_back(at("S", "P", 1000 * std::cos(a), 100 + 1000 * std::sin(a), 0, 0, 1));
    }
    Session exact = withStation(pts);
    calculate(exact);
    Session session = withStation(pts);
    session.errors.SD = 2;
    session.errors.H = session.errors.V = 50;
    session.rng.seed(5);
    calculate(session);
    double largestSD = 0, largestH = 0;
    const auto& p = session.store.points;
    for (std::size_t i = 1; i < p.size(); i += 2) {
        const Point &a = p[i], &b = p[i + 1];
        EXPECT_NEAR(a.SD + b.SD, 2 * exact.store.points[i].SD, 1e-9);
        EXPECT_NEAR(a.V + b.V, 400, 1e-9);
        double eSD = a.SD - exact.store.points[i].SD;
        double eH = std::remainder(a.H - exact.store.points[i].H, 400);
        double eV = a.V - exact.store.points[i].V;
        EXPECT_LE(std::fabs(eSD), 0.01);
        EXPECT_LE(std::fabs(eH), 0.0025 + 1e-9);
        EXPECT_LE(std::fabs(eV), 0.0025 + 1e-9);
        // the copy carries the opposite error, so the mean of the faces is exact
        EXPECT_NEAR(std::remainder(b.H - exact.store.points[i + 1].H, 400), -eH, 1e-9);
        largestSD = std::max(largestSD, std::fabs(eSD));
        largestH = std::max(largestH, std::fabs(eH));
    }
    EXPECT_GT(largestSD, 0.008);
    EXPECT_GT(largestH, 0.002);
}

TEST(Hvsd, RecordThatIsACopyAndOpensAPair) {
    // A, B (copy of A), C (copy of B): B opens the pair B-C, A the pair A-B;
    // B takes only the errors of its own pair.
    Session session = withStation({at("S", "P", 100, 100, 0), at("S", "P", 100, 100, 0, 0, 1),
                                   at("S", "P", 100, 100, 0, 0, 1)});
    session.errors.SD = 1000;
    session.rng.seed(3);
    calculate(session);
    const auto& p = session.store.points;
    EXPECT_NEAR(p[2].SD + p[3].SD, 200, 1e-9);
    EXPECT_NE(p[1].SD + p[2].SD, 200);
    // a copy without a record before it gets no errors
    Session lone = test::quietSession();
    appendPoint(lone.store, at("S", "P", 100, 100, 0, 0, 1));
    appendPoint(lone.store, at("S", "S", 0, 100, 0));
    lone.errors.SD = 1000;
    calculate(lone);
    EXPECT_EQ(lone.store.points[0].SD, 100);
}

TEST(Hvsd, OneOrientationPerStationGroup) {
    Session session = test::quietSession();
    PointStore& s = session.store;
    appendPoint(s, at("S1", "S1", 10, 10, 0, 1));
    appendPoint(s, at("S1", "P1", 20, 10, 0));
    appendPoint(s, at("S2", "S2", 30, 10, 0, 1));
    appendPoint(s, at("S2", "P2", 40, 10, 0));
    appendPoint(s, at("S2", "P3", 40, 20, 0));
    appendPoint(s, at("S3", "S3", 50, 10, 0, 1));
    appendPoint(s, at("S3", "P4", 50, 20, 0));
    s.orientation = 123.25;
    session.rng.seed(11);
    calculate(session);
    const auto& p = s.points;
    EXPECT_EQ(p[5].Om, 123.25);  // the last group keeps the orientation drawn before the run
    EXPECT_EQ(p[6].Om, 123.25);
    EXPECT_EQ(p[2].Om, p[3].Om);
    EXPECT_EQ(p[2].Om, p[4].Om);
    EXPECT_EQ(p[0].Om, p[1].Om);
    EXPECT_NE(p[0].Om, p[2].Om);
    EXPECT_NE(p[2].Om, p[5].Om);
    EXPECT_EQ(s.orientation, [] {
        Rng r;
        r.seed(11);
        r.draw();
        r.draw();
        return r.draw() / 32767.0 * 400;
    }());
    // the station row itself points at its own position: H = O
    EXPECT_NEAR(p[2].H, p[2].Om, 1e-12);
}

TEST(Hvsd, MissingOrZeroStationKeepsObservations) {
    Session session = test::quietSession();
    Point missing = at("nowhere", "P1", 5, 5, 5, 1);
    missing.H = 1;
    missing.V = 2;
    missing.SD = 3;
    appendPoint(session.store, missing);
    Point origin = at("O", "P2", 5, 5, 5, 1);
    origin.H = 4;
    appendPoint(session.store, origin);
    appendPoint(session.store, at("O", "O", 0, 0, 0));
    session.store.orientation = 9;
    Rng before = session.rng;
    calculate(session);
    const auto& p = session.store.points;
    EXPECT_EQ(p[0].H, 1);
    EXPECT_EQ(p[0].V, 2);
    EXPECT_EQ(p[0].SD, 3);
    EXPECT_EQ(p[1].H, 4);
    EXPECT_EQ(p[0].Om, 9);
    EXPECT_EQ(p[1].Om, 9);
    EXPECT_EQ(session.rng.state, before.state);  // no orientation is drawn for them
}

TEST(Hvsd, FirstRecordOfANameIsTheStation) {
    Session session = test::quietSession();
    appendPoint(session.store, at("S", "P", 100, 0, 0));
    appendPoint(session.store, at("S", "S", 0, 0, 0.001));
    appendPoint(session.store, at("S", "S", 500, 500, 500));
    calculate(session);
    EXPECT_NEAR(session.store.points[0].SD, 100, 1e-6);
}

// A session that has converted dir/job.txt and holds a small store.
struct HvsdRun {
    test::ScratchDir dir;
    Session session = test::quietSession();

    HvsdRun() {
        session.settings.Model = "nxyz";
        session.inputPath = dir.file("job.txt");
        session.settings.NxyzFile = 1;
        appendPoint(session.store, at("S1", "S1", 100, 100, 10, 1));
        appendPoint(session.store, at("S1", "P1", 150, 130, 12));
        appendPoint(session.store, at("S1", "P1", 150, 130, 12, 0, 1));
        appendPoint(session.store, at("S2", "S2", 200, 100, 10, 1));
        appendPoint(session.store, at("S2", "P2", 250, 130, 12));
        appendPoint(session.store, at("S2", "P2", 250, 130, 12, 0, 1));
    }
    Result result;
    void run(const char* dSD = "2", const char* dH = "50", const char* dV = "50") {
        result = recalculateHvsd(session, {dSD, dH, dV});
    }
};

TEST(HvsdRun, DrawsTheOrientationBeforeReseeding) {
    HvsdRun r;
    r.session.fixedSeed = 77;
    r.run();
    // the unseeded generator's first draw is 41
    EXPECT_EQ(r.session.store.points[5].Om, 41 / 32767.0 * 400);
    EXPECT_EQ(r.session.store.points[3].Om, 41 / 32767.0 * 400);
    EXPECT_EQ(r.result.message.substr(0, r.session.inputPath.size() + 2), "<" + r.session.inputPath + ">");
    EXPECT_EQ(r.result.summary, "H, V, SD computed for 6 points");
    EXPECT_EQ(r.result.computed, 6u);
    EXPECT_TRUE(test::fileExists(r.dir.file("job_nxyz.txt")));

    auto observations = [](const Session& p) {
        std::vector<double> v;
        for (const Point& q : p.store.points) v.insert(v.end(), {q.H, q.V, q.SD, q.Om});
        return v;
    };
    HvsdRun same;
    same.session.fixedSeed = 77;
    same.run();
    EXPECT_EQ(observations(same.session), observations(r.session));
    HvsdRun other;
    other.session.fixedSeed = 78;
    other.run();
    EXPECT_NE(observations(other.session), observations(r.session));
}

TEST(HvsdRun, ErrorSizesComeFromTheSettingsAboveTheThreshold) {
    HvsdRun r;
    r.run("3", "0", "1e-8");
    EXPECT_EQ(r.session.settings.dSD, "3");
    EXPECT_EQ(r.session.settings.dH, "0");
    EXPECT_EQ(r.session.settings.dV, "1e-8");
    EXPECT_EQ(r.session.errors.SD, 3);
    EXPECT_EQ(r.session.errors.H, 50);  // 0 and 1e-8 keep the previous sizes
    EXPECT_EQ(r.session.errors.V, 50);
    r.run("0", "0.5", "x");
    EXPECT_EQ(r.session.errors.SD, 3);
    EXPECT_EQ(r.session.errors.H, 0.5);
    EXPECT_EQ(r.session.errors.V, 50);
}

TEST(HvsdRun, NeitherOffsetNorScaleRunsAgain) {
    HvsdRun r;
    r.session.settings.X0 = "10";
    r.session.settings.x1000 = 1;
    const std::vector<Point> before(r.session.store.points.begin(), r.session.store.points.end());
    r.run();
    r.run();
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(r.session.store.points[i].X, before[i].X);
        EXPECT_EQ(r.session.store.points[i].Z, before[i].Z);
    }
    EXPECT_EQ(r.session.settings.x1000, 1);
    EXPECT_EQ(test::readFile(r.dir.file("job_nxyz.txt")).substr(0, 41), "    S1    100.000    100.000     10.000\r\n");
}

TEST(HvsdRun, NothingToComputeWithoutAnInput) {
    HvsdRun r;
    r.session.inputPath.clear();
    const std::vector<Point> before(r.session.store.points.begin(), r.session.store.points.end());
    r.run();
    EXPECT_EQ(r.result.message, "H, V, SD: nothing to compute, no file has been converted");
    EXPECT_EQ(r.result.outcome, Outcome::NothingToDo);
    EXPECT_FALSE(test::fileExists("_nxyz.txt"));
    EXPECT_EQ(r.session.store.points[1].SD, before[1].SD);
}

TEST(HvsdRun, LevellingModelsComputeNothing) {
    for (const char* model : {"DNA8", "Dini USB", "Dini BF"}) {
        HvsdRun r;
        r.session.settings.Model = model;
        Rng before = r.session.rng;
        r.run();
        EXPECT_TRUE(r.result.keepMessage) << model;
        EXPECT_EQ(r.result.outcome, Outcome::NothingToDo) << model;
        EXPECT_EQ(r.session.rng.state, before.state) << model;
        EXPECT_EQ(r.session.store.points[1].SD, 0) << model;
        EXPECT_TRUE(std::filesystem::is_empty(r.dir.path())) << model;
    }
}

TEST(HvsdRun, SummaryCountsTheRecordsComputed) {
    struct Case {
        const char* name;
        std::vector<Point> points;
        std::size_t computed;
        const char* summary;
    };
    const Case cases[] = {
        {"every station known", {at("S", "S", 1, 1, 0, 1), at("S", "P", 2, 2, 0)}, 2,
         "H, V, SD computed for 2 points"},
        {"one station without coordinates", {at("S", "S", 1, 1, 0, 1), at("S", "P", 2, 2, 0), at("T", "Q", 3, 3, 0, 1)},
         2, "H, V, SD computed for 2 of 3 points; the others have no station with coordinates"},
        {"no station with coordinates", {at("S", "P", 2, 2, 0, 1), at("S", "Q", 3, 3, 0)}, 0,
         "H, V, SD: no record has a station with coordinates; nothing computed"},
    };
    for (const Case& c : cases) {
        HvsdRun r;
        clearStore(r.session.store);
        for (const Point& p : c.points) appendPoint(r.session.store, p);
        r.run();
        EXPECT_EQ(r.result.computed, c.computed) << c.name;
        EXPECT_EQ(r.result.summary, c.summary) << c.name;
    }
}

TEST(HvsdRun, ALongStoreNeedsNoDeepStack) {
    Session session = test::quietSession();
    session.inputPath = "unused";
    for (int i = 0; i < 300000; ++i)
        appendPoint(session.store, at("S", i == 0 ? "S" : "P", i, 1, 0, i % 1000 == 0));
    calculate(session);
    EXPECT_NEAR(session.store.points.back().SD, 299999, 1e-6);
}

}  // namespace
}  // namespace tervan
