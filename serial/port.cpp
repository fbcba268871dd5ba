#include "serial/port.h"

namespace tervan {

std::unique_ptr<SerialPort> openConfiguredPort(const Settings& settings, const PortOpener& open) {
    std::unique_ptr<SerialPort> port = open ? open(settings.ComName) : openSerialPort(settings.ComName);
    if (!port) return nullptr;
    port->configure(lineParams(settings));
    port->setTimeouts();
    return port;
}

}  // namespace tervan
