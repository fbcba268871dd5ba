#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include <clocale>

#include "app/icon.h"
#include "app/main_window.h"
#include "app/texts.h"

namespace tervan::gui {

void runProgram(Session& session) {
    MainWindow window(session);
    window.run();
    window.desk().finish();
}

int guiMain(int argc, char** argv) {
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
