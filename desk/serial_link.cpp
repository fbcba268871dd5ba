#include "desk/serial_link.h"

#include "core/files.h"

namespace tervan::desk {
namespace {

ReceiverOptions withLogFolder(ReceiverOptions options, const Session& session) {
    if (options.logFolder.empty()) options.logFolder = session.logFolder;
    if (options.fallbackFolders.empty()) options.fallbackFolders = fallbackFolders();
    return options;
}

}  // namespace

SerialLink::SerialLink(Session& session, Front& front, std::string& message, SerialHooks hooks,
                       ReceiverOptions options)
    : session_(session),
      front_(front),
      message_(message),
      hooks_(std::move(hooks)),
      openPort_(options.openPort),
      receiver_(session.settings, message, *this, withLogFolder(std::move(options), session)) {}

void SerialLink::buttonPressed() {
    receiver_.buttonPressed();
    reportFailures();
}

void SerialLink::tick() {
    receiver_.tick();
    reportFailures();
}

void SerialLink::endTransfer() {
    closing_ = true;
    receiver_.end();
    // The window is ending: the text no folder took is offered now or lost.
    if (!receiver_.logError().empty()) offerToSave();
}

void SerialLink::reportFailures() {
    if (receiver_.logError() != logErrorShown_) {
        logErrorShown_ = receiver_.logError();
        if (!logErrorShown_.empty()) {
            hooks_.fail(logErrorShown_);
            // Posted: the timer keeps ticking while the dialog is open.
            if (!closing_) front_.post([this] { offerToSave(); });
        }
    }
}

void SerialLink::offerToSave() {
    // Until the user chooses a file that takes it, or gives up: then the
    // text waits for the next log, as before.
    while (!receiver_.logError().empty()) {
        std::string path = receiver_.unloggedName();
        if (!front_.chooseSaveFile(path)) return;
        std::string error;
        if (receiver_.saveUnlogged(path, error)) {
            logErrorShown_.clear();
            return;
        }
        hooks_.fail("cannot write " + path + ": " + error);
    }
}

void SerialLink::setButtonText(const std::string& text) { front_.setSerialButton(text); }

void SerialLink::setStatus1(const std::string& text) { front_.setStatus(1, text); }

void SerialLink::setStatus2(const std::string& text) { front_.setStatus(2, text); }

void SerialLink::portFailed(const std::string& text) { hooks_.fail(text); }

void SerialLink::showMessage() { hooks_.showReceived(); }

bool SerialLink::askComProperties(Settings& settings, Direction& direction) {
    Form form = comPropertiesForm(settings);
    if (!front_.editForm(form)) return false;
    direction = applyComProperties(form, settings);
    return true;
}

void SerialLink::runFileOpen(const std::string& logPath) {
    session_.inputPath = logPath;
    if (fileOpenPending_ || closing_) return;
    fileOpenPending_ = true;
    // Posted: the timer must keep ticking (and the transfer reach its end)
    // while the dialogs of File/Open are shown.
    front_.post([this] {
        hooks_.fileOpen();
        fileOpenPending_ = false;
    });
}

void SerialLink::runSend() {
    std::string error;
    std::unique_ptr<SerialPort> port = openConfiguredPort(session_.settings, openPort_, error);
    if (!port) {
        hooks_.fail(error);
        return;
    }
    Sender sender(session_.store, *port);
    front_.runSendDialog(sender);
    sender.finish();
}

}  // namespace tervan::desk
