// "Send serial data": the sender's text and its buttons "&All", "&Send",
// "Ski&p" and "St&op".
#pragma once

#include "serial/sender.h"
#include "win/dialog.h"

namespace tervan::win {

// Until "St&op", the Escape key or the close box.
void runSendDialog(HWND owner, Sender& sender);

}  // namespace tervan::win
