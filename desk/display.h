// The message text as a message area shows it. The text is bytes of two
// kinds: what the instruments wrote, whose letters above 0x7F are MIK, and
// the paths of files, which are UTF-8 (on Windows the program keeps them so,
// and so do the file systems of Linux). Its lines end in "\r\n", in "\r\r\n"
// (the levelling rows) or, after a receive, in "\n" alone.
#pragma once

#include <string>
#include <string_view>

namespace tervan::desk {

// Every line end (a run of carriage returns with the line feed after it, a
// lone carriage return or a lone line feed) becomes lineEnd; a well-formed
// UTF-8 sequence of two to four bytes its character; every other byte its
// MIK letter. MIK text is read as UTF-8 only where a box-drawing or symbol
// byte (0xC2 to 0xF4) stands right before letters, which instrument files
// do not hold.
std::u16string messageForDisplay(std::string_view message, std::u16string_view lineEnd);

// A status line as both programs show it: line 1 (the progress bar's
// characters) byte for byte as Latin-1, line 2 (a line from the instrument)
// as MIK, line 3 as the message text is shown (it names files), on one line.
std::u16string statusForDisplay(int line, std::string_view text);

}  // namespace tervan::desk
