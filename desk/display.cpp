#include "desk/display.h"

#include "core/mik.h"

namespace tervan::desk {

std::u16string messageForDisplay(std::string_view message, std::u16string_view lineEnd) {
    std::u16string text;
    text.reserve(message.size() + message.size() / 16);
    std::size_t i = 0;
    while (i < message.size()) {
        char c = message[i];
        if (c == '\r') {
            // Carriage returns before a line feed belong to that line end.
            std::size_t j = i;
            while (j < message.size() && message[j] == '\r') ++j;
            i = j < message.size() && message[j] == '\n' ? j + 1 : i + 1;
            text += lineEnd;
            continue;
        }
        if (c == '\n') {
            ++i;
            text += lineEnd;
            continue;
        }
        text += mikToUnicode(static_cast<unsigned char>(c));
        ++i;
    }
    return text;
}

}  // namespace tervan::desk
