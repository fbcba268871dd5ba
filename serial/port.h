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
};

// Opens the port that the system knows by name; nullptr on failure (missing,
// busy, not permitted, or not a serial device).
std::unique_ptr<SerialPort> openSerialPort(const std::string& name);

using PortOpener = std::function<std::unique_ptr<SerialPort>(const std::string& name)>;

// Opens ComName, then configures it from the settings and sets the
// time-outs, as both directions of a transfer do. A port whose settings
// cannot be changed is used with the settings it has.
std::unique_ptr<SerialPort> openConfiguredPort(const Settings& settings, const PortOpener& open);

}  // namespace tervan
