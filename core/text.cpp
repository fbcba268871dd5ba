#include "core/text.h"

#include <cstring>

#include "core/numbers.h"

namespace tervan {

LineReader::~LineReader() {
    if (file_) std::fclose(file_);
}

bool LineReader::open(const std::string& path) {
    if (file_) std::fclose(file_);
    file_ = std::fopen(path.c_str(), "rb");
    eof_ = false;
    pos_ = end_ = 0;
    return file_ != nullptr;
}

int LineReader::nextByte() {
    if (pos_ == end_) {
        if (!file_) return EOF;
        end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
        pos_ = 0;
        if (end_ == 0) return EOF;
    }
    return buffer_[pos_++];
}

int LineReader::read(std::string& line) {
    line.clear();
    std::size_t stored = 0;
    int status = -1;
    while (!eof_) {
        if (stored == kMaxLine) {
            status = 1;
            break;
        }
        int c = nextByte();
        if (c == EOF) {
            eof_ = true;
            status = -1;
            break;
        }
        if (c == '\n') {
            status = 0;
            break;
        }
        if (c == '\r') continue;
        line.push_back(static_cast<char>(c));
        ++stored;
    }
    if (auto nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    return status;
}

void splitFields(std::string_view line, std::string_view separators, std::span<std::string_view> fields) {
    auto isSep = [&](char c) { return separators.find(c) != std::string_view::npos; };
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
        int n = toInteger(name.substr(1));
        if (n != 0) return std::to_string(static_cast<long long>(n) + 100000);
    }
    return std::string(name);
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

}  // namespace tervan
