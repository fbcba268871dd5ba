// Sending the points of the store to the instrument, one 80-byte record per
// point, under the buttons of the "Send serial data" dialog. The port is
// open and configured for the sender's whole life; finish() sends the end
// mark when the dialog closes.
#pragma once

#include <string>

#include "core/point_store.h"
#include "serial/port.h"

namespace tervan {

inline constexpr const char* kSendRecordFormat = "       %s         X%13.3f Y%14.3f Z%10.3f\r\n";
inline constexpr const char* kPointDisplayFormat = "%s, %10.3f, %10.3f, %6.3f";
inline constexpr const char* kNoPointsToSend = "no points to send";
inline constexpr const char* kZeroPointNotSent = "X,Y,Z=0 - the point is not to send";
inline constexpr const char* kNoMorePoints = "no more points to send";
inline constexpr const char* kDoesNotFitFormat = "%s does not fit the record - the point is not sent";
inline constexpr const char* kNotAcceptedFormat = "the instrument did not accept %s - the point is not sent";
inline constexpr const char* kEndMark = "END\r";
inline constexpr std::size_t kSendRecordSize = 80;

// The record of one point; longer than 80 bytes when a number is wider than
// its field.
std::string sendRecord(const Point& p);

std::string pointDisplay(const Point& p);

class Sender {
public:
    enum class Outcome { None, Sent, ZeroPoint, Refused, DoesNotFit };

    // Puts the send cursor on the first point.
    Sender(PointStore& store, SerialPort& port);
    Sender(const Sender&) = delete;
    Sender& operator=(const Sender&) = delete;

    void send();  // "&Send"
    void skip();  // "Ski&p"
    void all();   // "&All"
    // Sends the end mark once; later calls do nothing.
    void finish();

    // The text of the dialog's edit field.
    const std::string& text() const { return text_; }
    // Whether "&All", "&Send" and "Ski&p" are enabled.
    bool buttonsEnabled() const { return enabled_; }
    int sentCount() const { return sent_; }
    // What became of the last point that "&Send" or "&All" tried.
    Outcome lastOutcome() const { return last_; }

private:
    Outcome sendCurrent();
    Outcome step();
    void moveOn();
    void pastTheEnd();

    PointStore& store_;
    SerialPort& port_;
    std::string text_;
    bool enabled_ = true;
    bool finished_ = false;
    int sent_ = 0;
    Outcome last_ = Outcome::None;
};

}  // namespace tervan
