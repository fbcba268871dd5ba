#include "core/text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "core/numbers.h"

namespace tervan {

namespace {

// 0x80 in each byte of w that is 0, and 0 in the others (no borrow runs
// from one byte into the next).
constexpr std::uint64_t zeroBytes(std::uint64_t w) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    return ~(((w & kLow7) + kLow7) | w | kLow7);
}

// Bit i set when byte i of a line of fewer than 64 bytes is one of the
// Count separators, or lies past its end; 8 bytes compared at a time.
template <std::size_t Count>
std::uint64_t separatorBitsOf(std::string_view line, std::string_view separators) {
    char bytes[64];
    std::memset(bytes, separators[0], sizeof bytes);
    const char* s = line.data();
    const std::size_t n = line.size();
    // The line copied in by two overlapping moves of its own bytes.
    if (n >= 32) {
        std::memcpy(bytes, s, 32);
        std::memcpy(bytes + n - 32, s + n - 32, 32);
    } else if (n >= 16) {
        std::memcpy(bytes, s, 16);
        std::memcpy(bytes + n - 16, s + n - 16, 16);
    } else if (n >= 8) {
        std::memcpy(bytes, s, 8);
        std::memcpy(bytes + n - 8, s + n - 8, 8);
    } else {
        for (std::size_t i = 0; i < n; ++i) bytes[i] = s[i];
    }
    std::uint64_t wanted[8];
    for (std::size_t k = 0; k < Count; ++k)
        wanted[k] = 0x0101010101010101ULL * static_cast<unsigned char>(separators[k]);
    // Only the words up to the line's end are looked at; the bits past
    // them are set.
    std::uint64_t bits = 0;
    std::size_t at = 0;
    for (; at < n; at += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + at, 8);
        if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
        std::uint64_t found = 0;
        for (std::size_t k = 0; k < Count; ++k) found |= zeroBytes(word ^ wanted[k]);
        // The top bit of byte i moved to bit i.
        bits |= (((found >> 7) * 0x0102040810204080ULL) >> 56) << at;
    }
    if (at < sizeof bytes) bits |= ~std::uint64_t{0} << at;
    return bits;
}

// The same for any count up to 8: the sets of the program have 4, 7 and 8.
std::uint64_t separatorBits(std::string_view line, std::string_view separators) {
    switch (separators.size()) {
        case 4: return separatorBitsOf<4>(line, separators);
        case 7: return separatorBitsOf<7>(line, separators);
        case 8: return separatorBitsOf<8>(line, separators);
        default: {
            // Fewer, repeated to make 8.
            char eight[8];
            for (std::size_t k = 0; k < 8; ++k) eight[k] = separators[k % separators.size()];
            return separatorBitsOf<8>(line, std::string_view(eight, 8));
        }
    }
}

}  // namespace

void splitFields(std::string_view line, std::string_view separators, std::span<std::string_view> fields) {
    // Most lines are short: the fields are found among the bits of one
    // word, a run at a time.
    if (line.size() < 64 && !separators.empty() && separators.size() <= 8) {
        const std::uint64_t bits = separatorBits(line, separators);  // bit line.size() is set
        std::size_t i = 0;
        for (auto& field : fields) {
            const std::uint64_t text = ~bits >> i;
            if (i >= line.size() || text == 0) {
                field = line.substr(line.size(), 0);
                i = line.size();
                continue;
            }
            const auto start = i + static_cast<std::size_t>(std::countr_zero(text));
            i = start + static_cast<std::size_t>(std::countr_zero(bits >> start));
            field = line.substr(start, i - start);
        }
        return;
    }
    // The separators as a set of the 256 byte values: one look-up a byte.
    std::uint64_t set[4] = {};
    for (char c : separators) set[static_cast<unsigned char>(c) >> 6] |= std::uint64_t{1} << (c & 63);
    auto isSep = [&set](char c) {
        const auto u = static_cast<unsigned char>(c);
        return ((set[u >> 6] >> (u & 63)) & 1) != 0;
    };
    std::size_t i = 0;
    for (auto& field : fields) {
        while (i < line.size() && isSep(line[i])) ++i;
        std::size_t start = i;
        while (i < line.size() && !isSep(line[i])) ++i;
        field = line.substr(start, i - start);
    }
}

std::string normaliseName(std::string_view name) {
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    if (!name.empty() && name.front() == '#') {
        // Most are a few digits, read here; the rest as atoi reads them.
        const std::string_view number = name.substr(1);
        int n = 0;
        if (!number.empty() && number.size() <= 9 &&
            std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            for (char c : number) n = n * 10 + (c - '0');
        else
            n = toInteger(number);
        if (n != 0) return std::to_string(static_cast<long long>(n) + 100000);
    }
    return std::string(name);
}

bool isNormalised(std::string_view name) {
    return name.empty() || (name.front() != ' ' && name.back() != ' ' && name.front() != '#');
}

std::string hex4(unsigned long value) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out(4, '0');
    for (int i = 3; i >= 0; --i) {
        out[static_cast<std::size_t>(i)] = digits[value & 0xF];
        value >>= 4;
    }
    return out;
}

std::string hexHandle(unsigned long value) {
    std::string out = hex4(value);
    static constexpr char digits[] = "0123456789ABCDEF";
    for (value >>= 16; value != 0; value >>= 4) out.insert(out.begin(), digits[value & 0xF]);
    return out;
}

std::string_view lastChars(std::string_view text, std::size_t n) {
    return text.size() <= n ? text : text.substr(text.size() - n);
}

std::string rightAligned(std::string_view text, std::size_t width) {
    if (text.size() >= width) return std::string(lastChars(text, width));
    std::string out(width - text.size(), ' ');
    out += text;
    return out;
}

std::string_view columns(std::string_view line, std::size_t first, std::size_t last) {
    // An empty view into the line, never a null one: the number conversion
    // copies from data().
    if (first > line.size()) return line.substr(line.size());
    return line.substr(first - 1, last - first + 1);
}

std::string_view trimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace tervan
