// How long the observation table of a 100,000-point file takes to appear in
// the main window once the conversion has ended, and how much memory it
// takes: the grid, whose rows are formatted from the point store as they are
// drawn, against the whole message text in a text view (the message area
// as it was), in the same run. Offscreen platform unless another is asked
// for. The target is under a second for 100,000 rows.
// Usage: bench_gui_table FOLDER [POINTS]
#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTableView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/main_window.h"
#include "app/message_area.h"
#include "conversion/driver.h"
#include "core/output_file.h"

using namespace tervan;

namespace {

void generateLeica(const std::string& path, long points) {
    OutputFile out;
    if (!out.create(path)) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        std::exit(1);
    }
    Rng rng;
    for (long i = 0; i < points; ++i)
        out.print("P%ld,%.4f,%.4f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f\n", i, rng.draw() / 81.9175, 90 + rng.draw() / 1638.35,
                  rng.draw() / 100.0, 1.5, 1.55, 9500000.0 + rng.draw() * 3.1, 4700000.0 + rng.draw() * 2.9,
                  100 + rng.draw() / 500.0);
    out.close();
}

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

struct Shown {
    double seconds, extraMb, bottomSeconds;
};

// Shows something in the window, draws it, then jumps to its last line and
// draws that.
template <class Show, class ScrollBar>
Shown measure(gui::MainWindow& window, Show show, ScrollBar scrollBar) {
    const double before = residentMb();
    auto start = std::chrono::steady_clock::now();
    show();
    window.repaint();
    QApplication::processEvents();
    Shown s{secondsSince(start), 0, 0};
    s.extraMb = residentMb() - before;
    start = std::chrono::steady_clock::now();
    scrollBar()->setValue(scrollBar()->maximum());
    window.repaint();
    QApplication::processEvents();
    s.bottomSeconds = secondsSince(start);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string folder = argc > 1 ? argv[1] : ".";
    long points = argc > 2 ? std::atol(argv[2]) : 100000;
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");

    std::string input = folder + "/leica_table.txt";
    generateLeica(input, points);
    Session session;
    for (const auto& key : settingKeys())
        if (key.kind == KeyKind::Flag) session.settings.*key.flag = 0;
    session.settings.Model = "Leica1200";

    gui::MainWindow window(session);
    window.show();
    QApplication::processEvents();

    auto start = std::chrono::steady_clock::now();
    FixedPrompts prompts;
    Result result = convert(session, input, prompts);
    const double converted = secondsSince(start);

    desk::PointTable table(session.store);
    const Shown grid = measure(
        window, [&] { window.showTable(table); }, [&] { return window.grid()->verticalScrollBar(); });
    const Shown text = measure(
        window, [&] { window.showMessage(result.message); }, [&] { return window.messageText()->verticalScrollBar(); });

    std::printf("observation table of %ld points (message text %.1f MB), conversion %.2f s:\n", points,
                static_cast<double>(result.message.size()) / 1e6, converted);
    std::printf("  grid (rows from the point store):  shown %.3f s, +%.0f MB, last row %.3f s\n", grid.seconds,
                grid.extraMb, grid.bottomSeconds);
    std::printf("  text view (the whole message text): shown %.3f s, +%.0f MB, last line %.3f s\n", text.seconds,
                text.extraMb, text.bottomSeconds);
    std::printf("  the grid appears %.0f times as fast as the text view\n", text.seconds / grid.seconds);
    return grid.seconds < 1.0 ? 0 : 1;
}
