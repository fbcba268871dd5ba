// The fuzz target of the receiver's line handling: any bytes as a
// transmission, handed out by a port in reads of varying size with quiet
// ticks between them; then "&Stop Serial". The transfer must end, and every
// byte read must be in the message text, carriage returns as line ends and
// line feeds dropped.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "serial/receiver.h"

namespace {

using namespace tervan;

class MemoryPort final : public SerialPort {
public:
    MemoryPort(std::string_view bytes, std::size_t& reads, std::size_t& consumed)
        : bytes_(bytes), reads_(reads), consumed_(consumed) {}
    bool configure(const LineParams&) override { return true; }
    bool setTimeouts() override { return true; }
    // Reads of 1 to 280 bytes as the bytes themselves choose; every fifth
    // read finds nothing and so ends its tick.
    std::size_t read(char* buffer, std::size_t count) override {
        if (++reads_ % 5 == 0 || bytes_.empty()) return 0;
        std::size_t n = std::min({count, bytes_.size(), static_cast<std::size_t>(static_cast<unsigned char>(bytes_.front())) + 1});
        bytes_.copy(buffer, n);
        bytes_.remove_prefix(n);
        consumed_ += n;
        return n;
    }
    bool write(const char*, std::size_t) override { return true; }

private:
    std::string_view bytes_;
    std::size_t& reads_;
    std::size_t& consumed_;
};

struct QuietView final : ReceiverView {
    void setButtonText(const std::string&) override {}
    void setStatus1(const std::string&) override {}
    void setStatus2(const std::string&) override {}
    void portFailed(const std::string&) override {}
    void showMessage() override {}
    bool askComProperties(Settings&, Direction& direction) override {
        direction = Direction::Receive;
        return true;
    }
    void runFileOpen(const std::string&) override {}
    void runSend() override {}
};

// The logs of every run go to memory where the system offers it: writing
// them to a disk would take most of the time.
std::string logFolder() {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm"
                                                                              : std::filesystem::temp_directory_path();
    return (base / ("tervan-fuzz-" + std::to_string(getpid()))).string() + "/";
}

std::tm fixedTime() { return std::tm{}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = logFolder();
    static const int removedAtExit = std::atexit([] {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    });
    (void)removedAtExit;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Settings settings;
    std::string message;
    QuietView view;
    std::size_t reads = 0, consumed = 0;
    Receiver receiver(settings, message, view,
                      {.logFolder = folder,
                       .openPort =
                           [&](const std::string&, std::string&) {
                               return std::make_unique<MemoryPort>(bytes, reads, consumed);
                           },
                       .clock = fixedTime});
    receiver.buttonPressed();
    // Once every byte is read, "&Stop Serial" ends the transfer at the next
    // quiet tick (waiting for the 240 of the countdown would only take
    // time).
    bool stopped = false;
    for (std::size_t ticks = 0; receiver.running(); ++ticks) {
        if (ticks > 2 * size + 2 * Receiver::kCountdown) std::abort();
        if (consumed == size && !stopped) {
            receiver.buttonPressed();
            stopped = true;
        }
        receiver.tick();
    }
    std::string expected;
    for (char c : bytes.substr(0, consumed))
        if (c != '\r' && c != '\n') expected += c;
    std::string got;
    for (char c : message)
        if (c != '\r' && c != '\n') got += c;
    if (got.find(expected) != 0) std::abort();
    return 0;
}
