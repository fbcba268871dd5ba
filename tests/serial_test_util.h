// Test doubles of the serial link: a pseudo-terminal pair whose master side
// plays the instrument, a scripted port, and a window that records what the
// receiver shows.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "serial/receiver.h"

namespace tervan::test {

// A serial line whose far end plays the instrument. On POSIX systems a raw
// pseudo-terminal pair with ^Q and ^S as its start and stop characters. On
// Windows two COM ports linked to each other, which the test run provides
// in TERVAN_TEST_COM_PAIR ("COM12,COM13": the port under test, then the
// instrument's end; under wine, links in the prefix's dosdevices to a pair
// of pseudo-terminals).
class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // The port's name, as ComName gives it.
    const std::string& name() const { return name_; }
#ifndef _WIN32
    int slave() const { return slave_; }
    // The instrument goes away: its side closes.
    void closeInstrument();
#endif
    // The instrument's side.
    void send(const std::string& bytes);
    // What arrived from the port, reading until nothing came for quiet.
    std::string receive(std::chrono::milliseconds quiet = std::chrono::milliseconds(150));

private:
#ifdef _WIN32
    void* instrument_ = nullptr;  // HANDLE
#else
    int master_ = -1;
    int slave_ = -1;
#endif
    std::string name_;
};

// A port that hands out scripted chunks, one per read, and records writes.
class FakePort final : public SerialPort {
public:
    struct Log {
        std::deque<std::string> chunks;  // each read takes up to count bytes of the first; "" reads nothing
        std::string written;
        std::vector<LineParams> configured;
        bool refuseWrites = false;
        bool closed = false;
    };
    explicit FakePort(Log& log) : log_(log) {}
    ~FakePort() override { log_.closed = true; }
    bool configure(const LineParams& params) override {
        log_.configured.push_back(params);
        return true;
    }
    bool setTimeouts() override { return true; }
    std::size_t read(char* buffer, std::size_t count) override;
    bool write(const char* data, std::size_t count) override;

private:
    Log& log_;
};

// A window that keeps the texts the receiver shows and answers its dialogs
// from a script.
struct FakeView final : ReceiverView {
    std::string button = kStartSerial, status1, status2, failure, shownMessage;
    std::vector<std::string> status1History;
    const std::string* message = nullptr;  // the receiver's message text
    bool comOk = true;
    Direction direction = Direction::Receive;
    int comAsked = 0, sends = 0;
    std::vector<std::string> fileOpens;
    std::function<void()> duringFileOpen;

    void setButtonText(const std::string& text) override { button = text; }
    void setStatus1(const std::string& text) override {
        status1 = text;
        status1History.push_back(text);
    }
    void setStatus2(const std::string& text) override { status2 = text; }
    void portFailed(const std::string& text) override { failure = text; }
    void showMessage() override { shownMessage = *message; }
    bool askComProperties(Settings&, Direction& d) override {
        ++comAsked;
        d = direction;
        return comOk;
    }
    void runFileOpen(const std::string& logPath) override {
        fileOpens.push_back(logPath);
        if (duringFileOpen) duringFileOpen();
    }
    void runSend() override { ++sends; }
};

// The system's port of that name, as it is or configured from settings;
// nullptr when it does not open.
inline std::unique_ptr<SerialPort> openPort(const std::string& name) {
    std::string reason;
    return openSerialPort(name, reason);
}
inline std::unique_ptr<SerialPort> openConfigured(const Settings& settings) {
    std::string error;
    return openConfiguredPort(settings, {}, error);
}

// 5 March 2009, 07:04:09.
std::tm march5th2009();

// Whether the test runs under wine, whose serial ports differ from
// Windows' in what they refuse.
bool underWine();

}  // namespace tervan::test
