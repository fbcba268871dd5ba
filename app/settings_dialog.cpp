#include "app/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <string_view>

#include "app/texts.h"
#include "core/models.h"

namespace tervan::gui {

namespace {

bool inDialog(const SettingKey& key) { return key.controlId != 0 && std::string_view(key.section) == "Model"; }

}  // namespace

SettingsDialog::SettingsDialog(const Settings& settings, const QString& fileName, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle("Setings");
    setObjectName("settingsDialog");

    auto* top = new QFormLayout;
    auto* files = new QLineEdit(fileName);
    files->setObjectName("FilesName");
    files->setEnabled(false);
    files->setMinimumWidth(360);
    top->addRow("FilesName:", files);

    auto* checks = new QGroupBox;
    auto* checkGrid = new QGridLayout(checks);
    auto* edits = new QFormLayout;
    for (const SettingKey& key : settingKeys()) {
        if (!inDialog(key)) continue;
        if (key.kind == KeyKind::Model) {
            model_ = new QComboBox;
            model_->setObjectName(key.key);
            model_->setEditable(true);
            model_->setInsertPolicy(QComboBox::NoInsert);
            for (const ModelEntry& m : models()) model_->addItem(m.name);
            model_->setEditText(fromMik(settings.*key.text));
            top->addRow(key.label, model_);
        } else if (isFlag(key)) {
            auto* box = new QCheckBox(key.label);
            box->setObjectName(key.key);
            box->setChecked(settings.*key.flag != 0);
            int n = static_cast<int>(flags_.size());
            checkGrid->addWidget(box, n % 9, n / 9);
            flags_.emplace_back(&key, box);
        } else {
            auto* edit = new QLineEdit(fromMik(settings.*key.text));
            edit->setObjectName(key.key);
            edits->addRow(key.label, edit);
            texts_.emplace_back(&key, edit);
        }
    }

    auto* middle = new QHBoxLayout;
    middle->addWidget(checks);
    middle->addLayout(edits);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addWidget(buttons);
}

Settings SettingsDialog::values() const {
    Settings s = settings_;
    // Every text is taken as typed, an unknown model name included.
    if (model_) s.Model = toMik(model_->currentText());
    for (const auto& [key, box] : flags_) s.*key->flag = box->isChecked() ? 1 : 0;
    for (const auto& [key, edit] : texts_) s.*key->text = toMik(edit->text());
    return s;
}

}  // namespace tervan::gui
