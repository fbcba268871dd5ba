// Converts a generated 1,000,000-line Leica 1200 file into the four
// coordinate lists and prints the wall time and the peak memory.
// Usage: bench_convert FOLDER [LINES]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "conversion/driver.h"
#include "core/output_file.h"
#include "core/printf.h"

using namespace tervan;

namespace {

// A station every 50 points; names, angles and coordinates vary line by line.
void generateLeica(const std::string& path, long lines) {
    OutputFile out;
    if (!out.create(path)) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        std::exit(1);
    }
    Rng rng;
    for (long i = 0; i < lines; ++i) {
        double ih = 1.5 + static_cast<double>((i / 50) % 7) * 0.01;
        out.print("P%ld,%.4f,%.4f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f\n", i, rng.draw() / 81.9175, 90 + rng.draw() / 1638.35,
                  rng.draw() / 100.0, 1.5, ih, 9500000.0 + rng.draw() * 3.1, 4700000.0 + rng.draw() * 2.9,
                  100 + rng.draw() / 500.0);
    }
    out.close();
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
    return 0;
}
