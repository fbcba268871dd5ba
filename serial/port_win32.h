// The DCB side of the Windows port, apart so that tests can check the
// fields a port would not show back.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "serial/line_params.h"

namespace tervan {

// Changes the rate, the character format and the flow control flags of
// dcb; CTS flow, RTS control, continue-on-XOFF, error and null-byte
// handling, the XON/XOFF limits and characters stay. false, with dcb
// unchanged, for one and a half stop bits, which the drivers refuse with 7
// or 8 data bits.
bool applyLineParams(DCB& dcb, const LineParams& params);

}  // namespace tervan
