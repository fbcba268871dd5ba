// "Send serial data": the points of the store sent to the instrument one by
// one, skipped, or all at once. Closing the dialog sends the end mark.
#pragma once

#include <QDialog>

#include "core/program.h"
#include "serial/sender.h"

class QLineEdit;
class QPushButton;

namespace tervan::gui {

class SendDialog : public QDialog {
    Q_OBJECT
public:
    // The port is open and configured, and stays so while the dialog lives.
    SendDialog(PointStore& store, SerialPort& port, QWidget* parent = nullptr);

    void done(int result) override;

private:
    void run(void (Sender::*action)());
    void refresh();

    Sender sender_;
    QLineEdit* edit_;
    QPushButton* all_;
    QPushButton* send_;
    QPushButton* skip_;
};

// A send transfer: opens and configures ComName, shows the dialog until it
// is closed, sends the end mark and closes the port. false, with nothing
// shown, when the port cannot be opened.
bool runSendTransfer(QWidget* parent, Program& program, const PortOpener& open = {});

}  // namespace tervan::gui
