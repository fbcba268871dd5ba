#include "serial_test_util.h"

#include <stdexcept>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include <cstdlib>

#include "core/files.h"
#else
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace tervan::test {

#ifdef _WIN32

namespace {

HANDLE openCom(const std::string& name) {
    return CreateFileW(toUtf16("\\\\.\\" + name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
}

}  // namespace

Pty::Pty() {
    const char* pair = std::getenv("TERVAN_TEST_COM_PAIR");
    std::string names = pair ? pair : "";
    auto comma = names.find(',');
    if (comma == std::string::npos) throw std::runtime_error("no COM pair in TERVAN_TEST_COM_PAIR");
    name_ = names.substr(0, comma);
    // Whatever an earlier test left on the line goes, on both ends.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    HANDLE port = openCom(name_);
    if (port == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + name_);
    PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
    CloseHandle(port);
    instrument_ = openCom(names.substr(comma + 1));
    if (instrument_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + names.substr(comma + 1));
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    GetCommState(instrument_, &dcb);
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fOutX = dcb.fInX = FALSE;
    dcb.fOutxCtsFlow = dcb.fOutxDsrFlow = FALSE;
    SetCommState(instrument_, &dcb);
    PurgeComm(instrument_, PURGE_RXCLEAR | PURGE_TXCLEAR);
}

Pty::~Pty() { CloseHandle(instrument_); }

void Pty::send(const std::string& bytes) {
    DWORD done = 0;
    if (!WriteFile(instrument_, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) ||
        done != bytes.size())
        throw std::runtime_error("writing to the instrument's end failed");
}

std::string Pty::receive(std::chrono::milliseconds quiet) {
    // Each read returns what has come, or waits up to quiet for a first byte.
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = MAXDWORD;
    t.ReadTotalTimeoutMultiplier = MAXDWORD;
    t.ReadTotalTimeoutConstant = static_cast<DWORD>(quiet.count());
    SetCommTimeouts(instrument_, &t);
    std::string got;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(instrument_, buffer, sizeof buffer, &n, nullptr) && n > 0) got.append(buffer, n);
    return got;
}

#else

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

#endif

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

bool underWine() {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
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
