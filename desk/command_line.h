// The input path on the command line of the desktop program, as Windows
// hands it over: one text beginning with the program's path.
#pragma once

#include <string>
#include <string_view>

namespace tervan::desk {

// The text after the program's path (quoted, or up to the first blank) and
// the blanks that follow it, without blanks at its end; a path given in
// double quotes (as Explorer gives a dropped file) loses them. Empty when
// the command line holds the program's path alone.
std::string inputPathOf(std::string_view commandLine);

// What the first argument asks of the desktop program when it only asks to
// be told (--help, -h, /? on Windows: the usage; --version: the version):
// the text to print. Empty when the program is to run.
std::string answerWithoutWindow(std::string_view argument);

}  // namespace tervan::desk
