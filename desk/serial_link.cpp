#include "desk/serial_link.h"

#include "core/result.h"

namespace tervan::desk {
namespace {

ReceiverOptions withLogFolder(ReceiverOptions options, const Session& session) {
    if (options.logFolder.empty()) options.logFolder = receiveLogFolder(session.programFolder);
    return options;
}

}  // namespace

SerialLink::SerialLink(Session& session, Front& front, std::string& message, std::function<void()> fileOpen,
                       ReceiverOptions options)
    : session_(session),
      front_(front),
      message_(message),
      fileOpen_(std::move(fileOpen)),
      openPort_(options.openPort),
      receiver_(session.settings, message, *this, withLogFolder(std::move(options), session)) {}

void SerialLink::setButtonText(const std::string& text) { front_.setSerialButton(text); }

void SerialLink::setStatus1(const std::string& text) { front_.setStatus(1, text); }

void SerialLink::setStatus2(const std::string& text) { front_.setStatus(2, text); }

void SerialLink::setStatus3(const std::string& text) { front_.setStatus(3, text); }

void SerialLink::showMessage() { front_.showMessage(message_); }

bool SerialLink::askComProperties(Settings& settings, Direction& direction) {
    Form form = comPropertiesForm(settings);
    if (!front_.editForm(form)) return false;
    direction = applyComProperties(form, settings);
    return true;
}

void SerialLink::runFileOpen(const std::string& logPath) {
    session_.inputPath = logPath;
    if (fileOpenPending_) return;
    fileOpenPending_ = true;
    // Posted: the timer must keep ticking (and the transfer reach its end)
    // while the dialogs of File/Open are shown.
    front_.post([this] {
        fileOpen_();
        fileOpenPending_ = false;
    });
}

void SerialLink::runSend() {
    std::string error;
    std::unique_ptr<SerialPort> port = openConfiguredPort(session_.settings, openPort_, error);
    if (!port) {
        appendReport(message_, error);
        showMessage();
        setStatus3(error);
        return;
    }
    Sender sender(session_.store, *port);
    front_.runSendDialog(sender);
    sender.finish();
}

}  // namespace tervan::desk
