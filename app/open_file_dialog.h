// The open-file dialog: the instrument files first, without the outputs of
// a conversion, then all files.
#pragma once

#include <QString>
#include <string>

#include "desk/forms.h"

class QWidget;

namespace tervan::gui {

// A choice of the dialog as Qt writes it: "Name (*.a *.b)".
QString filterText(const desk::FileFilter& filter);

// path: the initial file name; on "Open" the chosen file. false when
// cancelled.
bool chooseInputFile(QWidget* parent, std::string& path);
// The save-file dialog for a received text: path the initial file name
// (in the documents folder when it names no folder); on "Save" the chosen
// file. false when cancelled.
bool chooseSaveFile(QWidget* parent, std::string& path);

}  // namespace tervan::gui
