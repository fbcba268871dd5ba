// "Send serial data": the points of the store sent to the instrument one by
// one, skipped, or all at once, through the sender it is given.
#pragma once

#include <QDialog>

#include "serial/sender.h"

class QLineEdit;
class QPushButton;

namespace tervan::gui {

class SendDialog : public QDialog {
    Q_OBJECT
public:
    explicit SendDialog(Sender& sender, QWidget* parent = nullptr);

private:
    void run(void (Sender::*action)());
    void refresh();

    Sender& sender_;
    QLineEdit* edit_;
    QPushButton* all_;
    QPushButton* send_;
    QPushButton* skip_;
};

}  // namespace tervan::gui
