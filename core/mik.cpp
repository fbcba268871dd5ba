#include "core/mik.h"

#include <array>

namespace tervan {
namespace {

// Bytes 0x80 to 0xFF: the Cyrillic capitals and small letters in alphabet
// order, then the box-drawing, Greek and mathematical signs of the DOS pages.
constexpr std::array<char16_t, 128> kHigh = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x2563, 0x2551,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2510,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2116, 0x00A7, 0x2557,
    0x255D, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

}  // namespace

char16_t mikToUnicode(unsigned char byte) { return byte < 0x80 ? char16_t{byte} : kHigh[byte - 0x80]; }

char mikFromUnicode(char16_t codePoint) {
    if (codePoint < 0x80) return static_cast<char>(codePoint);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == codePoint) return static_cast<char>(0x80 + i);
    return '?';
}

std::u16string decodeMik(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) text[i] = mikToUnicode(static_cast<unsigned char>(bytes[i]));
    return text;
}

std::string encodeMik(std::u16string_view text) {
    std::string bytes(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) bytes[i] = mikFromUnicode(text[i]);
    return bytes;
}

void appendMikAsUtf8(std::string& out, std::string_view bytes) {
    for (char b : bytes) {
        const char16_t c = mikToUnicode(static_cast<unsigned char>(b));
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

std::string utf8ToMik(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    auto continuation = [&](std::size_t i) { return i < text.size() && (text[i] & 0xC0) == 0x80; };
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        char32_t c = 0;
        std::size_t length = 0;
        if (b >= 0xC2 && b <= 0xDF && continuation(i + 1)) {
            c = (b & 0x1Fu) << 6 | (text[i + 1] & 0x3Fu);
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF && continuation(i + 1) && continuation(i + 2)) {
            c = (b & 0x0Fu) << 12 | (text[i + 1] & 0x3Fu) << 6 | (text[i + 2] & 0x3Fu);
            length = c >= 0x800 ? 3 : 0;
        }
        if (length == 0) {
            out += text[i++];
            continue;
        }
        out += mikFromUnicode(static_cast<char16_t>(c));
        i += length;
    }
    return out;
}

}  // namespace tervan
