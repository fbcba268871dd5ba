// An H, V, SD run over 100,000 records: stations of 40 observations each,
// every other observation with its second-face copy, as the coordinate list
// reader yields them for such a list. Prints the time of the calculation and
// of the whole run (calculation, observation table, the nxyz output).
#include <chrono>
#include <cstdio>
#include <string>

#include "core/printf.h"
#include "conversion/driver.h"

using namespace tervan;

namespace {

constexpr int kRecords = 100000;

void fill(Session& session) {
    PointStore& store = session.store;
    store.points.clear();
    int station = 0;
    std::string sn;
    while (static_cast<int>(store.points.size()) < kRecords) {
        std::size_t i = store.points.size();
        bool opens = i % 60 == 0;
        if (opens) sn = strf("S%d", ++station);
        double x = 4700000 + (i * 37 % 5000) * 0.731, y = 9500000 + (i * 91 % 7000) * 0.517;
        std::string name = opens ? sn : strf("%zu", 100000 + i);
        Point p{.isStation = opens, .faceTwo = false, .SN = sn, .N = name, .X = x, .Y = y,
                .Z = 100 + (i % 300) * 0.1, .IH = 1.55, .TH = 1.3, .Om = store.orientation};
        appendPoint(store, p);
        if (!opens && i % 2 == 1 && store.points.size() < kRecords) {
            p.isStation = false;
            p.faceTwo = true;
            appendPoint(store, p);
        }
    }
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    Session session;
    session.fixedSeed = 1;
    fill(session);
    std::size_t records = session.store.points.size();

    auto start = std::chrono::steady_clock::now();
    calculateHvsd(session.store, session.rng, session.errors);
    double calculation = secondsSince(start);

    Settings& s = session.settings;
    s.Model = "nxyz";
    s.DpiFile = s.KorFile = s.LevelsFile = s.NamesFile = s.PointsFile = s.ScriptsFile = 0;
    s.NyxzFile = s.XyzFile = s.TrasFile = s.TwoDFile = 0;
    s.NxyzFile = 1;
    session.inputPath = folder + "/hvsd_bench.txt";
    start = std::chrono::steady_clock::now();
    Result result = recalculateHvsd(session, {"2", "50", "50"});
    double run = secondsSince(start);

    std::printf("hvsd: %zu records, calculation %.3f s, whole run %.3f s (%s)\n", records, calculation, run,
                result.summary.c_str());
    return result.outputFailed() ? 1 : 0;
}
