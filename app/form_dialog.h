// A dialog of editable drop-down fields built from a desk form: Calculate
// H, V, SD, Calc BFFB line and COM Properties. Each field has its label to
// the left and its hint, if any, to the right.
#pragma once

#include <QDialog>
#include <vector>

#include "desk/forms.h"

class QComboBox;

namespace tervan::gui {

class FormDialog : public QDialog {
    Q_OBJECT
public:
    explicit FormDialog(const desk::Form& form, QWidget* parent = nullptr);

    // The form with the texts as typed.
    desk::Form values() const;

private:
    desk::Form form_;
    std::vector<QComboBox*> fields_;
};

// Shows the dialog modally; on "OK" hands the typed texts back in form.
bool editForm(QWidget* parent, desk::Form& form);

}  // namespace tervan::gui
