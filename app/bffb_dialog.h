// The Calc BFFB line dialog, shown by the Dini BF line calculation in the
// middle of a conversion. It always opens with the defaults; "Cancel" is
// shown disabled, and the Escape key or the close box cancel.
#pragma once

#include <QDialog>

#include "core/program.h"

class QComboBox;

namespace tervan::gui {

class BffbDialog : public QDialog {
    Q_OBJECT
public:
    explicit BffbDialog(QWidget* parent = nullptr);

    BffbParams values() const;

private:
    QComboBox* reading_;
    QComboBox* distance_;
    QComboBox* first_;
    QComboBox* line_;
};

// The program's answer to the BFFB prompt: shows the dialog and fills params
// on "OK"; false when cancelled.
bool askBffb(QWidget* parent, BffbParams& params);

}  // namespace tervan::gui
