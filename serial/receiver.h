// Receiving a transmission from the instrument: a state machine driven by
// the window's 124 ms timer and by the "&Start Serial" / "&Stop Serial"
// button. It shows the transfer through a ReceiverView, keeps what arrived in
// a receive log file named by the local time, and hands a complete
// transmission (one ended by a line beginning with "END") to File/Open.
#pragma once

#include <cstddef>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/settings.h"
#include "serial/port.h"

namespace tervan {

enum class Direction { Receive, Send };

// The window of a transfer. The main window implements it; the command line
// and the tests have their own.
struct ReceiverView {
    virtual ~ReceiverView() = default;
    virtual void setButtonText(const std::string& text) = 0;
    virtual void setStatus1(const std::string& text) = 0;  // progress
    virtual void setStatus2(const std::string& text) = 0;  // the line being received
    // The port did not open, or stopped working; text says why.
    virtual void portFailed(const std::string& text) = 0;
    // Shows the message text (the received text) in the message area.
    virtual void showMessage() = 0;
    // The COM Properties dialog on a copy of the settings, its direction
    // preset to receiving. false on "Cancel"; on "OK" the settings and the
    // chosen direction are handed back.
    virtual bool askComProperties(Settings& settings, Direction& direction) = 0;
    // A transmission is complete and kept in logPath: it becomes the
    // current input path, and the File/Open sequence runs with it as the
    // initial file name. The view may run the sequence later, outside the
    // tick; it then runs one sequence for END lines that come meanwhile.
    virtual void runFileOpen(const std::string& logPath) = 0;
    // A send transfer (the "Send serial data" dialog).
    virtual void runSend() = 0;
};

// The local date and time of now.
using LocalClock = std::function<std::tm()>;
std::tm systemLocalTime();

inline constexpr const char* kStartSerial = "&Start Serial";
inline constexpr const char* kStopSerial = "&Stop Serial";
inline constexpr const char* kNoDataComing = "- No data comming -";
inline constexpr const char* kNoDataFullBar =
    "- No data comming ------------------------------------------------------------*";
inline constexpr const char* kTransferOver = ".";
inline constexpr const char* kLogNameFormat = "%d%02d%02d%02d%02d%02d.srd";

// The log file's path: folder (ending in a separator) + the local time of
// the end of the transmission + ".srd".
std::string receiveLogPath(const std::string& folder, const std::tm& localTime);

// The progress bar of status line 1 for a countdown (239 or below).
std::string progressBar(int countdown);

struct ReceiverOptions {
    std::string logFolder;  // ends in a separator; created when missing
    // Tried in turn when logFolder cannot be written (each ends in a
    // separator; created when missing): a received transmission is never
    // dropped for want of a folder.
    std::vector<std::string> fallbackFolders;
    PortOpener openPort;    // empty: the system's serial ports
    LocalClock clock;       // empty: systemLocalTime
};

class Receiver {
public:
    static constexpr int kCountdown = 240;  // ticks of 124 ms: about 30 s of silence
    static constexpr std::size_t kReadSize = 280;
    // Status line 2 shows at most the last this many characters of a line
    // without end; the message text and the log keep all of it.
    static constexpr std::size_t kShownLine = 255;

    // settings: the serial settings, which COM Properties edits; message:
    // the message text, emptied when a transfer starts and extended by every
    // character received.
    Receiver(Settings& settings, std::string& message, ReceiverView& view, ReceiverOptions options);
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    void buttonPressed();
    void tick();
    // Ends a running transfer at once (the window closes): what has arrived,
    // also what the port still holds (cut off after kEndReadLimit more
    // bytes from a sender that keeps on), is kept in a log file as when a
    // stopped transfer ends.
    void end();
    static constexpr std::size_t kEndReadLimit = 1 << 16;

    bool running() const { return running_; }
    int countdown() const { return countdown_; }
    // The last log file written; the report of the last log that could not
    // be written, empty when it was.
    const std::string& lastLog() const { return lastLog_; }
    const std::string& logError() const { return logError_; }
    // Where the last log went instead of the log folder, and why; "" when
    // it went to the log folder.
    const std::string& logNote() const { return logNote_; }
    // The name the log that no folder took would have had; "" while every
    // log was written.
    std::string unloggedName() const;
    // Writes the received text that no folder took to path, chosen by the
    // user elsewhere; false with the reason when it cannot be written there
    // either, and the text is still kept.
    bool saveUnlogged(const std::string& path, std::string& error);
    // Why the port of the last transfer did not open or stopped working;
    // empty when it worked.
    const std::string& portError() const { return portError_; }

private:
    void start();
    void receive();
    void handle(char c);
    void endOfLine();
    void showLine();
    void reportPort(const std::string& error);
    bool writeLog();
    void finish();

    Settings& settings_;
    std::string& message_;
    ReceiverView& view_;
    ReceiverOptions options_;
    std::unique_ptr<SerialPort> port_;
    bool running_ = false;
    int countdown_ = 0;
    std::string line_;      // the line being received; only its end is kept
    std::string lineHead_;  // its first three characters
    bool lineShown_ = true;  // status line 2 shows it
    std::string unlogged_;  // received since the last log file, CR LF kept
    std::size_t crFree_ = 0;  // the message text holds no carriage return before this
    // The bytes of the last read; a tick that runs while File/Open is shown
    // goes on with them, so nothing is handled twice or out of order.
    std::string pending_;
    std::size_t pendingPos_ = 0;
    std::string lastLog_;
    std::string logError_;
    std::string logNote_;
    std::string unloggedLog_;  // the path of the log that no folder took
    std::string portError_;
};

}  // namespace tervan
