// The serial link in the main window: the receiver behind the
// "&Start Serial" button, ticked by the window's 124 ms timer, showing its
// progress in the window's controls, and the COM Properties and Send serial
// data dialogs on the window.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "serial/receiver.h"

class QLabel;
class QPushButton;
class QWidget;

namespace tervan::gui {

class SerialLink final : public QObject, public ReceiverView {
    Q_OBJECT
public:
    struct Controls {
        QPushButton* button;  // "&Start Serial" / "&Stop Serial"
        QLabel* status1;      // progress
        QLabel* status2;      // the line being received
        std::function<void()> showMessage;                   // program.message into the message area
        std::function<void(const std::string&)> runFileOpen;  // File/Open with that initial file name
        std::function<QString(const std::string&)> decode;   // bytes to display text
    };

    // window: the parent of the dialogs. options.logFolder empty: "Log" in
    // the program folder.
    SerialLink(Program& program, QWidget* window, Controls controls, ReceiverOptions options = {});

    Receiver& receiver() { return receiver_; }

    void setButtonText(const std::string& text) override;
    void setStatus1(const std::string& text) override;
    void setStatus2(const std::string& text) override;
    void showMessage() override;
    bool askComProperties(Settings& settings, Direction& direction) override;
    void runFileOpen(const std::string& logPath) override;
    void runSend() override;

private:
    Program& program_;
    QWidget* window_;
    Controls controls_;
    PortOpener openPort_;
    Receiver receiver_;
};

}  // namespace tervan::gui
