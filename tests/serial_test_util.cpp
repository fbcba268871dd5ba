#include "serial_test_util.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <stdexcept>

namespace tervan::test {

Pty::Pty() {
    termios t{};
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VSTART] = 0x11;  // ^Q
    t.c_cc[VSTOP] = 0x13;   // ^S
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    if (openpty(&master_, &slave_, nullptr, &t, nullptr) != 0) throw std::runtime_error("openpty failed");
    name_ = ttyname(slave_);
}

Pty::~Pty() {
    closeInstrument();
    close(slave_);
}

void Pty::closeInstrument() {
    if (master_ >= 0) close(master_);
    master_ = -1;
}

void Pty::send(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
        if (n <= 0) throw std::runtime_error("writing to the pty failed");
        done += static_cast<std::size_t>(n);
    }
}

std::string Pty::receive(std::chrono::milliseconds quiet) {
    std::string got;
    char buffer[4096];
    pollfd p{master_, POLLIN, 0};
    while (poll(&p, 1, static_cast<int>(quiet.count())) > 0) {
        ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
}

std::size_t FakePort::read(char* buffer, std::size_t count) {
    if (log_.chunks.empty()) return 0;
    std::string& chunk = log_.chunks.front();
    if (chunk.empty()) {  // an empty chunk ends a tick's reading
        log_.chunks.pop_front();
        return 0;
    }
    std::size_t n = std::min(count, chunk.size());
    chunk.copy(buffer, n);
    chunk.erase(0, n);
    if (chunk.empty()) log_.chunks.pop_front();
    return n;
}

bool FakePort::write(const char* data, std::size_t count) {
    if (log_.refuseWrites) return false;
    log_.written.append(data, count);
    return true;
}

std::tm march5th2009() {
    std::tm t{};
    t.tm_year = 2009 - 1900;
    t.tm_mon = 2;
    t.tm_mday = 5;
    t.tm_hour = 7;
    t.tm_min = 4;
    t.tm_sec = 9;
    return t;
}

}  // namespace tervan::test
