// A program folder of its own for each GUI test: a settings file, a copy of
// the Leica example, and the program started on them as the window would be.
#pragma once

#include <QAction>
#include <QWidget>
#include <string>

#include "test_util.h"

namespace tervan::test {

// Settings file lines: Leica1200, the four coordinate lists, no File/Open at
// start, no saving; extra lines override them.
std::string iniText(const std::string& extra = "");

struct GuiFixture {
    ScratchDir dir;
    std::string folder = dir.path().string() + "/";
    std::string ini = folder + "Tervan.ini";
    std::string input = folder + "job1.txt";

    explicit GuiFixture(const std::string& extraIni = "");
    // A session after start-up, with or without the input on its command line.
    Session start(bool withInput);
};

// The action of a menu item of the window, by its text.
QAction* menuAction(QWidget* window, const QString& text);

}  // namespace tervan::test
