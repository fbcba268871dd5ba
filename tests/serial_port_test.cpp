// The serial port over real pseudo-terminals, and the mapping of the setting
// texts to line parameters.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "serial/port.h"
#include "serial_test_util.h"
#include "test_util.h"

#ifdef _WIN32
#include "serial/port_win32.h"
#else
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include "serial/port_posix.h"
#endif

namespace tervan {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

Settings serial(std::string baud, std::string dataBits, std::string parity, std::string stopBits,
                std::string flow) {
    Settings s;
    s.Baud = std::move(baud);
    s.DataBits = std::move(dataBits);
    s.Parity = std::move(parity);
    s.StopBits = std::move(stopBits);
    s.FlowControl = std::move(flow);
    return s;
}

TEST(LineParams, MapsTheTextsExactly) {
    struct Case {
        Settings settings;
        LineParams want;
    } cases[] = {
        {serial("9600", "8", "None", "1", "None"), {9600, 8, Parity::None, StopBits::One, FlowControl::None}},
        {serial("2400", "7", "Even", "2", "Xon / Xoff"), {2400, 7, Parity::Even, StopBits::Two, FlowControl::XonXoff}},
        {serial("110", "8", "Odd", "1.5", "Hardware"), {110, 8, Parity::Odd, StopBits::OneAndHalf, FlowControl::Hardware}},
        {serial("921600", "9", "none", "3", "hardware"), {921600, 8, Parity::None, StopBits::One, FlowControl::None}},
        {serial("fast", "", "Mark", "", "Xon/Xoff"), {9600, 8, Parity::None, StopBits::One, FlowControl::None}},
        {serial("", "7 ", "odd", "2.0", ""), {9600, 8, Parity::None, StopBits::One, FlowControl::None}},
        {serial("-300", "8", "EVEN", "1", "None"), {9600, 8, Parity::None, StopBits::One, FlowControl::None}},
        {serial("9600 ", "8", "None", "1", "None"), {9600, 8, Parity::None, StopBits::One, FlowControl::None}},
        {serial("99999999", "8", "None", "1", "None"), {9600, 8, Parity::None, StopBits::One, FlowControl::None}},
        {serial("0", "8", "None", "1", "None"), {9600, 8, Parity::None, StopBits::One, FlowControl::None}},
    };
    for (const Case& c : cases) {
        LineParams p = lineParams(c.settings);
        SCOPED_TRACE(c.settings.Baud + "/" + c.settings.DataBits + "/" + c.settings.Parity);
        EXPECT_EQ(p.baud, c.want.baud);
        EXPECT_EQ(p.dataBits, c.want.dataBits);
        EXPECT_EQ(p.parity, c.want.parity);
        EXPECT_EQ(p.stopBits, c.want.stopBits);
        EXPECT_EQ(p.flow, c.want.flow);
    }
}

TEST(LineParams, EveryOfferedRateIsHonoured) {
    for (const char* rate : {"110", "300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200",
                             "230400", "460800", "921600"})
        EXPECT_EQ(baudFromText(rate), std::stol(rate)) << rate;
}

TEST(LineParams, WriteTimeOutCoversSlowLines) {
    EXPECT_EQ(writeTimeoutPerByte({9600, 8, Parity::None, StopBits::One}), 10);
    EXPECT_EQ(writeTimeoutPerByte({1200, 8, Parity::None, StopBits::One}), 13);  // 10 bits: 8.3 ms
    EXPECT_EQ(writeTimeoutPerByte({110, 7, Parity::Even, StopBits::Two}), 150);  // 11 bits: 100 ms
}

#ifndef _WIN32
// What a user without the right to a port meets: the port opened as the
// user "nobody" when the test runs as root, else with no rights left on it.
std::string reasonWithoutPermission(const test::Pty& pty) {
    chmod(pty.name().c_str(), 0);
    int out[2];
    if (pipe(out) != 0) return "no pipe";
    pid_t child = fork();
    if (child == 0) {
        std::string reason = "cannot become nobody";
        if (geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0)) {
            reason.clear();
            openSerialPort(pty.name(), reason);
        }
        ssize_t written = write(out[1], reason.data(), reason.size());
        _exit(written < 0 ? 1 : 0);
    }
    close(out[1]);
    std::string reason;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) reason.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    waitpid(child, nullptr, 0);
    chmod(pty.name().c_str(), 0620);
    return reason;
}
#endif

TEST(SerialPort, OpensOnlyExistingTerminalsExclusivelyAndSaysWhyNot) {
    test::ScratchDir dir;
    test::writeFile(dir.file("plain"), "x");
    test::Pty pty;
    // (Not "COM1": on Windows that name is the device in every folder.)
    const std::pair<std::string, const char*> cases[] = {
        {dir.file("ttyNONE"), "there is no such port"},
        {dir.file("plain"), "it is not a serial port"},
    };
    for (const auto& [name, expected] : cases) {
        std::string reason;
        EXPECT_EQ(openSerialPort(name, reason), nullptr) << name;
        EXPECT_EQ(reason, expected) << name;
    }
    EXPECT_FALSE(test::fileExists(dir.file("ttyNONE")));  // never created

    auto held = test::openPort(pty.name());
    ASSERT_NE(held, nullptr);
    // Windows' serial drivers refuse a second opener themselves; wine's
    // ports do not.
    if (!test::underWine()) {
        std::string reason;
        EXPECT_EQ(openSerialPort(pty.name(), reason), nullptr);
        EXPECT_EQ(reason, "it is busy: another program holds it");
    }
    held.reset();
    EXPECT_NE(test::openPort(pty.name()), nullptr);

#ifndef _WIN32
    struct stat info {};
    ASSERT_EQ(stat(pty.name().c_str(), &info), 0);
    const group* owner = getgrgid(info.st_gid);
    std::string reason = reasonWithoutPermission(pty);
    if (reason == "cannot become nobody") GTEST_SKIP() << reason;
    EXPECT_EQ(reason, owner && info.st_gid != 0
                          ? "permission denied (the port belongs to the group " + std::string(owner->gr_name) + ")"
                          : std::string("permission denied"));
#endif
}

#ifndef _WIN32
termios attributes(const test::Pty& pty) {
    termios t{};
    tcgetattr(pty.slave(), &t);
    return t;
}

struct LineCase {
    Settings settings;
    speed_t speed;
    tcflag_t cflags;  // of CSIZE | PARENB | PARODD | CSTOPB
    tcflag_t iflags;  // of IXON | IXOFF
};

const LineCase kLineCases[] = {
    {serial("9600", "8", "None", "1", "None"), B9600, CS8, 0},
    {serial("2400", "7", "Even", "2", "Xon / Xoff"), B2400, CS7 | PARENB | CSTOPB, IXON | IXOFF},
    {serial("110", "8", "Odd", "1", "Hardware"), B110, CS8 | PARENB | PARODD, 0},
    {serial("300", "7", "None", "1", "None"), B300, CS7, 0},
    {serial("230400", "8", "None", "2", "None"), B230400, CS8 | CSTOPB, 0},
    {serial("460800", "8", "None", "1", "None"), B460800, CS8, 0},
    {serial("921600", "8", "None", "1", "None"), B921600, CS8, 0},
    {serial("nonsense", "9", "Mark", "1", "None"), B9600, CS8, 0},
};

void expectRaw(const termios& t) {
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP), 0u);
}

TEST(SerialPort, LineParamsBecomeTermiosFlags) {
    for (const LineCase& c : kLineCases) {
        SCOPED_TRACE(c.settings.Baud);
        termios t{};
        t.c_cflag = CS5 | PARODD | CRTSCTS;
        t.c_iflag = ICRNL | IXON;
        t.c_lflag = ICANON | ECHO;
        ASSERT_TRUE(applyLineParams(t, lineParams(c.settings)));
        EXPECT_EQ(cfgetospeed(&t), c.speed);
        EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB), c.cflags);
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF), c.iflags);
        EXPECT_NE(t.c_cflag & CRTSCTS, 0u);
        expectRaw(t);
    }
}

// A pseudo-terminal keeps the rate, the stop bits and the flags, but always
// has 8 data bits and no parity.
TEST(SerialPort, ConfiguresThePseudoTerminal) {
    test::Pty pty;
    auto port = test::openPort(pty.name());
    ASSERT_NE(port, nullptr);
    for (const LineCase& c : kLineCases) {
        SCOPED_TRACE(c.settings.Baud);
        ASSERT_TRUE(port->configure(lineParams(c.settings)));
        termios t = attributes(pty);
        EXPECT_EQ(cfgetospeed(&t), c.speed);
        EXPECT_EQ(cfgetispeed(&t), c.speed);
        EXPECT_EQ(t.c_cflag & CSTOPB, c.cflags & CSTOPB);
        EXPECT_EQ(t.c_iflag & (IXON | IXOFF), c.iflags);
        expectRaw(t);
    }
}

TEST(SerialPort, OneAndAHalfStopBitsLeaveTheSettingsAlone) {
    test::Pty pty;
    auto port = test::openPort(pty.name());
    ASSERT_NE(port, nullptr);
    ASSERT_TRUE(port->configure(lineParams(serial("4800", "8", "None", "2", "Xon / Xoff"))));
    termios before = attributes(pty);
    EXPECT_FALSE(port->configure(lineParams(serial("19200", "8", "None", "1.5", "None"))));
    termios unchanged{};
    EXPECT_FALSE(applyLineParams(unchanged, lineParams(serial("19200", "7", "Odd", "1.5", "None"))));
    EXPECT_EQ(unchanged.c_cflag, 0u);
    termios after = attributes(pty);
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
    EXPECT_EQ(cfgetospeed(&after), B4800);
}

TEST(SerialPort, HardwareFlowLeavesRtsCtsAsTheyWere) {
    test::Pty pty;
    for (bool rtscts : {true, false}) {
        termios t = attributes(pty);
        if (rtscts)
            t.c_cflag |= CRTSCTS;
        else
            t.c_cflag &= ~CRTSCTS;
        tcsetattr(pty.slave(), TCSANOW, &t);
        auto port = test::openPort(pty.name());
        ASSERT_NE(port, nullptr);
        // DTR cannot be raised on a pseudo-terminal; that is no failure.
        EXPECT_TRUE(port->configure(lineParams(serial("9600", "8", "None", "1", "Hardware"))));
        EXPECT_EQ((attributes(pty).c_cflag & CRTSCTS) != 0, rtscts);
        EXPECT_TRUE(port->configure(lineParams(serial("9600", "8", "None", "1", "None"))));
        EXPECT_EQ((attributes(pty).c_cflag & CRTSCTS) != 0, rtscts);
    }
}

#else
// The flags of the DCB that configure changes, and some of those it keeps.
struct DcbFlags {
    DWORD outxDsr, dtr, dsrSensitivity, outX, inX, outxCts, rts, abortOnError;
};

DcbFlags flagsOf(const DCB& d) {
    return {d.fOutxDsrFlow, d.fDtrControl, d.fDsrSensitivity, d.fOutX, d.fInX, d.fOutxCtsFlow, d.fRtsControl,
            d.fAbortOnError};
}

TEST(SerialPort, LineParamsBecomeDcbFields) {
    struct Case {
        Settings settings;
        DWORD baud;
        BYTE bits, parity, stop;
        DWORD outxDsr, dtr, outX;
    } cases[] = {
        {serial("9600", "8", "None", "1", "None"), 9600, 8, NOPARITY, ONESTOPBIT, 0, DTR_CONTROL_DISABLE, 0},
        {serial("2400", "7", "Even", "2", "Xon / Xoff"), 2400, 7, EVENPARITY, TWOSTOPBITS, 0, DTR_CONTROL_DISABLE, 1},
        {serial("110", "8", "Odd", "1", "Hardware"), 110, 8, ODDPARITY, ONESTOPBIT, 1, DTR_CONTROL_ENABLE, 0},
        {serial("921600", "9", "Mark", "3", "hardware"), 921600, 8, NOPARITY, ONESTOPBIT, 0, DTR_CONTROL_DISABLE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings.Baud);
        // A port with every kept flag set the other way round.
        DCB dcb{};
        dcb.fOutxCtsFlow = TRUE;
        dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
        dcb.fAbortOnError = TRUE;
        dcb.fOutX = dcb.fInX = dcb.fOutxDsrFlow = dcb.fDsrSensitivity = !c.outX;
        dcb.XonChar = 0x11;
        dcb.XoffChar = 0x13;
        ASSERT_TRUE(applyLineParams(dcb, lineParams(c.settings)));
        EXPECT_EQ(dcb.BaudRate, c.baud);
        EXPECT_EQ(dcb.ByteSize, c.bits);
        EXPECT_EQ(dcb.Parity, c.parity);
        EXPECT_EQ(dcb.StopBits, c.stop);
        DcbFlags f = flagsOf(dcb);
        EXPECT_EQ(f.outxDsr, c.outxDsr);
        EXPECT_EQ(f.dsrSensitivity, c.outxDsr);
        EXPECT_EQ(f.dtr, c.dtr);
        EXPECT_EQ(f.outX, c.outX);
        EXPECT_EQ(f.inX, c.outX);
        EXPECT_EQ(f.outxCts, 1u);
        EXPECT_EQ(f.rts, static_cast<DWORD>(RTS_CONTROL_HANDSHAKE));
        EXPECT_EQ(f.abortOnError, 0u);
        EXPECT_EQ(dcb.XonChar, 0x11);
        EXPECT_EQ(dcb.XoffChar, 0x13);
    }
    DCB unchanged{};
    unchanged.BaudRate = 4800;
    EXPECT_FALSE(applyLineParams(unchanged, lineParams(serial("19200", "7", "Odd", "1.5", "None"))));
    EXPECT_EQ(unchanged.BaudRate, 4800u);
    EXPECT_EQ(unchanged.ByteSize, 0);
}
#endif

long msSince(Clock::time_point start) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

TEST(SerialPort, ReadsWaitAboutOneMillisecondPerByte) {
    test::Pty pty;
    auto port = test::openConfigured(Settings{.ComName = pty.name()});
    ASSERT_NE(port, nullptr);
    char buffer[1000];

    auto start = Clock::now();
    EXPECT_EQ(port->read(buffer, 100), 0u);
    long quiet = msSince(start);
    EXPECT_GE(quiet, 100);
    EXPECT_LT(quiet, 1000);

    std::string block(1000, 'x');
    pty.send(block);
    std::this_thread::sleep_for(50ms);
    start = Clock::now();
    EXPECT_EQ(port->read(buffer, 1000), 1000u);  // full at once, long before 1001 ms
    EXPECT_LT(msSince(start), 500);
    EXPECT_EQ(std::string(buffer, 1000), block);

    pty.send("abc");
    std::this_thread::sleep_for(50ms);
    start = Clock::now();
    EXPECT_EQ(port->read(buffer, 280), 3u);  // what came within 281 ms
    EXPECT_GE(msSince(start), 250);
    EXPECT_EQ(std::string(buffer, 3), "abc");
}

TEST(SerialPort, WritesGoOutAndAHeldLineTimesOut) {
    test::Pty pty;
    Settings settings{.ComName = pty.name(), .FlowControl = "Xon / Xoff"};
    auto port = test::openConfigured(settings);
    ASSERT_NE(port, nullptr);
    std::string record(80, 'r');
    EXPECT_TRUE(port->write(record.data(), record.size()));
    EXPECT_EQ(pty.receive(), record);

    pty.send("\x13");  // the instrument says stop
    std::this_thread::sleep_for(100ms);
    auto start = Clock::now();
    EXPECT_FALSE(port->write(record.data(), record.size()));
    long held = msSince(start);
    EXPECT_GE(held, 790);
    EXPECT_LT(held, 3000);
    EXPECT_EQ(pty.receive(50ms), "");

    pty.send("\x11");  // and go on
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(port->write("END\r", 4));
    EXPECT_EQ(pty.receive(), "END\r");  // nothing of the refused record comes after all
}

}  // namespace
}  // namespace tervan
