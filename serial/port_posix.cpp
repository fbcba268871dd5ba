// The serial port on POSIX systems, a thin layer over termios. Reads and
// writes run on a non-blocking descriptor and wait with poll(), which gives
// the same time-outs as the ones the port has on Windows.
#include "serial/port_posix.h"

#include "serial/port.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

namespace tervan {

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::milliseconds;

struct Speed {
    long rate;
    speed_t code;
};

constexpr Speed kSpeeds[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},     {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
#ifdef B57600
    {57600, B57600},
#endif
#ifdef B115200
    {115200, B115200},
#endif
#ifdef B230400
    {230400, B230400},
#endif
#ifdef B460800
    {460800, B460800},
#endif
#ifdef B500000
    {500000, B500000},
#endif
#ifdef B576000
    {576000, B576000},
#endif
#ifdef B921600
    {921600, B921600},
#endif
#ifdef B1000000
    {1000000, B1000000},
#endif
};

bool speedCode(long rate, speed_t& code) {
    for (const Speed& s : kSpeeds)
        if (s.rate == rate) {
            code = s.code;
            return true;
        }
    return false;
}

constexpr const char* kNoSuchPort = "there is no such port";
constexpr const char* kBusy = "it is busy: another program holds it";
constexpr const char* kNotASerialPort = "it is not a serial port";
constexpr const char* kHungUp = "the line was hung up";

std::string whyNotOpened(const std::string& name, int error) {
    switch (error) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
            return kNoSuchPort;
        case EBUSY:
            return kBusy;
        case EACCES:
        case EPERM: {
            // The device's group is the one a user must be in (dialout on
            // most systems).
            struct stat info {};
            const group* owner = stat(name.c_str(), &info) == 0 ? getgrgid(info.st_gid) : nullptr;
            if (!owner || owner->gr_gid == 0) return "permission denied";
            return std::string("permission denied (the port belongs to the group ") + owner->gr_name + ")";
        }
        default:
            return std::strerror(error);
    }
}

int msUntil(Clock::time_point deadline) {
    auto left = std::chrono::ceil<Ms>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}


class PosixPort final : public SerialPort {
public:
    explicit PosixPort(int fd) : fd_(fd) {}
    PosixPort(const PosixPort&) = delete;
    PosixPort& operator=(const PosixPort&) = delete;
    ~PosixPort() override {
        ioctl(fd_, TIOCNXCL);
        ::close(fd_);
    }

    bool configure(const LineParams& params) override;
    bool setTimeouts() override;
    std::size_t read(char* buffer, std::size_t count) override;
    bool write(const char* data, std::size_t count) override;
    std::string failure() const override { return failure_; }

private:
    int fd_;
    std::string failure_;
    // Milliseconds, as the port has them on Windows: none until setTimeouts().
    int readPerByte_ = 0, readConstant_ = 0, writePerByte_ = 0, writeConstant_ = 0;
    int lineWritePerByte_ = 10;
};

bool PosixPort::configure(const LineParams& params) {
    termios before{};
    if (tcgetattr(fd_, &before) != 0) return false;
    termios t = before;
    if (!applyLineParams(t, params)) return false;

    termios after{};
    if (tcsetattr(fd_, TCSANOW, &t) != 0) return false;
    // tcsetattr succeeds when any change was made; a port that did not take
    // the rate gets its old settings back.
    if (tcgetattr(fd_, &after) != 0 || cfgetospeed(&after) != cfgetospeed(&t)) {
        tcsetattr(fd_, TCSANOW, &before);
        return false;
    }
    // DTR up for hardware flow control, down otherwise. Pseudo-terminals
    // have no modem lines (ENOTTY), so the result is not tested.
    int dtr = TIOCM_DTR;
    ioctl(fd_, params.flow == FlowControl::Hardware ? TIOCMBIS : TIOCMBIC, &dtr);
    lineWritePerByte_ = writeTimeoutPerByte(params);
    return true;
}

bool PosixPort::setTimeouts() {
    readPerByte_ = 1;
    readConstant_ = 1;
    writePerByte_ = lineWritePerByte_;
    writeConstant_ = 1;
    return true;
}

std::size_t PosixPort::read(char* buffer, std::size_t count) {
    auto deadline = Clock::now() + Ms(readPerByte_ * static_cast<long>(count) + readConstant_);
    std::size_t got = 0;
    bool hungUp = false;  // poll said so; a read that finds nothing confirms it
    while (got < count) {
        ssize_t n = ::read(fd_, buffer + got, count - got);
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        // With VMIN and VTIME at 0 a terminal says "nothing yet" by 0 bytes;
        // a device that went away says so by an error, or by polling as
        // hung up and then reading nothing.
        if (n < 0 && errno != EAGAIN) {
            failure_ = std::strerror(errno);
            break;
        }
        if (hungUp) {
            failure_ = kHungUp;
            break;
        }
        int wait = msUntil(deadline);
        if (wait == 0) break;
        pollfd p{fd_, POLLIN, 0};
        int ready = poll(&p, 1, wait);
        if (ready < 0 && errno != EINTR) {
            failure_ = std::strerror(errno);
            break;
        }
        hungUp = ready > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
    }
    return got;
}

bool PosixPort::write(const char* data, std::size_t count) {
    if (count == 0) return false;
    auto deadline = Clock::now() + Ms(writePerByte_ * static_cast<long>(count) + writeConstant_);
    std::size_t done = 0;
    while (done < count) {
        ssize_t n = ::write(fd_, data + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) break;
        int wait = msUntil(deadline);
        if (wait == 0) break;
        pollfd p{fd_, POLLOUT, 0};
        if (poll(&p, 1, wait) < 0 && errno != EINTR) break;
    }
    // Accepted means gone out on the line: wait until the output queue is
    // empty, as the driver on Windows does. Devices that cannot tell count
    // as sent.
    while (done == count) {
        int queued = 0;
        if (ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued == 0) return true;
        if (msUntil(deadline) == 0) break;
        std::this_thread::sleep_for(Ms(1));
    }
    // What did not go out is dropped, so that a second try does not send
    // the rest of this record first.
    tcflush(fd_, TCOFLUSH);
    return false;
}

}  // namespace

bool applyLineParams(termios& t, const LineParams& params) {
    speed_t speed{};
    if (params.stopBits == StopBits::OneAndHalf || !speedCode(params.baud, speed)) return false;
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB);
    // The modem lines do not end a transfer, as on Windows.
    t.c_cflag |= CREAD | CLOCAL | (params.dataBits == 7 ? CS7 : CS8);
    if (params.parity != Parity::None) t.c_cflag |= PARENB;
    if (params.parity == Parity::Odd) t.c_cflag |= PARODD;
    if (params.stopBits == StopBits::Two) t.c_cflag |= CSTOPB;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (params.flow == FlowControl::XonXoff) t.c_iflag |= IXON | IXOFF;
#ifdef CDSR_OFLOW
    // RTS/CTS (CRTSCTS) stay as the port had them.
    if (params.flow == FlowControl::Hardware)
        t.c_cflag |= CDSR_OFLOW;
    else
        t.c_cflag &= ~CDSR_OFLOW;
#endif
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    return true;
}

std::unique_ptr<SerialPort> openSerialPort(const std::string& name, std::string& reason) {
    // No O_CREAT: the device must exist. TIOCEXCL keeps other programs out,
    // flock keeps out those running as root, who pass TIOCEXCL.
    int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = whyNotOpened(name, errno);
        return nullptr;
    }
    const char* refused = nullptr;
    if (!isatty(fd))
        refused = kNotASerialPort;
    else if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0)
        refused = kBusy;
    if (refused) {
        ::close(fd);
        reason = refused;
        return nullptr;
    }
    return std::make_unique<PosixPort>(fd);
}

}  // namespace tervan
