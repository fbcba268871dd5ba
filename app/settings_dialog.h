// The Settings dialog ("Setings"): the controls of desk's settings form, and
// the disabled "FilesName:" field showing the chosen input file. The path of
// the known points is edited under it, beside its "Known points…" button.
#pragma once

#include <QDialog>
#include <utility>
#include <vector>

#include "desk/forms.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tervan::gui {

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SettingsDialog(const desk::SettingsForm& form, QWidget* parent = nullptr);

    // The form the dialog was opened with, its settings overwritten by the
    // controls.
    desk::SettingsForm values() const;

private:
    // The open-file dialog of a File control, starting at the edit's path.
    void chooseFile(QLineEdit* edit);

    desk::SettingsForm form_;
    QComboBox* model_ = nullptr;
    std::vector<std::pair<const SettingKey*, QCheckBox*>> flags_;
    std::vector<std::pair<const SettingKey*, QLineEdit*>> texts_;
    std::vector<std::pair<const SettingKey*, QLineEdit*>> paths_;
};

}  // namespace tervan::gui
