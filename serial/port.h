// One serial port, open from the start of a transfer to its end: opened by
// name, exclusively and only when the device already exists; closed when the
// object goes.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "serial/line_params.h"

namespace tervan {

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Changes the line settings; false, with the port's settings left as
    // they were, when they cannot be read or the port refuses them (one and
    // a half stop bits are always refused: no driver takes them with 7 or 8
    // data bits).
    virtual bool configure(const LineParams& params) = 0;

    // From now on a read of up to n bytes returns after about n + 1 ms with
    // whatever arrived, and a write of n bytes gives up after about
    // 10 n + 1 ms.
    virtual bool setTimeouts() = 0;

    // The number of bytes read; 0 when nothing arrived in time or on error.
    virtual std::size_t read(char* buffer, std::size_t count) = 0;

    // true only when all count bytes were accepted in time.
    virtual bool write(const char* data, std::size_t count) = 0;

    // Why the port stopped working (the device went away, the line was hung
    // up); empty while it works. A read that found nothing tells it apart
    // from a quiet line.
    virtual std::string failure() const { return {}; }
};

// Opens the port that the system knows by name; nullptr on failure, with
// the reason: there is no such port, it is busy (another program holds it),
// it is not permitted, or it is no serial port.
std::unique_ptr<SerialPort> openSerialPort(const std::string& name, std::string& reason);

using PortOpener = std::function<std::unique_ptr<SerialPort>(const std::string& name, std::string& reason)>;

// Opens ComName, then configures it from the settings and sets the
// time-outs, as both directions of a transfer do. A port whose settings
// cannot be changed is used with the settings it has. nullptr when it
// cannot be opened; error then says "cannot open the port NAME: reason".
std::unique_ptr<SerialPort> openConfiguredPort(const Settings& settings, const PortOpener& open, std::string& error);

}  // namespace tervan
