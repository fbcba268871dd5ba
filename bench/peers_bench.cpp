// Tervan against yardsticks measured in the same run, on inputs generated
// here: mawk writing the very lines of the output (and ogr2ogr writing the
// points to a DXF file, when it is installed). Every job runs as a child
// process of its own, so that its peak memory (getrusage) is its own; each
// is run several rounds, a Tervan job right after its yardstick, and the
// table gives the median with the spread (lowest-highest). Then the peak
// memory per point from 10,000 points up, the observation table in the
// window (bench_gui_table) at 100,000 and 1,000,000 rows, and whether the
// files of a run on one thread are the bytes of the run on all cores. The
// first row's yardstick is the floor: dd writing as many bytes as the
// eleven outputs. The exit status is 1 when any file differs.
// Usage: bench_peers FOLDER [POINTS] [ROUNDS] [MEMORY_POINTS]
// (the memory table goes up to MEMORY_POINTS, POINTS unless given)
#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/files.h"
#include "core/printf.h"
#include "core/rng.h"

using namespace tervan;

namespace {

// The yardsticks. Each writes the bytes Tervan writes for the same job
// (the run says whether they do), CR LF line ends included.
constexpr const char* kListAwk = R"({ printf "%6s %10.3f %10.3f %10.3f\r\n", $1, $2, $3, $4 }
)";

// Two passes over the input, as Tervan makes: the points are counted for
// the first free handle of the header, then written as POINT, level TEXT
// and name TEXT.
constexpr const char* kDxfAwk = R"(NR == FNR { if ($2 != 0 || $3 != 0 || $4 != 0) points++; next }
FNR == 1 {
    handle = 126
    while ((getline line < header) > 0) {
        gsub(/\r/, "", line)
        if (line == "LEVEL") line = "NIVA"
        else if (line == "NAMES") line = "NOMERA"
        else if (line == "POINTS") line = "TOCKI"
        else if (line == "````") line = sprintf("%04X", 126 + 3 * points)
        printf "%s\r\n", line
    }
}
$2 != 0 || $3 != 0 || $4 != 0 {
    z = sprintf("%.3f", $4)
    printf "  0\r\nPOINT\r\n  5\r\n%04X\r\n  8\r\nTOCKI\r\n 10\r\n%.3f\r\n 20\r\n%.3f\r\n 30\r\n%s\r\n", handle++, $3, $2, z
    printf "  0\r\nTEXT\r\n  5\r\n%04X\r\n  8\r\nNIVA\r\n 10\r\n%.3f\r\n 20\r\n%.3f\r\n 30\r\n%s\r\n 40\r\n0.5\r\n  1\r\n%s\r\n", handle++, $3, $2, z, z
    printf "  0\r\nTEXT\r\n  5\r\n%04X\r\n  8\r\nNOMERA\r\n 10\r\n%.3f\r\n 20\r\n%.3f\r\n 30\r\n%s\r\n 40\r\n0.5\r\n  1\r\n%s\r\n 72\r\n     2\r\n 11\r\n%.3f\r\n 21\r\n%.3f\r\n 31\r\n%s\r\n 73\r\n     2\r\n", handle++, $3, $2, z, $1, $3, $2, z
}
END { printf "   0\r\nENDSEC\r\n   0\r\nEOF\r\n" }
)";

// The coordinate lines of the Zeiss file by their columns: the name in 16
// to 27, the label X in 37, X, Y and Z behind their labels.
constexpr const char* kZeissAwk = R"(substr($0, 37, 2) == "X " {
    name = substr($0, 16, 12)
    gsub(/ /, "", name)
    printf "%6s %10.3f %10.3f %10.3f\r\n", name, substr($0, 39, 12), substr($0, 54, 13), substr($0, 70, 9)
}
)";

constexpr const char* kSettings =
    "[Model]\nModel=nxyz\n2DFile=No\n3DFile=Yes\nDpiFile=No\nKorFile=No\nLevelsFile=No\nNamesFile=No\n"
    "PointsFile=No\nScriptsFile=No\nNxyzFile=No\nNyxzFile=No\nXyzFile=No\nTrasFile=No\nZ.000=Yes\nx1000=No\n"
    "LetterSize=0.50\nX0=0\nY0=0\nZ0=0\nLevelLayer=NIVA\nNamesLayer=NOMERA\nPointsLayer=TOCKI\n";

const std::vector<std::string> kAllOutputs = {"DpiFile=Yes",   "KorFile=Yes",  "ScriptsFile=Yes", "PointsFile=Yes",
                                              "NamesFile=Yes", "LevelsFile=Yes", "NyxzFile=Yes",   "NxyzFile=Yes",
                                              "XyzFile=Yes",   "TrasFile=Yes",  "2DFile=Yes"};
const std::vector<std::string> kAllSuffixes = {".dpi",      ".kor",      ".scr",     "_point.scr", "_names.scr", "_z.scr",
                                               "_nyxz.txt", "_nxyz.txt", "_xyz.txt", "_tras.dat",  "_3d.dxf"};
// The exchange formats, and every output with them.
const std::vector<std::string> kExchangeSuffixes = {".csv", ".xml"};
const std::vector<std::string> kEveryOutput = [] {
    std::vector<std::string> sets = kAllOutputs;
    sets.insert(sets.end(), {"CsvFile=Yes", "LandXmlFile=Yes"});
    return sets;
}();

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "bench_peers: %s\n", what.c_str());
    std::exit(1);
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) fail("cannot write " + path);
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A coordinate in metres with three decimals, somewhere in a square of
// about a thousand kilometres.
double coordinate(Rng& rng, double base) { return base + (rng.draw() * 32768.0 + rng.draw()) / 1000.0; }

// Writes generated lines a megabyte at a time, so that the benchmark
// itself stays small (see runChild).
class Generated {
public:
    explicit Generated(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
        if (!file_) fail("cannot write " + path);
    }
    ~Generated() {
        flush();
        std::fclose(file_);
    }
    std::string& text() {
        if (text_.size() > (1u << 20)) flush();
        return text_;
    }

private:
    void flush() {
        std::fwrite(text_.data(), 1, text_.size(), file_);
        text_.clear();
    }
    std::FILE* file_;
    std::string text_;
};

// Lines of name, X, Y and Z separated by blanks, ended by line feeds.
void generateNxyz(const std::string& path, long points) {
    Generated out(path);
    Rng rng;
    for (long i = 0; i < points; ++i)
        appendf(out.text(), "P%ld %.3f %.3f %.3f\n", i, coordinate(rng, 4700000), coordinate(rng, 9500000),
                100 + rng.draw() / 50.0);
}

// Zeiss fixed-column records, two lines per point: its observation, then
// its coordinates.
void generateZeiss(const std::string& path, long points) {
    Generated out(path);
    Rng rng;
    for (long i = 0; i < points; ++i) {
        appendf(out.text(), "%7ld        %12ld         SD%12.3f Hz%13.4f V1%9.4f\n", 2 * i % 10000000, i % 1000000,
                rng.draw() / 100.0, rng.draw() / 81.9175, 90 + rng.draw() / 1638.35);
        appendf(out.text(), "%7ld        %12ld         X %12.3f Y %13.3f Z %9.3f\n", (2 * i + 1) % 10000000,
                i % 1000000, coordinate(rng, 4700000), coordinate(rng, 9500000), 100 + rng.draw() / 500.0);
    }
}

struct Run {
    double seconds = 0;
    double peakMb = 0;
    bool ok = false;
};

// Runs argv as a child process, its standard output into stdoutPath (when
// given), and measures its wall time and its own peak resident memory.
Run runChild(const std::vector<std::string>& argv, const std::string& stdoutPath = {}) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // A child starts with the memory of its parent, which the kernel counts
    // into the child's peak: the benchmark gives back what it freed first.
    malloc_trim(0);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid < 0) fail("cannot fork");
    if (pid == 0) {
        const int out = stdoutPath.empty() ? open("/dev/null", O_WRONLY)
                                           : open(stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = open("/dev/null", O_WRONLY);
        if (out < 0 || null < 0) _exit(126);
        dup2(out, 1);
        dup2(null, 2);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) fail("wait4 failed");
    Run run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    return false;
}

// The first line a command prints, for the heading.
std::string firstLine(const std::vector<std::string>& argv, const std::string& folder) {
    const std::string path = folder + "/version.txt";
    runChild(argv, path);
    std::string text = readText(path);
    return text.substr(0, text.find('\n'));
}

std::string cpuModel() {
    std::ifstream in("/proc/cpuinfo");
    for (std::string line; std::getline(in, line);)
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    return "unknown processor";
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// "1.23 (1.20-1.31)": the median and the spread of the rounds.
std::string spread(const std::vector<double>& v) {
    const auto [low, high] = std::minmax_element(v.begin(), v.end());
    std::string text = strf("%.2f", median(v));
    if (v.size() > 1) text += strf(" (%.2f-%.2f)", *low, *high);
    return text;
}

// One row of the table: a Tervan job against a yardstick, round by round.
struct Row {
    std::string job;
    std::function<Run()> tervan;
    std::string peerName;
    std::function<Run()> peer;  // none: the row only measures Tervan
    std::string goal;
    std::vector<Run> tervanRuns, peerRuns;
};

void printRow(const Row& row) {
    std::vector<double> t, p, ratio;
    double tervanMb = 0, peerMb = 0;
    for (std::size_t i = 0; i < row.tervanRuns.size(); ++i) {
        t.push_back(row.tervanRuns[i].seconds);
        tervanMb = std::max(tervanMb, row.tervanRuns[i].peakMb);
        if (i < row.peerRuns.size()) {
            p.push_back(row.peerRuns[i].seconds);
            peerMb = std::max(peerMb, row.peerRuns[i].peakMb);
            ratio.push_back(row.tervanRuns[i].seconds / row.peerRuns[i].seconds);
        }
    }
    const bool hasPeer = !p.empty();
    std::printf("| %s | %s | %.0f | %s | %s | %s | %s | %s |\n", row.job.c_str(), spread(t).c_str(), tervanMb,
                row.peerName.c_str(), hasPeer ? spread(p).c_str() : "", hasPeer ? strf("%.0f", peerMb).c_str() : "",
                hasPeer ? spread(ratio).c_str() : "", row.goal.c_str());
}

bool sameBytes(const std::string& a, const std::string& b) {
    std::string x = readText(a), y = readText(b);
    return !x.empty() && x == y;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = std::filesystem::absolute(argc > 1 ? argv[1] : ".").string();
    const long points = argc > 2 ? std::atol(argv[2]) : 1000000;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
    const long memoryPoints = argc > 4 ? std::atol(argv[4]) : points;
    const std::string bin = programFolder(argv[0]);
    const std::string cli = bin + "tervan-cli", header = bin + "dxf_header.txt";
    const bool ogr = onPath("ogr2ogr");
    std::filesystem::create_directories(folder + "/one");

    const std::string nxyz = folder + "/nxyz.txt", zeiss = folder + "/zeiss.txt", ini = folder + "/bench.ini";
    generateNxyz(nxyz, points);
    generateZeiss(zeiss, points);
    writeText(ini, kSettings);
    writeText(folder + "/list.awk", kListAwk);
    writeText(folder + "/dxf.awk", kDxfAwk);
    writeText(folder + "/zeiss.awk", kZeissAwk);

    auto tervanJob = [&](const std::string& input, const std::string& model, std::vector<std::string> sets,
                         const std::vector<std::string>& environment = {}) {
        std::vector<std::string> args = {"/usr/bin/env"};
        args.insert(args.end(), environment.begin(), environment.end());
        args.insert(args.end(), {cli, "convert", "-q", "--ini", ini, "--dxf-header", header, "--model", model});
        for (const std::string& s : sets) {
            args.push_back("--set");
            args.push_back(s);
        }
        args.push_back(input);
        return [args, input] {
            const std::string base = input.substr(0, input.rfind('.'));
            for (const std::string& suffix : kAllSuffixes) std::filesystem::remove(base + suffix);
            for (const std::string& suffix : kExchangeSuffixes) std::filesystem::remove(base + suffix);
            return runChild(args);
        };
    };
    auto mawkJob = [&](const std::string& program, std::vector<std::string> inputs, const std::string& out,
                       std::vector<std::string> vars = {}) {
        std::vector<std::string> args = {"mawk"};
        for (const std::string& v : vars) args.insert(args.end(), {"-v", v});
        args.insert(args.end(), {"-f", folder + "/" + program});
        args.insert(args.end(), inputs.begin(), inputs.end());
        return [args, out] { return runChild(args, out); };
    };

    const std::string base = folder + "/nxyz", zeissBase = folder + "/zeiss";
    std::vector<Row> rows;
    // The floor: dd writing as many bytes as the eleven outputs hold, in
    // blocks of a megabyte, to the same file system (a first run of the
    // eleven, before the rounds, says how many).
    tervanJob(nxyz, "nxyz", kAllOutputs)();
    std::uintmax_t outputBytes = 0;
    for (const std::string& suffix : kAllSuffixes) outputBytes += std::filesystem::file_size(base + suffix);
    const std::string floorFile = folder + "/floor.bin";
    rows.push_back({"nxyz -> all 11 outputs", tervanJob(nxyz, "nxyz", kAllOutputs),
                    strf("dd, the same %.0f MB", static_cast<double>(outputBytes) / 1e6),
                    [=] {
                        std::filesystem::remove(floorFile);
                        return runChild({"dd", "if=/dev/zero", "of=" + floorFile, "bs=1M", "iflag=count_bytes",
                                         "count=" + std::to_string(outputBytes)});
                    },
                    "<= 3"});
    rows.push_back({"nxyz -> _nxyz.txt", tervanJob(nxyz, "nxyz", {"NxyzFile=Yes"}), "mawk printf",
                    mawkJob("list.awk", {nxyz}, folder + "/mawk_nxyz.txt"), "<= 0.15"});
    rows.push_back({"nxyz -> 3D DXF", tervanJob(nxyz, "nxyz", {"2DFile=Yes"}), "mawk, same entities",
                    mawkJob("dxf.awk", {nxyz, nxyz}, folder + "/mawk_3d.dxf", {"header=" + header}), "<= 0.10"});
    if (ogr) {
        const std::string ogrOut = folder + "/ogr_points.dxf";
        rows.push_back({"nxyz -> 3D DXF", tervanJob(nxyz, "nxyz", {"2DFile=Yes"}), "ogr2ogr, points only",
                        [=] {
                            std::filesystem::remove(ogrOut);
                            return runChild({"ogr2ogr", "-f", "DXF", ogrOut, "CSV:" + nxyz, "-oo", "HEADERS=NO", "-oo",
                                             "X_POSSIBLE_NAMES=field_2", "-oo", "Y_POSSIBLE_NAMES=field_3", "-oo",
                                             "Z_POSSIBLE_NAMES=field_4"});
                        },
                        ""});
    }
    rows.push_back({"Zeiss lines -> _nxyz.txt", tervanJob(zeiss, "Zeiss3303", {"NxyzFile=Yes"}), "mawk by columns",
                    mawkJob("zeiss.awk", {zeiss}, folder + "/mawk_zeiss.txt"), ""});
    rows.push_back({"nxyz -> all 11 outputs", tervanJob(nxyz, "nxyz", kAllOutputs), "mawk printf (one list)",
                    mawkJob("list.awk", {nxyz}, folder + "/mawk_nxyz.txt"), "<= 0.5"});
    rows.push_back({"nxyz -> all 13 (+ CSV, LandXML)", tervanJob(nxyz, "nxyz", kEveryOutput), "mawk printf (one list)",
                    mawkJob("list.awk", {nxyz}, folder + "/mawk_nxyz.txt"), ""});

    std::printf("Tervan against its yardsticks, %ld points, %d rounds (median, lowest-highest)\n", points, rounds);
    std::printf("machine: %s, %u cores; %s", cpuModel().c_str(), std::thread::hardware_concurrency(),
                firstLine({"mawk", "-W", "version"}, folder).c_str());
    if (ogr) std::printf("; %s", firstLine({"ogr2ogr", "--version"}, folder).c_str());
    std::printf("\n\n");

    for (int round = 0; round < rounds; ++round) {
        for (Row& row : rows) {
            if (row.peer) row.peerRuns.push_back(row.peer());
            row.tervanRuns.push_back(row.tervan());
            if (!row.tervanRuns.back().ok) fail("tervan-cli failed in: " + row.job);
        }
    }
    std::printf("| job | Tervan s | Tervan MB | yardstick | yardstick s | yardstick MB | ratio | goal |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (const Row& row : rows) printRow(row);

    // The yardsticks write what Tervan writes: the last runs' files.
    tervanJob(nxyz, "nxyz", {"NxyzFile=Yes", "2DFile=Yes"})();
    tervanJob(zeiss, "Zeiss3303", {"NxyzFile=Yes"})();
    const bool sameList = sameBytes(folder + "/mawk_nxyz.txt", base + "_nxyz.txt");
    const bool sameDxf = sameBytes(folder + "/mawk_3d.dxf", base + "_3d.dxf");
    const bool sameZeiss = sameBytes(folder + "/mawk_zeiss.txt", zeissBase + "_nxyz.txt");
    std::printf("\nsame bytes as Tervan's: mawk list %s, mawk DXF %s, mawk Zeiss list %s\n", sameList ? "yes" : "NO",
                sameDxf ? "yes" : "NO", sameZeiss ? "yes" : "NO");

    // Peak memory of all eleven outputs as the store grows: what a point
    // costs beyond a conversion of one point (the program, its eleven open
    // outputs and their buffers), and what each point beyond the row above
    // adds. Flat columns: the memory grows with the points and no faster.
    std::printf("\npeak memory, all 11 outputs:\n\n| points | peak MB | bytes per point | bytes per point added |\n"
                "|---|---|---|---|\n");
    const std::string small = folder + "/sized.txt";
    generateNxyz(small, 1);
    const double onePoint = tervanJob(small, "nxyz", kAllOutputs)().peakMb;
    std::printf("| 1 | %.1f | | |\n", onePoint);
    double before = onePoint;
    long beforePoints = 1;
    for (long n = 10000; n <= memoryPoints; n *= 10) {
        generateNxyz(small, n);
        const double peak = tervanJob(small, "nxyz", kAllOutputs)().peakMb;
        const double mb = 1024 * 1024;
        std::printf("| %ld | %.1f | %.0f | %.0f |\n", n, peak, (peak - onePoint) * mb / static_cast<double>(n - 1),
                    (peak - before) * mb / static_cast<double>(n - beforePoints));
        before = peak;
        beforePoints = n;
    }
    std::filesystem::remove(small);
    for (const std::string& suffix : kAllSuffixes) std::filesystem::remove(folder + "/sized" + suffix);

    // The window: the table of a conversion in the grid.
    const std::string gui = bin + "bench_gui_table";
    if (access(gui.c_str(), X_OK) == 0) {
        std::printf("\nobservation table in the window (conversion and grid):\n\n");
        for (long n : {100000L, 1000000L}) {
            const std::string out = folder + "/gui.txt";
            const Run run = runChild({gui, folder, std::to_string(n)}, out);
            std::printf("  %s", run.ok ? readText(out).c_str() : "bench_gui_table failed\n");
        }
    }

    // The writers on one thread and on all cores give the same bytes.
    const std::string oneInput = folder + "/one/nxyz.txt";
    std::filesystem::copy_file(nxyz, oneInput, std::filesystem::copy_options::overwrite_existing);
    tervanJob(nxyz, "nxyz", kAllOutputs)();
    const Run one = tervanJob(oneInput, "nxyz", kAllOutputs, {"TERVAN_THREADS=1"})();
    std::size_t same = 0;
    for (const std::string& suffix : kAllSuffixes)
        if (one.ok && sameBytes(base + suffix, folder + "/one/nxyz" + suffix)) ++same;
    std::printf("\none thread against all cores: %s\n",
                !one.ok ? "no one-thread run (TERVAN_THREADS=1 failed)"
                        : strf("%zu of %zu files byte-identical", same, kAllSuffixes.size()).c_str());
    return one.ok && same == kAllSuffixes.size() && sameList && sameDxf && sameZeiss ? 0 : 1;
}
