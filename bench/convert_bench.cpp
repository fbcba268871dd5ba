// Converts a generated 1,000,000-line Leica 1200 file into the four
// coordinate lists and prints the wall time and the peak memory. Then reads
// as many points from a GSI-16 file and from a Zeiss 3303 file (each point
// observed and with coordinates) and prints the time per point of both
// readers and their ratio; then as many shots of each field format (SDR33,
// Nikon RAW, RW5, M5, Geodimeter, GTS-7) and each one's time per point
// against the GSI reader's.
// Usage: bench_convert FOLDER [LINES]
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_data.h"
#include "conversion/driver.h"
#include "conversion/models.h"
#include "core/output_file.h"
#include "core/printf.h"

using namespace tervan;
using bench::createOrExit;
using bench::generateLeica;

namespace {

// One block per point: name, Hz and V in gon, slope distance, easting,
// northing and height in 0.1 mm, target height.
void generateGsi16(const std::string& path, long points) {
    OutputFile out;
    createOrExit(out, path);
    Rng rng;
    for (long i = 0; i < points; ++i)
        out.print("*11%04ld+%016ld 21.322+%016d 22.322+%016d 31..06+%016d 81..06+%016ld 82..06+%016ld "
                  "83..06+%016d 87..16+0000000000015000 \n",
                  i % 10000, i, rng.draw() * 1220, 9000000 + rng.draw() * 61, rng.draw() * 100,
                  95000000000L + rng.draw() * 31000L, 47000000000L + rng.draw() * 29000L, 1000000 + rng.draw() * 20);
    out.close();
}

// Two lines per point: its observation, then its coordinates.
void generateZeiss(const std::string& path, long points) {
    OutputFile out;
    createOrExit(out, path);
    Rng rng;
    for (long i = 0; i < points; ++i) {
        out.print("%7ld        %12ld         SD%12.3f Hz%13.4f V1%9.4f\n", 2 * i % 10000000, i % 1000000,
                  rng.draw() / 100.0, rng.draw() / 81.9175, 90 + rng.draw() / 1638.35);
        out.print("%7ld        %12ld         X %12.3f Y %13.3f Z %9.3f\n", (2 * i + 1) % 10000000, i % 1000000,
                  4700000.0 + rng.draw() * 2.9, 9500000.0 + rng.draw() * 3.1, 100 + rng.draw() / 500.0);
    }
    out.close();
}

// A station, then one SDR33 observation per point.
void generateSdr(const std::string& path, long points) {
    OutputFile out;
    createOrExit(out, path);
    out.print("00NMSDR33 V04-04.02     0000%-16s211111\n", "07-Dec-26 10:00");
    out.print("02TP%16s%-16s%-16s%-16s%-16s\n", "STN1", "5000.000", "3000.000", "120.000", "1.550");
    Rng rng;
    for (long i = 0; i < points; ++i)
        out.print("09F1%16s%16ld%-16.3f%-16.4f%-16.4f%-16s\n", "STN1", i, rng.draw() / 100.0, 90 + rng.draw() / 1638.35,
                  rng.draw() / 81.9175, "FENCE");
    out.close();
}

// The header, a station, then one side shot per point.
void generateNikonRaw(const std::string& path, long points) {
    OutputFile out;
    createOrExit(out, path);
    out.print("CO,Nikon RAW data format V2.00\nCO,Dist Units: Metres\nCO,Angle Units: Gons\n"
              "CO,Zero VA: Zenith\nCO,Coord Order: NEZ\nST,1,,2,,1.550,0.0000,0.0000\n");
    Rng rng;
    for (long i = 0; i < points; ++i)
        out.print("SS,%ld,1.500,%.3f,%.4f,%.4f,10:00:00,FENCE\n", i, rng.draw() / 100.0, rng.draw() / 81.9175,
                  90 + rng.draw() / 1638.35);
    out.close();
}

// The job, the mode, a set-up, then one side shot per point.
void generateRw5(const std::string& path, long points) {
    OutputFile out;
    createOrExit(out, path);
    out.print("JB,NMBENCH,DT12-07-2026,TM10:00:00\nMO,AD0,UN1,SF1.00000000,EC0,EO0.0,AU0\n"
              "OC,OP1,N 5000.000,E 3000.000,EL120.000\nBK,OP1,BP2,BS0.00000,BC0.00000\nLS,HI1.550,HR1.500\n");
    Rng rng;
    for (long i = 0; i < points; ++i)
        out.print("SS,OP1,FP%ld,AR%d.%02d%03d,ZE%d.%02d%03d,SD%.4f,--FENCE\n", i, rng.draw() % 360, rng.draw() % 60,
                  rng.draw() % 600, 80 + rng.draw() % 20, rng.draw() % 60, rng.draw() % 600, rng.draw() / 100.0);
    out.close();
}

// The field formats, each point observed and with coordinates: M5 in two
// lines (observation in DMS, then coordinates), Geodimeter in eight labels,
// GTS-7 in three records (shot, observation, coordinates).
void generateM5(const std::string& path, long points) {
    OutputFile out;
    createOrExit(out, path);
    Rng rng;
    for (long i = 0; i < points; ++i) {
        const int hz = rng.draw() % 360, v = 80 + rng.draw() % 20, m = rng.draw() % 60, sec = rng.draw() % 60;
        out.print("For M5|Adr %05ld|PI1 %27ld|SD %14.3f m   |Hz %14d.%02d%02d DMS |V1 %14d.%02d%02d DMS | \n",
                  (2 * i) % 100000, i, rng.draw() / 100.0, hz, m, sec, v, sec, m);
        out.print("For M5|Adr %05ld|PI1 %27ld|Y  %14.3f m   |X  %14.3f m   |Z  %14.3f m   | \n", (2 * i + 1) % 100000,
                  i, 9500000.0 + rng.draw() * 3.1, 4700000.0 + rng.draw() * 2.9, 100 + rng.draw() / 500.0);
    }
    out.close();
}

void generateGeodimeter(const std::string& path, long points) {
    OutputFile out;
    createOrExit(out, path);
    Rng rng;
    out.print("23=1112\n2=S1\n3=1.550\n");
    for (long i = 0; i < points; ++i)
        out.print("5=%ld\n6=1.500\n24=%.4f\n25=%.4f\n9=%.3f\n37=%.3f\n38=%.3f\n39=%.3f\n", i, rng.draw() / 81.9175,
                  90 + rng.draw() / 1638.35, rng.draw() / 100.0, 4700000.0 + rng.draw() * 2.9,
                  9500000.0 + rng.draw() * 3.1, 100 + rng.draw() / 500.0);
    out.close();
}

void generateGts7(const std::string& path, long points) {
    OutputFile out;
    createOrExit(out, path);
    Rng rng;
    out.print("UNITS   M,G\nSTN     S1,1.550,\n");
    for (long i = 0; i < points; ++i)
        out.print("SS      %ld,1.500,code\nSD      %.4f,%.4f,%.3f\nXYZ     %.3f,%.3f,%.3f\n", i, rng.draw() / 81.9175,
                  90 + rng.draw() / 1638.35, rng.draw() / 100.0, 4700000.0 + rng.draw() * 2.9,
                  9500000.0 + rng.draw() * 3.1, 100 + rng.draw() / 500.0);
    out.close();
}

struct FieldFormat {
    const char* model;
    const char* file;
    void (*generate)(const std::string& path, long points);
};
const FieldFormat kFieldFormats[] = {
    {"SDR", "sdr_big.sdr", generateSdr},
    {"NikonRAW", "nikon_big.raw", generateNikonRaw},
    {"RW5", "rw5_big.rw5", generateRw5},
    {"M5", "m5_big.m5", generateM5},
    {"Geodimeter", "geodimeter_big.job", generateGeodimeter},
    {"GTS7", "gts7_big.gts7", generateGts7},
};

struct ReadTime {
    double seconds = 1e300;
    std::size_t points = 0;
};

// The reader of model alone over the bytes of path, read before the clock
// starts (as a conversion reads its input whole first), the best of three
// runs.
ReadTime timeReader(const char* model, const std::string& path) {
    std::string bytes, reason;
    if (!readWholeFile(path, bytes, reason)) {
        std::fprintf(stderr, "cannot read %s: %s\n", path.c_str(), reason.c_str());
        std::exit(1);
    }
    ReadTime best;
    for (int run = 0; run < 3; ++run) {
        Input input(bytes);
        PointStore store;
        Result counts;
        ReaderContext ctx{store, counts};
        auto start = std::chrono::steady_clock::now();
        findModel(model)->read(input, ctx);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best.seconds = std::min(best.seconds, seconds);
        best.points = store.points.size();
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".";
    long lines = argc > 2 ? std::atol(argv[2]) : 1000000;
    std::string input = folder + "/leica_big.txt";
    generateLeica(input, lines);

    Session session;
    Settings& s = session.settings;
    for (const auto& key : settingKeys())
        if (key.kind == KeyKind::Flag) s.*key.flag = 0;
    s.Model = "Leica1200";
    s.NyxzFile = s.NxyzFile = s.XyzFile = s.TrasFile = 1;

    auto start = std::chrono::steady_clock::now();
    FixedPrompts prompts;
    Result result = convert(session, input, prompts);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("convert %ld-line Leica 1200 file to the four coordinate lists: %.2f s wall, peak memory %.0f MB\n",
                lines, seconds, static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::printf("  %s\n", result.summary.c_str());
    std::printf("  message text %.1f MB\n", static_cast<double>(result.message.size()) / 1e6);

    const std::string gsiInput = folder + "/gsi16_big.gsi", zeissInput = folder + "/zeiss_big.txt";
    generateGsi16(gsiInput, lines);
    generateZeiss(zeissInput, lines);
    const ReadTime gsi = timeReader("GSI", gsiInput), zeiss = timeReader("Zeiss3303", zeissInput);
    std::remove(gsiInput.c_str());
    std::remove(zeissInput.c_str());
    const double gsiPerPoint = gsi.seconds / static_cast<double>(gsi.points) * 1e9;
    const double zeissPerPoint = zeiss.seconds / static_cast<double>(zeiss.points) * 1e9;
    std::printf("read %zu GSI-16 blocks: %.2f s, %.0f ns per point\n", gsi.points, gsi.seconds, gsiPerPoint);
    std::printf("read %zu Zeiss 3303 points (two lines each): %.2f s, %.0f ns per point\n", zeiss.points,
                zeiss.seconds, zeissPerPoint);
    std::printf("  GSI / Zeiss 3303 time per point: %.2f\n", gsiPerPoint / zeissPerPoint);
    for (const FieldFormat& format : kFieldFormats) {
        const std::string path = folder + "/" + format.file;
        format.generate(path, lines);
        const ReadTime t = timeReader(format.model, path);
        std::remove(path.c_str());
        const double perPoint = t.seconds / static_cast<double>(t.points) * 1e9;
        std::printf("read %zu %s shots: %.2f s, %.0f ns per point, %.2f times the GSI reader's\n", t.points,
                    format.model, t.seconds, perPoint, perPoint / gsiPerPoint);
    }
    return 0;
}
