// The system's open-file dialog: for File/Open on the choices of
// desk::inputFilters() (the instrument files, without the outputs of a
// conversion, and all files), for the known points on those of
// desk::knownPointsFilters(); and the save-file dialog for a received
// text that no folder took.
#pragma once

#include <string>

#include "win/dialog.h"

namespace tervan::win {

// path: the initial file name, and on "Open" the chosen file. false when
// cancelled.
bool chooseInputFile(HWND owner, std::string& path);
bool chooseKnownPoints(HWND owner, std::string& path);
// The save-file dialog for a received text, on desk::receiveLogFilters().
bool chooseSaveFile(HWND owner, std::string& path);

}  // namespace tervan::win
