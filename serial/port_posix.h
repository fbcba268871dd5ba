// The termios side of the POSIX port, apart so that tests can check the
// settings that a pseudo-terminal would not keep (ptys force 8 data bits and
// no parity).
#pragma once

#include <termios.h>

#include "serial/line_params.h"

namespace tervan {

// Changes t to raw mode with the given line parameters; all other flags
// (RTS/CTS among them) stay. false, with t unchanged, for one and a half
// stop bits or a rate the system does not have.
bool applyLineParams(termios& t, const LineParams& params);

}  // namespace tervan
