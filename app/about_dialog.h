// The About box.
#pragma once

#include <QDialog>

namespace tervan::gui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace tervan::gui
