// tervan-cli receive and send: the serial transfers of the window, with the
// command line as their window.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

#include "cli/commands.h"
#include "core/files.h"
#include "serial/receiver.h"
#include "serial/sender.h"

namespace tervan {

namespace {

constexpr auto kTick = std::chrono::milliseconds(124);

// Answers the COM Properties dialog with the settings as loaded, draws the
// progress on standard error when that is a terminal, and keeps the log
// files the window would run File/Open on: they are converted once the
// transfer is over, each once however many END lines it holds.
class CliReceiverView final : public ReceiverView {
public:
    CliReceiverView(Session& session, const CliOptions& options)
        : session_(session), options_(options), progress_(isatty(STDERR_FILENO) == 1) {}

    void setButtonText(const std::string&) override {}
    void setStatus1(const std::string& text) override {
        if (!progress_) return;
        std::string line;
        for (char c : status2_) line += static_cast<unsigned char>(c) < 32 ? ' ' : c;
        std::fprintf(stderr, "\r%s %.60s\033[K", text.c_str(), line.c_str());
        std::fflush(stderr);
    }
    void setStatus2(const std::string& text) override { status2_ = text; }
    void portFailed(const std::string&) override {}
    void showMessage() override {}
    bool askComProperties(Settings&, Direction& direction) override {
        direction = Direction::Receive;
        return true;
    }
    void runFileOpen(const std::string& logPath) override {
        if (logs_.empty() || logs_.back() != logPath) logs_.push_back(logPath);
    }
    void runSend() override {}

    void endProgress() {
        if (progress_) std::fputs("\r\033[K", stderr);
    }
    // Converts the logs of complete transmissions; the exit status of the
    // last conversion, -1 when there was none.
    int convertLogs() {
        int status = -1;
        for (const std::string& log : logs_) status = convertInput(session_, options_, log);
        return status;
    }

private:
    Session& session_;
    const CliOptions& options_;
    bool progress_;
    std::string status2_;
    std::vector<std::string> logs_;
};

std::string logFolder(const Session& session, const CliOptions& options) {
    constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);
    if (options.logDir.empty()) return session.logFolder;
    std::string folder = options.logDir;
    if (folder.back() != '/' && folder.back() != kSeparator) folder += kSeparator;
    return folder;
}

}  // namespace

int runReceive(Session& session, const CliOptions& options) {
    CliReceiverView view(session, options);
    // The received text is not printed as it comes; the conversion prints
    // the log's message text.
    std::string message;
    Receiver receiver(session.settings, message, view,
                      {.logFolder = logFolder(session, options),
                       .fallbackFolders = fallbackFolders(),
                       .openPort = {},
                       .clock = {}});
    receiver.buttonPressed();
    if (!receiver.running()) {
        std::fprintf(stderr, "tervan-cli: %s\n", receiver.portError().c_str());
        return kFailed;
    }
    auto next = std::chrono::steady_clock::now();
    while (receiver.running()) {
        next += kTick;
        auto now = std::chrono::steady_clock::now();
        if (next < now) next = now;  // a long tick does not make the next ones come in a burst
        std::this_thread::sleep_until(next);
        receiver.tick();
    }
    view.endProgress();
    if (!receiver.portError().empty()) std::fprintf(stderr, "tervan-cli: %s\n", receiver.portError().c_str());
    if (!receiver.logNote().empty()) std::fprintf(stderr, "tervan-cli: %s\n", receiver.logNote().c_str());
    if (!receiver.logError().empty()) {
        std::fprintf(stderr, "tervan-cli: %s\n", receiver.logError().c_str());
        return kFailed;
    }
    if (int status = view.convertLogs(); status >= 0) return status;
    if (!receiver.lastLog().empty()) {
        std::fprintf(stderr, "tervan-cli: no END line came; the received text is kept in %s\n",
                     receiver.lastLog().c_str());
        return kFailed;
    }
    std::fprintf(stderr, "tervan-cli: nothing was received\n");
    return kFailed;
}

int runSend(Session& session, const CliOptions& options) {
    int status = convertInput(session, options, options.inputs.front());
    if (status != kDone) return status;
    std::string error;
    std::unique_ptr<SerialPort> port = openConfiguredPort(session.settings, {}, error);
    if (!port) {
        std::fprintf(stderr, "tervan-cli: %s\n", error.c_str());
        return kFailed;
    }
    Sender sender(session.store, *port);
    if (session.store.points.empty()) std::fprintf(stderr, "tervan-cli: %s\n", sender.text().c_str());
    // "&All" stops at a point that does not fit its record, to show why; here
    // that is said and the rest goes on. A point the instrument does not
    // accept ends the sending.
    for (;;) {
        sender.all();
        Sender::Outcome outcome = sender.lastOutcome();
        if (outcome != Sender::Outcome::Refused && outcome != Sender::Outcome::DoesNotFit) break;
        std::fprintf(stderr, "tervan-cli: %s\n", sender.text().c_str());
        status = kFailed;
        if (outcome == Sender::Outcome::Refused || session.store.sendCursor == kNoPoint) break;
    }
    sender.finish();
    if (!options.quiet) std::fprintf(stderr, "tervan-cli: %d points sent\n", sender.sentCount());
    return status;
}

}  // namespace tervan
