// The serial link of the main window: the receiver behind the
// "&Start Serial" button, ticked by the window's 124 ms timer, showing its
// progress in the status lines, and the send transfer with its dialog.
#pragma once

#include <functional>
#include <string>

#include "conversion/session.h"
#include "desk/front.h"
#include "serial/receiver.h"

namespace tervan::desk {

// What the link asks of the window around it.
struct SerialHooks {
    std::function<void()> fileOpen;                       // File/Open, for a received log
    std::function<void()> showReceived;                   // the message area shows the received text
    std::function<void(const std::string& text)> fail;    // a failure, for status line 3 and above the table
};

class SerialLink final : private ReceiverView {
public:
    // message: the window's message text. options.logFolder empty: the
    // session's log folder.
    SerialLink(Session& session, Front& front, std::string& message, SerialHooks hooks, ReceiverOptions options = {});

    void buttonPressed();
    void tick();
    // The window closes: a receive transfer keeps what has arrived, and no
    // File/Open follows.
    void endTransfer();
    const Receiver& receiver() const { return receiver_; }

private:
    void setButtonText(const std::string& text) override;
    void setStatus1(const std::string& text) override;
    void setStatus2(const std::string& text) override;
    void portFailed(const std::string& text) override;
    void showMessage() override;
    bool askComProperties(Settings& settings, Direction& direction) override;
    void runFileOpen(const std::string& logPath) override;
    void runSend() override;
    // A log that could not be written is reported once, and the received
    // text offered to be saved where the user chooses.
    void reportFailures();
    void offerToSave();

    Session& session_;
    Front& front_;
    std::string& message_;
    SerialHooks hooks_;
    PortOpener openPort_;
    std::string logErrorShown_;
    // A File/Open for a received log is posted and not yet over: END lines
    // that come meanwhile are logged, but open no second sequence.
    bool fileOpenPending_ = false;
    bool closing_ = false;
    Receiver receiver_;
};

}  // namespace tervan::desk
