// How long the observation table of a 100,000-point file takes to appear in
// the main window's message area once the conversion has ended (offscreen
// platform unless another is asked for).
// Usage: bench_gui_table FOLDER [POINTS]
#include <QApplication>
#include <QPlainTextEdit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/main_window.h"
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
    double converted = secondsSince(start);

    start = std::chrono::steady_clock::now();
    window.showMessage(result.message);
    window.messageArea()->viewport()->repaint();
    QApplication::processEvents();
    double shown = secondsSince(start);

    std::printf("observation table of %ld points (%.1f MB, %d lines): conversion %.2f s, shown in the message area %.3f s\n",
                points, static_cast<double>(result.message.size()) / 1e6, window.messageArea()->blockCount(),
                converted, shown);
    return shown < 1.0 ? 0 : 1;
}
