#include "app/com_properties_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tervan::gui {

namespace {

struct ComList {
    const char* name;  // object name, the setting's INI key
    const char* label;
    std::vector<const char*> entries;
    const char* hint;
    std::string Settings::*setting;
};

// The baud list keeps the order of the rates; the others are alphabetical.
const ComList kLists[] = {
    {"Baud", "Beets per second:",
     {"110", "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200", "230400", "460800",
      "921600"},
     "9600", &Settings::Baud},
    {"DataBits", "Data bits:", {"7", "8"}, "7", &Settings::DataBits},
    {"Parity", "Parity:", {"Even", "None", "Odd"}, "Even", &Settings::Parity},
    {"StopBits", "Stop bits:", {"1", "1.5", "2"}, "1", &Settings::StopBits},
    {"FlowControl", "Flow control:", {"Hardware", "None", "Xon / Xoff"}, "xon/xoff", &Settings::FlowControl},
    {"ComName", "COM name:", {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"}, "COM1",
     &Settings::ComName},
};

QComboBox* editableList(const char* name, const std::vector<const char*>& entries, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    for (const char* entry : entries) list->addItem(QString::fromLatin1(entry));
    return list;
}

}  // namespace

ComPropertiesDialog::ComPropertiesDialog(const Settings& settings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("COM Properties"));
    auto* grid = new QGridLayout;
    int row = 0;
    for (const ComList& l : kLists) {
        QComboBox* list = editableList(l.name, l.entries, this);
        list->setCurrentText(QString::fromLocal8Bit(settings.*l.setting));
        auto* label = new QLabel(QString::fromLatin1(l.label), this);
        label->setBuddy(list);
        grid->addWidget(label, row, 0);
        grid->addWidget(list, row, 1);
        grid->addWidget(new QLabel(QString::fromLatin1(l.hint), this), row, 2);
        rows_.push_back({list, l.setting});
        ++row;
    }
    direction_ = editableList("Direction", {kReceiveDirection, kSendDirection}, this);
    direction_->setCurrentIndex(0);
    grid->addWidget(direction_, row, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void ComPropertiesDialog::applyTo(Settings& settings) const {
    for (const Row& r : rows_) {
        QByteArray text = r.list->currentText().toLocal8Bit();
        if (!text.isEmpty()) settings.*r.setting = text.toStdString();
    }
}

Direction ComPropertiesDialog::direction() const {
    return direction_->currentText() == QLatin1String(kSendDirection) ? Direction::Send : Direction::Receive;
}

bool askComProperties(QWidget* parent, Settings& settings, Direction& direction) {
    ComPropertiesDialog dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.applyTo(settings);
    direction = dialog.direction();
    return true;
}

}  // namespace tervan::gui
