#include "app/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/open_file_dialog.h"
#include "app/texts.h"
#include "app/tones.h"

namespace tervan::gui {
namespace {

// The model list with, beside it, what the file looks like.
QHBoxLayout* modelRow(QComboBox* model, const std::string& hint, bool warns) {
    auto* row = new QHBoxLayout;
    row->addWidget(model, 1);
    auto* label = new QLabel(QString::fromStdString(hint));
    label->setObjectName("modelHint");
    label->setStyleSheet(toneStyle(warns ? desk::Tone::Warning : desk::Tone::Plain));
    label->setVisible(!hint.empty());
    row->addWidget(label);
    return row;
}

}  // namespace

SettingsDialog::SettingsDialog(const desk::SettingsForm& form, QWidget* parent) : QDialog(parent), form_(form) {
    setWindowTitle("Setings");
    setObjectName("settingsDialog");
    const Settings& settings = form.values;

    auto* top = new QFormLayout;
    auto* files = new QLineEdit(QDir::toNativeSeparators(fromPath(form.fileName)));
    files->setObjectName("FilesName");
    files->setEnabled(false);
    files->setMinimumWidth(360);
    top->addRow("FilesName:", files);

    auto* checks = new QGroupBox;
    auto* checkGrid = new QGridLayout(checks);
    auto* edits = new QFormLayout;
    for (const desk::SettingsControl& c : desk::settingsControls()) {
        const SettingKey& key = *c.key;
        switch (c.kind) {
            case desk::ControlKind::ModelList: {
                model_ = new QComboBox;
                model_->setObjectName(key.key);
                model_->setEditable(true);
                model_->setInsertPolicy(QComboBox::NoInsert);
                for (const std::string& name : desk::modelNames()) model_->addItem(QString::fromStdString(name));
                model_->setEditText(fromMik(settings.*key.text));
                model_->setToolTip(QString::fromUtf8(desk::settingTip(key.key)));
                auto* label = new QLabel(QString::fromStdString(c.accessLabel));
                label->setBuddy(model_);
                top->addRow(label, modelRow(model_, form.modelHint, form.modelHintWarns));
                break;
            }
            case desk::ControlKind::Check: {
                auto* box = new QCheckBox(QString::fromStdString(c.accessLabel));
                box->setObjectName(key.key);
                box->setChecked(settings.*key.flag != 0);
                box->setToolTip(QString::fromUtf8(desk::settingTip(key.key)));
                int n = static_cast<int>(flags_.size());
                checkGrid->addWidget(box, n % 9, n / 9);
                flags_.emplace_back(&key, box);
                break;
            }
            case desk::ControlKind::Edit: {
                auto* edit = new QLineEdit(fromMik(settings.*key.text));
                edit->setObjectName(key.key);
                edit->setToolTip(QString::fromUtf8(desk::settingTip(key.key)));
                edits->addRow(QString::fromStdString(c.accessLabel), edit);
                texts_.emplace_back(&key, edit);
                break;
            }
            case desk::ControlKind::File: {
                // A path: the file system's encoding, not MIK.
                auto* edit = new QLineEdit(QDir::toNativeSeparators(fromPath(settings.*key.text)));
                edit->setObjectName(key.key);
                auto* choose = new QPushButton(QString::fromUtf8(c.accessLabel));
                choose->setObjectName(QString(key.key) + "Button");
                choose->setAutoDefault(false);
                choose->setToolTip(QString::fromUtf8(desk::settingTip(key.key)));
                edit->setToolTip(choose->toolTip());
                connect(choose, &QPushButton::clicked, this, [this, edit] { chooseFile(edit); });
                top->addRow(choose, edit);
                paths_.emplace_back(&key, edit);
                break;
            }
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

void SettingsDialog::chooseFile(QLineEdit* edit) {
    QFileDialog chooser(this, "Known points");
    chooser.setObjectName("knownPointsDialog");
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList filters;
    for (const desk::FileFilter& f : desk::knownPointsFilters()) filters << filterText(f);
    chooser.setNameFilters(filters);
    if (!edit->text().isEmpty()) chooser.selectFile(edit->text());
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
    edit->setText(QDir::toNativeSeparators(chooser.selectedFiles().constFirst()));
}

desk::SettingsForm SettingsDialog::values() const {
    desk::SettingsForm form = form_;
    Settings& s = form.values;
    // Every text is taken as typed, an unknown model name included.
    if (model_) s.Model = toMik(model_->currentText());
    for (const auto& [key, box] : flags_) s.*key->flag = box->isChecked() ? 1 : 0;
    for (const auto& [key, edit] : texts_) s.*key->text = toMik(edit->text());
    for (const auto& [key, edit] : paths_) s.*key->text = toPath(QDir::fromNativeSeparators(edit->text()));
    return form;
}

}  // namespace tervan::gui
