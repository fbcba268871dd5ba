// Converts a file through the whole program (guiMain, as main() runs it)
// under a locale whose decimal point is a comma, and compares the outputs
// with those of the same conversion under the C locale. Exit status 77
// (skipped) when no such locale is installed.
#include <QApplication>
#include <QCoreApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "app/startup.h"
#include "conversion/driver.h"
#include "gui_fixture.h"
#include "modal_driver.h"

using namespace tervan;
using namespace tervan::test;

namespace {

constexpr int kSkipped = 77;

std::string numericInWindow;
std::string ctypeInWindow;
ModalDriver* driver = nullptr;

// Runs when the application object is built: waits for the main window,
// notes the locale it runs under, and ends it with Exit.
void driveWindow() {
    driver = new ModalDriver;
    driver->on<gui::MainWindow>([](gui::MainWindow* w) {
        numericInWindow = std::setlocale(LC_NUMERIC, nullptr);
        ctypeInWindow = std::setlocale(LC_CTYPE, nullptr);
        w->exitProgram();
    });
}

std::string decimalCommaLocale() {
    for (const char* name : {"bg_BG.UTF-8", "bg_BG.utf8", "de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8", "bg_BG", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, name) && std::string(std::localeconv()->decimal_point) == ",") {
            std::setlocale(LC_NUMERIC, "C");
            return name;
        }
    }
    std::setlocale(LC_NUMERIC, "C");
    return "";
}

int fail(const std::string& why) {
    std::fprintf(stderr, "FAIL: %s\n", why.c_str());
    return 1;
}

}  // namespace

int main(int, char** argv) {
    std::string locale = decimalCommaLocale();
    if (locale.empty()) {
        std::puts("SKIP: no locale with a decimal comma is installed (scripts/install-deps.sh generates bg_BG.UTF-8)");
        return kSkipped;
    }
    setenv("LC_ALL", locale.c_str(), 1);
    setenv("LANG", locale.c_str(), 1);

    // The program folder is this test's own: its settings file goes there.
    std::string folder = std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/";
    writeFile(folder + "Tervan.ini", iniText());
    ScratchDir dir;
    std::string example = readFile(std::string(TERVAN_SOURCE_DIR) + "/examples/leica1200.txt");
    std::filesystem::create_directories(dir.path() / "gui");
    std::filesystem::create_directories(dir.path() / "c");
    std::string guiInput = dir.file("gui/job1.txt");
    std::string cInput = dir.file("c/job1.txt");
    writeFile(guiInput, example);
    writeFile(cInput, example);

    qAddPreRoutine(driveWindow);
    std::string program = argv[0];
    char* args[] = {program.data(), guiInput.data(), nullptr};
    gui::guiMain(2, args);
    if (!driver || !driver->done()) return fail("the main window never opened");
    delete driver;
    std::printf("locale %s: LC_CTYPE in the window %s, LC_NUMERIC %s\n", locale.c_str(), ctypeInWindow.c_str(),
                numericInWindow.c_str());
    if (numericInWindow != "C") return fail("the numeric locale in the window is " + numericInWindow);

    Session reference;
    loadSettings(reference.settings, folder + "Tervan.ini");
    convertFile(reference, cInput);
    int compared = 0;
    for (const char* suffix : {"_nxyz.txt", "_nyxz.txt", "_xyz.txt", "_tras.dat"}) {
        std::string got = readFile(dir.file(std::string("gui/job1") + suffix));
        std::string want = readFile(dir.file(std::string("c/job1") + suffix));
        if (want.empty() || want.find('.') == std::string::npos) return fail(std::string("no reference for ") + suffix);
        if (got != want) return fail(std::string("job1") + suffix + " differs from the C-locale conversion");
        ++compared;
    }
    std::printf("PASS: %d outputs byte-identical under %s\n", compared, locale.c_str());
    return 0;
}
