#include "app/form_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/texts.h"

namespace tervan::gui {

FormDialog::FormDialog(const desk::Form& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle(QString::fromStdString(form.caption));
    setObjectName(QString::fromStdString(form.name));
    auto* grid = new QGridLayout;
    int row = 0;
    for (const desk::FormField& f : form.fields) {
        auto* box = new QComboBox;
        box->setObjectName(QString::fromStdString(f.key));
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        // No completion: the text shown is the text taken. Qt's inline
        // completer took a selected text (as Tab leaves it) for an empty
        // one, so Enter put the first preset in its place, and it matched
        // presets without regard to letter case.
        box->setCompleter(nullptr);
        for (const std::string& preset : f.presets) box->addItem(fromMik(preset));
        box->setEditText(fromMik(f.value));
        if (!f.label.empty()) {
            auto* label = new QLabel(QString::fromStdString(f.label));
            label->setBuddy(box);
            grid->addWidget(label, row, 0);
        }
        grid->addWidget(box, row, 1);
        if (!f.hint.empty()) grid->addWidget(new QLabel(QString::fromStdString(f.hint)), row, 2);
        fields_.push_back(box);
        ++row;
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setEnabled(form.cancelEnabled);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

desk::Form FormDialog::values() const {
    desk::Form form = form_;
    for (std::size_t i = 0; i < fields_.size(); ++i) form.fields[i].value = toMik(fields_[i]->currentText());
    return form;
}

bool editForm(QWidget* parent, desk::Form& form) {
    FormDialog dialog(form, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    form = dialog.values();
    return true;
}

}  // namespace tervan::gui
