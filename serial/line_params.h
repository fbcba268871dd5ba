// The serial settings as texts (as the COM Properties dialog and the INI
// file hold them) turned into line parameters.
#pragma once

#include <string_view>

#include "core/settings.h"

namespace tervan {

enum class Parity { None, Odd, Even };
enum class StopBits { One, OneAndHalf, Two };
enum class FlowControl { None, XonXoff, Hardware };

struct LineParams {
    long baud = 9600;
    int dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    FlowControl flow = FlowControl::None;
};

// A text of decimal digits only names that rate; anything else is no rate at
// all and gives 9600. Whether the port offers the rate is the port's matter.
long baudFromText(std::string_view text);

// Exact, case-sensitive comparison of the whole text: "7" data bits, else 8;
// "Odd", "Even", else no parity; "2", "1.5", else one stop bit;
// "Xon / Xoff", "Hardware", else no flow control.
LineParams lineParams(const Settings& settings);

// Start bit, data bits, parity bit and stop bits of one character.
int bitsPerCharacter(const LineParams& params);

// Milliseconds a write may take per byte: 10, or one and a half times the
// time a character takes on the line when that is longer, so that a record
// at 110 or 300 bits per second is not given up while it is still going out.
int writeTimeoutPerByte(const LineParams& params);

}  // namespace tervan
