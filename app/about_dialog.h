// The About box.
#pragma once

#include <QDialog>

namespace tervan::gui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    // settingsPlace: where the settings live (Desk::settingsPlace).
    explicit AboutDialog(const QString& settingsPlace, QWidget* parent = nullptr);
};

}  // namespace tervan::gui
