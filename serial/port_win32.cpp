// The serial port on Windows: the communication functions of the system on
// a DCB and a COMMTIMEOUTS.
#include "serial/port_win32.h"

#include "core/files.h"
#include "serial/port.h"

#include <string>

namespace tervan {

namespace {

class Win32Port final : public SerialPort {
public:
    explicit Win32Port(HANDLE handle) : handle_(handle) {}
    Win32Port(const Win32Port&) = delete;
    Win32Port& operator=(const Win32Port&) = delete;
    ~Win32Port() override { CloseHandle(handle_); }

    bool configure(const LineParams& params) override;
    bool setTimeouts() override;
    std::size_t read(char* buffer, std::size_t count) override;
    bool write(const char* data, std::size_t count) override;
    std::string failure() const override { return failure_; }

private:
    HANDLE handle_;
    std::string failure_;
    DWORD writePerByte_ = 10;
};

bool Win32Port::configure(const LineParams& params) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_, &dcb)) return false;
    if (!applyLineParams(dcb, params) || !SetCommState(handle_, &dcb)) return false;
    writePerByte_ = static_cast<DWORD>(writeTimeoutPerByte(params));
    return true;
}

bool Win32Port::setTimeouts() {
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = 0;
    t.ReadTotalTimeoutMultiplier = 1;
    t.ReadTotalTimeoutConstant = 1;
    t.WriteTotalTimeoutMultiplier = writePerByte_;
    t.WriteTotalTimeoutConstant = 1;
    return SetCommTimeouts(handle_, &t) != 0;
}

std::size_t Win32Port::read(char* buffer, std::size_t count) {
    DWORD got = 0;
    // With abort-on-error off, a read fails only when the device went away.
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), &got, nullptr)) {
        failure_ = "the system refused a read (error " + std::to_string(GetLastError()) + ")";
        return 0;
    }
    return got;
}

bool Win32Port::write(const char* data, std::size_t count) {
    DWORD done = 0;
    // A write that timed out returns TRUE with fewer bytes written.
    if (WriteFile(handle_, data, static_cast<DWORD>(count), &done, nullptr) && done == count && count > 0)
        return true;
    // What did not go out is dropped, so that a second try does not send
    // the rest of this record first.
    PurgeComm(handle_, PURGE_TXCLEAR);
    return false;
}

// A serial port held by another program refuses to open with "access
// denied": the system opens a port for one program at a time.
std::string whyNotOpened(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_INVALID_NAME:
            return "there is no such port";
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_BUSY:
            return "it is busy: another program holds it";
        default:
            return "the system refused it (error " + std::to_string(error) + ")";
    }
}

}  // namespace

bool applyLineParams(DCB& dcb, const LineParams& params) {
    if (params.stopBits == StopBits::OneAndHalf) return false;
    dcb.BaudRate = static_cast<DWORD>(params.baud);
    dcb.ByteSize = static_cast<BYTE>(params.dataBits);
    dcb.Parity = params.parity == Parity::Odd ? ODDPARITY : params.parity == Parity::Even ? EVENPARITY : NOPARITY;
    dcb.StopBits = params.stopBits == StopBits::Two ? TWOSTOPBITS : ONESTOPBIT;
    bool hardware = params.flow == FlowControl::Hardware;
    bool xonXoff = params.flow == FlowControl::XonXoff;
    dcb.fOutxDsrFlow = hardware;
    dcb.fDtrControl = hardware ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fDsrSensitivity = hardware;
    dcb.fOutX = xonXoff;
    dcb.fInX = xonXoff;
    dcb.fAbortOnError = FALSE;
    return true;
}

std::unique_ptr<SerialPort> openSerialPort(const std::string& name, std::string& reason) {
    // COM10 and above exist only in the device namespace; "\\.\" reaches
    // COM1 to COM9 too.
    std::string path = name.find('\\') == std::string::npos ? "\\\\.\\" + name : name;
    HANDLE handle =
        CreateFileW(toUtf16(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = whyNotOpened(GetLastError());
        return nullptr;
    }
    if (GetFileType(handle) != FILE_TYPE_CHAR) {
        CloseHandle(handle);
        reason = "it is not a serial port";
        return nullptr;
    }
    return std::make_unique<Win32Port>(handle);
}

}  // namespace tervan
