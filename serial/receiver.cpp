#include "serial/receiver.h"

#include <algorithm>
#include <filesystem>

#include "core/files.h"
#include "core/output_file.h"
#include "core/printf.h"
#include "core/result.h"
#include "core/text.h"

namespace tervan {

std::tm systemLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

std::string receiveLogPath(const std::string& folder, const std::tm& t) {
    return folder + strf(kLogNameFormat, t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
}

std::string progressBar(int countdown) {
    static constexpr char kSpinner[] = {'-', '\\', '|', '/'};
    std::string bar = kNoDataComing;
    if (countdown < 0) countdown = 0;
    bar.append(static_cast<std::size_t>(countdown / 4), '-');
    bar += kSpinner[countdown % 4];
    return bar;
}

Receiver::Receiver(Settings& settings, std::string& message, ReceiverView& view, ReceiverOptions options)
    : settings_(settings), message_(message), view_(view), options_(std::move(options)) {
    if (!options_.clock) options_.clock = systemLocalTime;
}

void Receiver::buttonPressed() {
    if (running_) {
        // Ends the transfer at a later tick, once the line is quiet.
        countdown_ = 1;
        return;
    }
    Direction direction = Direction::Receive;
    if (!view_.askComProperties(settings_, direction)) return;
    if (direction == Direction::Send)
        view_.runSend();
    else
        start();
}

void Receiver::start() {
    std::string error;
    port_ = openConfiguredPort(settings_, options_.openPort, error);
    if (!port_) {
        reportPort(error);
        return;
    }
    running_ = true;
    // Text that no folder took is kept for the next log, not dropped with
    // the old transfer.
    if (logError_.empty()) unlogged_.clear();
    logError_.clear();
    portError_.clear();
    view_.setButtonText(kStopSerial);
    view_.setStatus2("");
    countdown_ = kCountdown;
    line_.clear();
    lineHead_.clear();
    crFree_ = 0;
    pending_.clear();
    pendingPos_ = 0;
    message_.clear();
    view_.showMessage();
}

void Receiver::tick() {
    if (!running_) return;
    if (countdown_ <= 0) {
        finish();
        return;
    }
    receive();
    if (!running_) return;  // a tick during File/Open ended the transfer
    --countdown_;
    if (countdown_ == kCountdown - 1) {
        view_.showMessage();
        view_.setStatus1(kNoDataFullBar);
    } else {
        view_.setStatus1(progressBar(countdown_));
    }
}

void Receiver::end() {
    if (!running_) return;
    while (running_ && pendingPos_ < pending_.size()) handle(pending_[pendingPos_++]);
    char buffer[kReadSize];
    for (std::size_t more = 0; running_ && more < kEndReadLimit;) {
        std::size_t n = port_->read(buffer, kReadSize);
        if (n == 0) break;
        for (std::size_t i = 0; i < n; ++i) handle(buffer[i]);
        more += n;
    }
    if (running_) finish();
}

void Receiver::receive() {
    char buffer[kReadSize];
    while (running_) {
        if (pendingPos_ == pending_.size()) {
            showLine();
            pending_.clear();
            pendingPos_ = 0;
            std::size_t n = port_->read(buffer, kReadSize);
            if (n == 0) {
                if (std::string failure = port_->failure(); !failure.empty()) {
                    reportPort("the port " + settings_.ComName + " stopped working: " + failure);
                    finish();
                }
                return;
            }
            pending_.assign(buffer, n);
        }
        handle(pending_[pendingPos_++]);
    }
}

// Status line 2 is brought up to date once per read rather than after every
// character: the same at every tick, and a line of a megabyte is not copied
// a million times.
void Receiver::showLine() {
    if (lineShown_) return;
    view_.setStatus2(std::string(lastChars(line_, kShownLine)));
    lineShown_ = true;
}

void Receiver::handle(char c) {
    if (c == '\r') {
        endOfLine();
        return;
    }
    if (c == '\n') return;
    message_ += c;
    unlogged_ += c;
    if (lineHead_.size() < 3) lineHead_ += c;
    if (line_.size() == 2 * kShownLine) line_.erase(0, kShownLine);
    line_ += c;
    lineShown_ = false;
    countdown_ = kCountdown;
}

void Receiver::endOfLine() {
    message_ += "\r\n";
    unlogged_ += "\r\n";
    lineShown_ = false;
    showLine();
    bool end = lineHead_ == "END";
    line_.clear();
    lineHead_.clear();
    if (!end) {
        countdown_ = kCountdown;
        return;
    }
    // Only the text since the last END can hold carriage returns: a
    // transmission of many END lines is not searched through again for each.
    if (crFree_ > message_.size()) crFree_ = 0;  // the window replaced the text meanwhile
    message_.erase(std::remove(message_.begin() + static_cast<std::ptrdiff_t>(crFree_), message_.end(), '\r'),
                   message_.end());
    crFree_ = message_.size();
    if (writeLog()) view_.runFileOpen(lastLog_);
    // Ticks keep coming while File/Open shows its dialogs and may have ended
    // the transfer already; then nothing is left to stop.
    if (running_) countdown_ = 1;
}

bool Receiver::writeLog() {
    const std::tm time = options_.clock();
    std::string text = unlogged_;
    std::erase(text, '\r');  // written in text mode: each line feed becomes CR LF
    // The log folder first, then the fallback folders: the first that takes
    // the log keeps it.
    std::vector<std::string> folders = {options_.logFolder};
    folders.insert(folders.end(), options_.fallbackFolders.begin(), options_.fallbackFolders.end());
    std::string firstError, path;
    for (const std::string& folder : folders) {
        path = receiveLogPath(folder, time);
        if (!folder.empty()) createFolders(folder);
        // Text that comes after END within the same second keeps the log's
        // name and is added to it rather than replacing what the log
        // already holds.
        std::string error;
        if (path == lastLog_ ? appendTextFile(path, text, &error) : writeTextFile(path, text, &error)) {
            logNote_ = firstError.empty() ? std::string()
                                          : firstError + "; the receive log is kept in " + path + " instead";
            if (!logNote_.empty()) appendReport(message_, logNote_);
            if (!logNote_.empty()) view_.showMessage();
            unlogged_.clear();
            lastLog_ = path;
            logError_.clear();
            return true;
        }
        if (firstError.empty()) firstError = "cannot write the receive log " + path + ": " + error;
    }
    logError_ = firstError;
    unloggedLog_ = receiveLogPath(options_.logFolder, time);
    if (!options_.fallbackFolders.empty())
        logError_ += "; no other folder took it either: the received text is kept only in the message text";
    appendReport(message_, logError_);
    view_.showMessage();
    return false;
}

std::string Receiver::unloggedName() const {
    if (logError_.empty()) return {};
    return unloggedLog_.substr(unloggedLog_.find_last_of("\\/") + 1);
}

bool Receiver::saveUnlogged(const std::string& path, std::string& error) {
    std::string text = unlogged_;
    std::erase(text, '\r');  // written in text mode, as the logs are
    if (!writeTextFile(path, text, &error)) return false;
    unlogged_.clear();
    lastLog_ = path;
    logError_.clear();
    logNote_ = "the receive log is kept in " + path;
    appendReport(message_, logNote_);
    view_.showMessage();
    return true;
}

void Receiver::reportPort(const std::string& error) {
    portError_ = error;
    view_.portFailed(error);
}

void Receiver::finish() {
    running_ = false;
    countdown_ = 0;
    port_.reset();
    pending_.clear();
    pendingPos_ = 0;
    line_.clear();
    lineHead_.clear();
    view_.setButtonText(kStartSerial);
    view_.setStatus1(kTransferOver);
    view_.setStatus2("");
    // A transmission cut short (time-out or stop) is kept, but not converted.
    if (unlogged_.find_first_not_of("\r\n") != std::string::npos && writeLog()) {
        appendReport(message_, "no END line came; the received text is kept in " + lastLog_);
        view_.showMessage();
    }
    // What no folder took stays in the message text, and is tried again with
    // the next log.
    if (logError_.empty()) unlogged_.clear();
}

}  // namespace tervan
