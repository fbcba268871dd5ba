// The message text as a message area shows it. The text is bytes: its
// letters above 0x7F are MIK, and its lines end in "\r\n", in "\r\r\n" (the
// levelling rows) or, after a receive, in "\n" alone.
#pragma once

#include <string>
#include <string_view>

namespace tervan::desk {

// Every line end (a run of carriage returns with the line feed after it, a
// lone carriage return or a lone line feed) becomes lineEnd; every other
// byte its MIK letter.
std::u16string messageForDisplay(std::string_view message, std::u16string_view lineEnd);

}  // namespace tervan::desk
