// How long format detection takes per file: every bundled example repeated
// to about 1 MB (detection reads its first 64 KB), detected 50 times; beside
// it, the conversion of the same file with the detected model and no
// outputs. The target is well under 10 ms per file.
// Usage: bench_detect FOLDER
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "conversion/detect.h"
#include "conversion/driver.h"
#include "conversion/models.h"
#include "core/output_file.h"

using namespace tervan;

namespace {

constexpr int kRuns = 50;
constexpr std::size_t kFileBytes = 1 << 20;

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

std::string readAll(const std::filesystem::path& path) {
    std::string bytes, reason;
    readWholeFile(path.string(), bytes, reason);
    return bytes;
}

// Printable bytes and blanks, never a line feed.
std::string endlessLine(std::size_t size) {
    std::string bytes(size, ' ');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 7 == 0 ? ' ' : '0' + i % 10);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const std::string folder = argc > 1 ? argv[1] : ".";
    std::vector<fs::path> examples;
    for (const auto& entry : fs::directory_iterator(TERVAN_EXAMPLES)) examples.push_back(entry.path());
    std::sort(examples.begin(), examples.end());

    std::printf("format detection, %d runs per file of about 1 MB (median):\n", kRuns);
    double slowest = 0, slowestMedian = 0;
    for (const fs::path& example : examples) {
        const std::string once = readAll(example);
        if (once.empty()) continue;
        std::string bytes;
        while (bytes.size() < kFileBytes) bytes += once;
        const std::string path = folder + "/detect_" + example.filename().string();
        writeTextFile(path, bytes);

        std::vector<double> times;
        Detection d;
        for (int i = 0; i < kRuns; ++i) {
            auto start = std::chrono::steady_clock::now();
            d = detectFile(path);
            times.push_back(millisecondsSince(start));
        }
        std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
        const double detect = times[kRuns / 2];
        slowestMedian = std::max(slowestMedian, detect);
        slowest = std::max(slowest, *std::max_element(times.begin(), times.end()));

        Session session;
        for (const auto& key : settingKeys())
            if (key.kind == KeyKind::Flag) session.settings.*key.flag = 0;
        session.settings.Model = d.best() ? d.best()->name : "Leica1200";
        FixedPrompts prompts;
        auto start = std::chrono::steady_clock::now();
        convert(session, path, prompts);
        const double conversion = millisecondsSince(start);
        std::printf("  %-20s %-20s detection %6.2f ms, conversion %7.2f ms (detection %4.1f%% of it)\n",
                    example.filename().string().c_str(), d.best() ? d.best()->name : "(no model fits)", detect,
                    conversion, 100 * detect / conversion);
    }
    std::printf("slowest median %.2f ms; slowest single run %.2f ms (other work on the machine included)\n",
                slowestMedian, slowest);

    // A line far longer than the pieces the line reader hands over is looked
    // through once: every point model's reader over 3 MB without a line feed.
    const std::string endless = endlessLine(3u << 20);
    double slowestReader = 0;
    for (const auto& model : models()) {
        if (!model.read) continue;
        Input input(endless);
        PointStore store;
        Result counts;
        ReaderContext context{store, counts};
        auto start = std::chrono::steady_clock::now();
        model.read(input, context);
        slowestReader = std::max(slowestReader, millisecondsSince(start));
    }
    std::printf("3 MB without a line feed: the slowest point reader %.2f ms\n", slowestReader);
    return slowestMedian < 10 ? 0 : 1;
}
