// The sender with a scripted port, and a whole send over a pseudo-terminal.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "serial/sender.h"
#include "serial_test_util.h"
#include "test_util.h"

namespace tervan {
namespace {

Point point(Name name, double x, double y, double z) { return {.SN = "", .N = name, .X = x, .Y = y, .Z = z}; }

PointStore storeOf(std::initializer_list<Point> points) {
    PointStore store;
    for (const Point& p : points) appendPoint(store, p);
    return store;
}

TEST(SendRecord, IsEightyBytesWithTheNameRightAligned) {
    Point p = point("12", 4712345.678, 9512345.123, 123.456);
    std::string record = sendRecord(p);
    EXPECT_EQ(record, std::string(7 + 18, ' ') + "12" + "         X  4712345.678 Y   9512345.123 Z   123.456\r\n");
    EXPECT_EQ(record.size(), 80u);
    EXPECT_EQ(pointDisplay(p), "12, 4712345.678, 9512345.123, 123.456");

    std::string name25 = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    std::string cut = sendRecord(point(name25, 1, 2, 3));
    EXPECT_EQ(cut.size(), 80u);
    EXPECT_EQ(cut.substr(7, 20), "FGHIJKLMNOPQRSTUVWXY");
    EXPECT_EQ(sendRecord(point("P", 12345678901.5, 0, 0)).size(), 82u);
}

TEST(Sender, SendSkipAndAllWalkTheStore) {
    PointStore store = storeOf({point("A", 1, 2, 3), point("Z", 0, 0, 0), point("B", 4, 5, 6), point("C", 7, 8, 9),
                                point("D", 10, 11, 12)});
    test::FakePort::Log log;
    test::FakePort port(log);
    Sender sender(store, port);
    EXPECT_EQ(sender.text(), pointDisplay(store.points[0]));
    EXPECT_TRUE(sender.buttonsEnabled());

    sender.send();
    EXPECT_EQ(log.written, sendRecord(store.points[0]));
    EXPECT_EQ(sender.text(), kZeroPointNotSent);
    sender.send();  // the zero point is passed over, not sent
    EXPECT_EQ(log.written, sendRecord(store.points[0]));
    EXPECT_EQ(sender.text(), pointDisplay(store.points[2]));
    sender.skip();
    EXPECT_EQ(sender.text(), pointDisplay(store.points[3]));
    EXPECT_EQ(store.sendCursor, 3u);
    sender.all();
    EXPECT_EQ(log.written, sendRecord(store.points[0]) + sendRecord(store.points[3]) + sendRecord(store.points[4]));
    EXPECT_EQ(sender.text(), kNoMorePoints);
    EXPECT_FALSE(sender.buttonsEnabled());
    EXPECT_EQ(sender.sentCount(), 3);

    sender.finish();
    sender.finish();
    EXPECT_EQ(log.written.substr(240), "END\r");
}

TEST(Sender, AllOnTheLastPointAndAnEmptyStore) {
    PointStore store = storeOf({point("A", 1, 2, 3), point("B", 4, 5, 6)});
    test::FakePort::Log log;
    test::FakePort port(log);
    Sender sender(store, port);
    sender.skip();
    sender.all();
    EXPECT_EQ(log.written, sendRecord(store.points[1]));
    EXPECT_EQ(sender.text(), kNoMorePoints);
    sender.all();
    sender.send();
    EXPECT_EQ(log.written.size(), 80u);

    PointStore empty;
    test::FakePort::Log emptyLog;
    test::FakePort emptyPort(emptyLog);
    Sender none(empty, emptyPort);
    EXPECT_EQ(none.text(), kNoPointsToSend);
    EXPECT_TRUE(none.buttonsEnabled());
    none.skip();
    EXPECT_EQ(none.text(), kNoMorePoints);
    EXPECT_FALSE(none.buttonsEnabled());
    none.finish();
    EXPECT_EQ(emptyLog.written, "END\r");
}

TEST(Sender, AFirstZeroPointIsShownButNotSent) {
    PointStore store = storeOf({point("Z0", 0, 0, 0)});
    test::FakePort::Log log;
    test::FakePort port(log);
    Sender sender(store, port);
    EXPECT_EQ(sender.text(), "Z0,      0.000,      0.000,  0.000");
    sender.send();
    EXPECT_EQ(log.written, "");
    EXPECT_EQ(sender.text(), kNoMorePoints);
}

TEST(Sender, ARecordTooWideIsSkippedNotCut) {
    PointStore store = storeOf({point("A", 1, 2, 3), point("WIDE", 1e13, 2, 3), point("C", 7, 8, 9)});
    test::FakePort::Log log;
    test::FakePort port(log);
    Sender sender(store, port);
    sender.all();  // stops behind the wide point, to say so
    EXPECT_EQ(log.written, sendRecord(store.points[0]));
    EXPECT_EQ(sender.text(), "WIDE does not fit the record - the point is not sent");
    EXPECT_EQ(store.sendCursor, 2u);
    EXPECT_TRUE(sender.buttonsEnabled());
    sender.all();
    EXPECT_EQ(log.written, sendRecord(store.points[0]) + sendRecord(store.points[2]));
    EXPECT_EQ(sender.text(), kNoMorePoints);
}

TEST(Sender, ARecordThePortRefusesIsNotTakenAsSent) {
    PointStore store = storeOf({point("A", 1, 2, 3), point("B", 4, 5, 6), point("C", 7, 8, 9)});
    test::FakePort::Log log;
    test::FakePort port(log);
    Sender sender(store, port);
    sender.send();
    log.refuseWrites = true;
    sender.all();
    EXPECT_EQ(store.sendCursor, 1u);
    EXPECT_EQ(sender.text(), "the instrument did not accept B - the point is not sent");
    EXPECT_TRUE(sender.buttonsEnabled());
    EXPECT_EQ(sender.lastOutcome(), Sender::Outcome::Refused);
    log.refuseWrites = false;
    sender.send();  // tries B again
    EXPECT_EQ(log.written, sendRecord(store.points[0]) + sendRecord(store.points[1]));
    EXPECT_EQ(sender.text(), pointDisplay(store.points[2]));
    EXPECT_EQ(sender.sentCount(), 2);
}

TEST(Sender, SendsOverAPseudoTerminal) {
    test::Pty pty;
    PointStore store = storeOf({point("1", 4712345.678, 9512345.123, 123.456), point("Z", 0, 0, 0),
                                point("SKIPPED", 1, 1, 1), point("ABCDEFGHIJKLMNOPQRSTUVWXY", 10.5, -20.25, 0.125)});
    auto port = test::openConfigured(Settings{.ComName = pty.name()});
    ASSERT_NE(port, nullptr);
    {
        Sender sender(store, *port);
        sender.send();
        sender.send();
        sender.skip();
        sender.all();
        sender.finish();
    }
    EXPECT_EQ(pty.receive(),
              "                          1         X  4712345.678 Y   9512345.123 Z   123.456\r\n"
              "       FGHIJKLMNOPQRSTUVWXY         X       10.500 Y       -20.250 Z     0.125\r\n"
              "END\r");

    Sender closedAtOnce(store, *port);
    closedAtOnce.finish();
    EXPECT_EQ(pty.receive(), "END\r");
}

TEST(Sender, AHeldLineIsNotReportedAsSent) {
    test::Pty pty;
    PointStore store = storeOf({point("A", 1, 2, 3), point("B", 4, 5, 6)});
    auto port = test::openConfigured(Settings{.ComName = pty.name(), .FlowControl = "Xon / Xoff"});
    ASSERT_NE(port, nullptr);
    Sender sender(store, *port);
    pty.send("\x13");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    sender.all();
    EXPECT_EQ(store.sendCursor, 0u);
    EXPECT_EQ(sender.text(), "the instrument did not accept A - the point is not sent");
    pty.send("\x11");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    sender.all();
    sender.finish();
    EXPECT_EQ(pty.receive(), sendRecord(store.points[0]) + sendRecord(store.points[1]) + "END\r");
}

}  // namespace
}  // namespace tervan
