#include "app/serial_link.h"

#include <QLabel>
#include <QPushButton>

#include "app/com_properties_dialog.h"
#include "app/send_dialog.h"

namespace tervan::gui {

namespace {

ReceiverOptions withLogFolder(ReceiverOptions options, const Program& program) {
    if (options.logFolder.empty()) options.logFolder = receiveLogFolder(program.programFolder);
    return options;
}

}  // namespace

SerialLink::SerialLink(Program& program, QWidget* window, Controls controls, ReceiverOptions options)
    : QObject(window),
      program_(program),
      window_(window),
      controls_(std::move(controls)),
      openPort_(options.openPort),
      receiver_(program, *this, withLogFolder(std::move(options), program)) {
    if (!controls_.decode) controls_.decode = [](const std::string& s) { return QString::fromLocal8Bit(s); };
}

void SerialLink::setButtonText(const std::string& text) { controls_.button->setText(QString::fromLatin1(text)); }

void SerialLink::setStatus1(const std::string& text) {
    QString shown = QString::fromLatin1(text);
    if (controls_.status1->text() != shown) controls_.status1->setText(shown);
}

void SerialLink::setStatus2(const std::string& text) {
    QString shown = controls_.decode(text);
    if (controls_.status2->text() != shown) controls_.status2->setText(shown);
}

void SerialLink::showMessage() { controls_.showMessage(); }

bool SerialLink::askComProperties(Settings& settings, Direction& direction) {
    return gui::askComProperties(window_, settings, direction);
}

void SerialLink::runFileOpen(const std::string& logPath) { controls_.runFileOpen(logPath); }

void SerialLink::runSend() { runSendTransfer(window_, program_, openPort_); }

}  // namespace tervan::gui
