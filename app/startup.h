// The program's start and end around the main window.
#pragma once

#include <string>

#include "core/program.h"

namespace tervan::gui {

// Sets the program's paths from its folder (ending in the path separator)
// and the input path of the command line, and loads the settings file.
void startUp(Program& program, const std::string& programFolder, const std::string& inputPath);

// Builds and runs the main window, then saves the settings at exit.
void runProgram(Program& program);

// The whole program: the application object, the numeric locale, start-up
// and the main window. argv[1], when given, is the input to convert.
int guiMain(int argc, char** argv);

}  // namespace tervan::gui
