#include "desk/display.h"

#include "core/mik.h"

namespace tervan::desk {

namespace {

// The length of the well-formed UTF-8 sequence of two to four bytes at
// text[i], its character in c; 0 when there is none there.
std::size_t utf8Sequence(std::string_view text, std::size_t i, char32_t& c) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t n = lead >= 0xC2 && lead <= 0xDF   ? 2
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                         : 0;
    if (n == 0 || i + n > text.size()) return 0;
    c = lead & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        c = c << 6 | (next & 0x3F);
    }
    const bool overlong = (n == 3 && c < 0x800) || (n == 4 && c < 0x10000);
    if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return 0;
    return n;
}

}  // namespace

std::u16string messageForDisplay(std::string_view message, std::u16string_view lineEnd) {
    std::u16string text;
    text.reserve(message.size() + message.size() / 16);
    std::size_t i = 0;
    while (i < message.size()) {
        const char b = message[i];
        if (b == '\r') {
            // Carriage returns before a line feed belong to that line end.
            std::size_t j = i;
            while (j < message.size() && message[j] == '\r') ++j;
            i = j < message.size() && message[j] == '\n' ? j + 1 : i + 1;
            text += lineEnd;
            continue;
        }
        if (b == '\n') {
            ++i;
            text += lineEnd;
            continue;
        }
        char32_t c = 0;
        if (std::size_t n = utf8Sequence(message, i, c)) {
            if (c >= 0x10000) {
                text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
                text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                text += static_cast<char16_t>(c);
            }
            i += n;
            continue;
        }
        text += mikToUnicode(static_cast<unsigned char>(b));
        ++i;
    }
    return text;
}

std::u16string statusForDisplay(int line, std::string_view text) {
    std::u16string shown;
    if (line == 1) {
        for (char c : text) shown += static_cast<char16_t>(static_cast<unsigned char>(c));
    } else if (line == 2) {
        for (char c : text) shown += mikToUnicode(static_cast<unsigned char>(c));
    } else {
        shown = messageForDisplay(text, u" ");
    }
    return shown;
}

}  // namespace tervan::desk
