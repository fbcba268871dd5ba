#include "app/startup.h"

#include <QApplication>
#include <QDir>
#include "app/icon.h"
#include <clocale>

#include "app/main_window.h"
#include "app/texts.h"
#include "core/settings.h"

namespace tervan::gui {

void startUp(Program& program, const std::string& programFolder, const std::string& inputPath) {
    program.programFolder = programFolder;
    program.iniPath = programFolder + "Tervan.ini";
    program.dxfHeaderPath = programFolder + "dxf_header.txt";
    program.inputPath = inputPath;
    loadSettings(program.settings, program.iniPath);
}

void runProgram(Program& program) {
    {
        MainWindow window(program);
        window.run();
    }
    saveSettingsAtExit(program.settings, program.iniPath);
}

int guiMain(int argc, char** argv) {
    QApplication app(argc, argv);
    // The application object has just adopted the environment's locale; a
    // decimal comma there would turn every "%.3f" of the outputs into "1,500".
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setWindowIcon(programIcon());

    Program program;
    QStringList args = QApplication::arguments();
    std::string folder = toPath(QDir::toNativeSeparators(QApplication::applicationDirPath() + '/'));
    startUp(program, folder, args.size() > 1 ? toPath(args[1]) : std::string());
    runProgram(program);
    return 0;
}

}  // namespace tervan::gui
