#include "serial/sender.h"

#include "core/printf.h"
#include "core/text.h"

namespace tervan {

std::string sendRecord(const Point& p) {
    // The name right-aligned in 20 characters; a longer one keeps its last 20.
    return strf(kSendRecordFormat, rightAligned(p.N, 20).c_str(), p.X, p.Y, p.Z);
}

std::string pointDisplay(const Point& p) { return strf(kPointDisplayFormat, p.N.c_str(), p.X, p.Y, p.Z); }

Sender::Sender(PointStore& store, SerialPort& port) : store_(store), port_(port) {
    store_.sendCursor = store_.points.empty() ? kNoPoint : 0;
    text_ = store_.points.empty() ? kNoPointsToSend : pointDisplay(store_.points.front());
}

Sender::Outcome Sender::sendCurrent() {
    const Point& p = store_.points[store_.sendCursor];
    if (isZeroPoint(p)) return Outcome::ZeroPoint;
    std::string record = sendRecord(p);
    // A cut record would give the instrument wrong coordinates.
    if (record.size() > kSendRecordSize) return Outcome::DoesNotFit;
    if (!port_.write(record.data(), record.size())) return Outcome::Refused;
    ++sent_;
    return Outcome::Sent;
}

void Sender::pastTheEnd() {
    store_.sendCursor = kNoPoint;
    text_ = kNoMorePoints;
    enabled_ = false;
}

void Sender::moveOn() {
    std::size_t next = store_.sendCursor + 1;
    if (next >= store_.points.size()) {
        pastTheEnd();
        return;
    }
    store_.sendCursor = next;
    const Point& p = store_.points[next];
    text_ = isZeroPoint(p) ? kZeroPointNotSent : pointDisplay(p);
}

Sender::Outcome Sender::step() {
    const Name name = store_.points[store_.sendCursor].N;
    Outcome outcome = sendCurrent();
    last_ = outcome;
    switch (outcome) {
        case Outcome::Refused:
            // The cursor stays, so that "&Send" tries the point again.
            text_ = strf(kNotAcceptedFormat, name.c_str());
            break;
        case Outcome::DoesNotFit:
            moveOn();
            text_ = strf(kDoesNotFitFormat, name.c_str());
            break;
        case Outcome::Sent:
        case Outcome::ZeroPoint:
        case Outcome::None:
            moveOn();
            break;
    }
    return outcome;
}

void Sender::send() {
    if (store_.sendCursor == kNoPoint)
        pastTheEnd();
    else
        step();
}

void Sender::skip() {
    if (store_.sendCursor == kNoPoint) {
        pastTheEnd();
        return;
    }
    moveOn();
}

void Sender::all() {
    // Stops where a point could not go out, so that its message stays shown.
    while (store_.sendCursor != kNoPoint) {
        Outcome outcome = step();
        if (outcome == Outcome::Refused || outcome == Outcome::DoesNotFit) return;
    }
}

void Sender::finish() {
    if (finished_) return;
    finished_ = true;
    port_.write(kEndMark, 4);
}

}  // namespace tervan
