#include "app/hvsd_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QStringList>

#include "app/texts.h"

namespace tervan::gui {

namespace {

// The angle fields offer the list of the serial speeds, as they always have.
const QStringList kAnglePresets = {"110",   "300",   "1200",   "2400",   "4800",   "9600",  "19200",
                                   "38400", "57600", "115200", "230400", "460800", "921600"};

QComboBox* field(const char* name, const QStringList& presets, const std::string& value) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(presets);
    box->setEditText(fromMik(value));
    return box;
}

}  // namespace

HvsdDialog::HvsdDialog(const std::string& dSD, const std::string& dH, const std::string& dV, QWidget* parent)
    : QDialog(parent),
      dSD_(field("dSD", {}, dSD)),
      dH_(field("dH", kAnglePresets, dH)),
      dV_(field("dV", kAnglePresets, dV)) {
    setWindowTitle("Calculate H, V, SD");
    setObjectName("hvsdDialog");
    auto* layout = new QFormLayout(this);
    layout->addRow(QString::fromUtf8("±dSD x 0.0001 m x "), dSD_);
    layout->addRow(QString::fromUtf8("±dH x 0.0001 RAD x "), dH_);
    layout->addRow(QString::fromUtf8("±dV x 0.0001 RAD x "), dV_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

std::string HvsdDialog::dSD() const { return toMik(dSD_->currentText()); }
std::string HvsdDialog::dH() const { return toMik(dH_->currentText()); }
std::string HvsdDialog::dV() const { return toMik(dV_->currentText()); }

}  // namespace tervan::gui
