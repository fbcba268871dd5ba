#include "serial/port.h"

namespace tervan {

std::unique_ptr<SerialPort> openConfiguredPort(const Settings& settings, const PortOpener& open, std::string& error) {
    std::string reason;
    std::unique_ptr<SerialPort> port = open ? open(settings.ComName, reason) : openSerialPort(settings.ComName, reason);
    if (!port) {
        error = "cannot open the port " + settings.ComName + ": " + (reason.empty() ? "it failed" : reason);
        return nullptr;
    }
    port->configure(lineParams(settings));
    port->setTimeouts();
    return port;
}

}  // namespace tervan
