// The Settings dialog ("Setings"): one control per setting of the Model
// section that has a dialog label, built from the settings table, and the
// disabled "FilesName:" field showing the chosen input file.
#pragma once

#include <QDialog>
#include <utility>
#include <vector>

#include "core/settings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tervan::gui {

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(const Settings& settings, const QString& fileName, QWidget* parent = nullptr);

    // The settings the dialog was opened with, overwritten by its controls.
    Settings values() const;

private:
    Settings settings_;
    QComboBox* model_ = nullptr;
    std::vector<std::pair<const SettingKey*, QCheckBox*>> flags_;
    std::vector<std::pair<const SettingKey*, QLineEdit*>> texts_;
};

}  // namespace tervan::gui
