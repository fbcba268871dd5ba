#include "bench/bench_data.h"

#include <cstdio>
#include <cstdlib>

#include "core/rng.h"

namespace tervan::bench {

void createOrExit(OutputFile& out, const std::string& path) {
    if (out.create(path)) return;
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    std::exit(1);
}

void generateLeica(const std::string& path, long lines) {
    OutputFile out;
    createOrExit(out, path);
    Rng rng;
    for (long i = 0; i < lines; ++i) {
        double ih = 1.5 + static_cast<double>((i / 50) % 7) * 0.01;
        out.print("P%ld,%.4f,%.4f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f\n", i, rng.draw() / 81.9175, 90 + rng.draw() / 1638.35,
                  rng.draw() / 100.0, 1.5, ih, 9500000.0 + rng.draw() * 3.1, 4700000.0 + rng.draw() * 2.9,
                  100 + rng.draw() / 500.0);
    }
    out.close();
}

void generateScatteredLeica(const std::string& path, long points) {
    OutputFile out;
    bench::createOrExit(out, path);
    Rng rng;
    // Two draws a coordinate: one alone leaves the points on the lattice
    // of the generator.
    auto metres = [&rng] { return (rng.draw() + rng.draw() / 32768.0) * 3000 / 32768; };
    for (long i = 0; i < points; ++i) {
        if (i % 500 == 0) out.print("\n");
        const double X = 4700000.0 + metres(), Y = 9500000.0 + metres();
        out.print("P%ld,%.4f,%.4f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f\n", i, rng.draw() / 81.9175, 90 + rng.draw() / 1638.35,
                  rng.draw() / 100.0, 1.5, 1.55, Y, X, 100 + rng.draw() / 500.0);
    }
    out.close();
}

Session sessionWithoutOutputs(const std::string& model) {
    Session session;
    for (const auto& key : settingKeys())
        if (key.kind == KeyKind::Flag) session.settings.*key.flag = 0;
    session.settings.Model = model;
    return session;
}

}  // namespace tervan::bench
