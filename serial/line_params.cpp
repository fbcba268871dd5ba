#include "serial/line_params.h"

namespace tervan {

long baudFromText(std::string_view text) {
    constexpr long kFallback = 9600;
    constexpr long kFastest = 4000000;
    if (text.empty() || text.size() > 7) return kFallback;
    long rate = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return kFallback;
        rate = rate * 10 + (c - '0');
    }
    return rate > 0 && rate <= kFastest ? rate : kFallback;
}

LineParams lineParams(const Settings& settings) {
    LineParams p;
    p.baud = baudFromText(settings.Baud);
    p.dataBits = settings.DataBits == "7" ? 7 : 8;
    if (settings.Parity == "Odd")
        p.parity = Parity::Odd;
    else if (settings.Parity == "Even")
        p.parity = Parity::Even;
    if (settings.StopBits == "2")
        p.stopBits = StopBits::Two;
    else if (settings.StopBits == "1.5")
        p.stopBits = StopBits::OneAndHalf;
    if (settings.FlowControl == "Xon / Xoff")
        p.flow = FlowControl::XonXoff;
    else if (settings.FlowControl == "Hardware")
        p.flow = FlowControl::Hardware;
    return p;
}

int bitsPerCharacter(const LineParams& params) {
    return 1 + params.dataBits + (params.parity == Parity::None ? 0 : 1) + (params.stopBits == StopBits::Two ? 2 : 1);
}

int writeTimeoutPerByte(const LineParams& params) {
    constexpr int kMinimum = 10;
    long bitsTimesMs = 1500L * bitsPerCharacter(params);  // 1.5 character times, in ms x baud
    int perByte = static_cast<int>((bitsTimesMs + params.baud - 1) / params.baud);
    return perByte > kMinimum ? perByte : kMinimum;
}

}  // namespace tervan
