// The Bulgarian DOS code page MIK, in which the program's default header
// lines and most instrument files carry their Cyrillic letters. The core
// keeps texts as bytes; front ends use this table to show them.
#pragma once

#include <string>
#include <string_view>

namespace tervan {

// The Unicode code point of one byte: itself below 0x80, the table above.
char16_t mikToUnicode(unsigned char byte);

// The MIK byte of a code point; '?' when MIK has no such character.
char mikFromUnicode(char16_t codePoint);

std::u16string decodeMik(std::string_view bytes);
std::string encodeMik(std::u16string_view text);

// The exchange formats (CSV, LandXML) are UTF-8: the bytes taken as MIK,
// appended as UTF-8.
void appendMikAsUtf8(std::string& out, std::string_view bytes);
// Back, when such a file is read: a UTF-8 sequence becomes its MIK byte
// ('?' when MIK has no such letter); a byte that starts no valid sequence
// is kept as it is, so a file in MIK reads unchanged.
std::string utf8ToMik(std::string_view text);

}  // namespace tervan
