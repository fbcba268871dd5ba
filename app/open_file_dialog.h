// The open-file dialog: the instrument files first, without the outputs of
// a conversion, then all files.
#pragma once

#include <string>

class QWidget;

namespace tervan::gui {

// path: the initial file name; on "Open" the chosen file. false when
// cancelled.
bool chooseInputFile(QWidget* parent, std::string& path);

}  // namespace tervan::gui
