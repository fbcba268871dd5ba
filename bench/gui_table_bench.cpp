// How long the observation table of a generated Leica 1200 file takes to
// appear in the main window's grid, conversion included, and how much
// memory the conversion and the grid take together. Offscreen platform
// unless another is asked for. Prints one line; bench_peers runs it at
// 100,000 and 1,000,000 points.
// Usage: bench_gui_table FOLDER [POINTS]
#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/main_window.h"
#include "bench/bench_data.h"
#include "conversion/driver.h"
#include "core/output_file.h"

using namespace tervan;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The resident memory now, in MB.
double residentMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096 / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string folder = argc > 1 ? argv[1] : ".";
    long points = argc > 2 ? std::atol(argv[2]) : 100000;
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    std::string input = folder + "/leica_table.txt";
    bench::generateLeica(input, points);
    Session session = bench::sessionWithoutOutputs("Leica1200");

    gui::MainWindow window(session);
    window.show();
    QApplication::processEvents();
    const double before = residentMb();

    auto start = std::chrono::steady_clock::now();
    FixedPrompts prompts;
    Result result = convert(session, input, prompts);
    const double converted = secondsSince(start);

    start = std::chrono::steady_clock::now();
    desk::PointTable table(session.store);
    window.showTable(table);
    window.repaint();
    QApplication::processEvents();
    const double shown = secondsSince(start);
    const double extraMb = residentMb() - before;

    start = std::chrono::steady_clock::now();
    QScrollBar* bar = window.grid()->verticalScrollBar();
    bar->setValue(bar->maximum());
    window.repaint();
    QApplication::processEvents();
    const double bottom = secondsSince(start);

    std::printf("%ld rows: %.2f s in all (conversion %.2f s, grid shown %.3f s; last row %.3f s), +%.0f MB\n", points,
                converted + shown, converted, shown, bottom, extraMb);
    return result.points == static_cast<std::size_t>(points) ? 0 : 1;
}
