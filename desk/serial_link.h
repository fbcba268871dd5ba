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

class SerialLink final : private ReceiverView {
public:
    // message: the window's message text; fileOpen: the File/Open sequence,
    // run for a received log. options.logFolder empty: "Log" in the program
    // folder.
    SerialLink(Session& session, Front& front, std::string& message, std::function<void()> fileOpen,
               ReceiverOptions options = {});

    void buttonPressed() { receiver_.buttonPressed(); }
    void tick() { receiver_.tick(); }
    const Receiver& receiver() const { return receiver_; }

private:
    void setButtonText(const std::string& text) override;
    void setStatus1(const std::string& text) override;
    void setStatus2(const std::string& text) override;
    void setStatus3(const std::string& text) override;
    void showMessage() override;
    bool askComProperties(Settings& settings, Direction& direction) override;
    void runFileOpen(const std::string& logPath) override;
    void runSend() override;

    Session& session_;
    Front& front_;
    std::string& message_;
    std::function<void()> fileOpen_;
    PortOpener openPort_;
    // A File/Open for a received log is posted and not yet over: END lines
    // that come meanwhile are logged, but open no second sequence.
    bool fileOpenPending_ = false;
    Receiver receiver_;
};

}  // namespace tervan::desk
