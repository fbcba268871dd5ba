#include "app/bffb_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

#include "app/texts.h"

namespace tervan::gui {

namespace {

QComboBox* field(const char* name, const char* preset, const std::string& value) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItem(preset);
    box->setEditText(fromMik(value));
    return box;
}

}  // namespace

BffbDialog::BffbDialog(QWidget* parent) : QDialog(parent) {
    const BffbParams defaults;
    reading_ = field("reading", "4", defaults.reading);
    distance_ = field("distance", "4", defaults.distance);
    first_ = field("first", "4", defaults.first);
    line_ = field("line", "1", defaults.line);

    setWindowTitle("Calc BFFB line");
    setObjectName("bffbDialog");
    auto* layout = new QFormLayout(this);
    layout->addRow(QString::fromUtf8("R ± 0.00001 m x "), reading_);
    layout->addRow(QString::fromUtf8("HD ± 0.001 m x "), distance_);
    layout->addRow("Numeration 1", first_);
    layout->addRow("Line No", line_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Cancel)->setEnabled(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addRow(buttons);
}

BffbParams BffbDialog::values() const {
    return {.reading = toMik(reading_->currentText()),
            .distance = toMik(distance_->currentText()),
            .first = toMik(first_->currentText()),
            .line = toMik(line_->currentText())};
}

bool askBffb(QWidget* parent, BffbParams& params) {
    BffbDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    params = dialog.values();
    return true;
}

}  // namespace tervan::gui
