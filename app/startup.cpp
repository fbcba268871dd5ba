#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <clocale>
#include <cstdio>

#include "app/icon.h"
#include "app/main_window.h"
#include "app/texts.h"
#include "app/tones.h"
#include "desk/command_line.h"

namespace tervan::gui {

void runProgram(Session& session) {
    MainWindow window(session);
    window.run();
    if (const std::string failure = window.desk().finish(); !failure.empty())
        QMessageBox::warning(nullptr, "Tervan", fromReportText(failure));
}

int guiMain(int argc, char** argv) {
    // --help and --version are answered before any window (or display) is needed.
    if (argc > 1) {
        if (std::string text = desk::answerWithoutWindow(argv[1]); !text.empty()) {
            std::fwrite(text.data(), 1, text.size(), stdout);
            return 0;
        }
    }
    QApplication app(argc, argv);
    // The application object has just adopted the environment's locale; a
    // decimal comma there would turn every "%.3f" of the outputs into "1,500".
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setWindowIcon(programIcon());

    Session session;
    QStringList args = QApplication::arguments();
    std::string folder = toPath(QDir::toNativeSeparators(QApplication::applicationDirPath() + '/'));
    desk::startSession(session, folder, args.size() > 1 ? toPath(args[1]) : std::string());
    runProgram(session);
    return 0;
}

}  // namespace tervan::gui
