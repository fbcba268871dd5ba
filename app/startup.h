// The program's start and end around the main window.
#pragma once

#include "conversion/session.h"

namespace tervan::gui {

// Builds and runs the main window, then saves the settings at exit.
void runProgram(Session& session);

// The whole program: the application object, the numeric locale, start-up
// and the main window. argv[1], when given, is the input to convert.
int guiMain(int argc, char** argv);

}  // namespace tervan::gui
