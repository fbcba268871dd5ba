#include "core/ini.h"

#include <string>

#include "core/files.h"
#include "core/input.h"
#include "core/output_file.h"

namespace tervan {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-16LE to UTF-8; a lone surrogate (or an odd last byte) becomes U+FFFD.
std::string fromUtf16Le(std::string_view bytes) {
    std::string out;
    auto unit = [&bytes](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    if (i < bytes.size()) appendUtf8(out, 0xFFFD);
    return out;
}

// UTF-8 to UTF-16LE. A byte that begins no UTF-8 sequence stands for the
// character of its value, so that no byte is lost on the way.
std::string toUtf16Le(std::string_view text) {
    std::string out;
    auto put = [&out](char32_t unit) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        const std::size_t n = b >= 0xF0 && b < 0xF5 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 1;
        char32_t c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
        bool valid = n > 1 && i + n <= text.size();
        for (std::size_t k = 1; valid && k < n; ++k) {
            const auto t = static_cast<unsigned char>(text[i + k]);
            valid = (t & 0xC0) == 0x80;
            c = (c << 6) | (t & 0x3F);
        }
        if (n > 1 && !valid) {
            c = b;
            valid = true;
            i += 1;
        } else {
            i += n;
        }
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}

}  // namespace

IniDocument IniDocument::parse(std::string_view raw) {
    IniDocument doc;
    doc.exists_ = true;
    std::string decoded;
    std::string_view bytes = raw;
    if (raw.starts_with(kUtf8Mark)) {
        doc.encoding_ = Encoding::Utf8Mark;
        bytes.remove_prefix(kUtf8Mark.size());
    } else if (raw.starts_with(kUtf16LeMark)) {
        doc.encoding_ = Encoding::Utf16Le;
        decoded = fromUtf16Le(raw.substr(kUtf16LeMark.size()));
        bytes = decoded;
    }
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t j = i;
        while (j < bytes.size() && bytes[j] != '\n' && bytes[j] != '\r') ++j;
        Line line{std::string(bytes.substr(i, j - i)), {}};
        if (j < bytes.size()) {
            if (bytes[j] == '\r' && j + 1 < bytes.size() && bytes[j + 1] == '\n') {
                line.end = "\r\n";
                j += 2;
            } else {
                line.end = std::string(1, bytes[j]);
                ++j;
            }
        }
        doc.lines_.push_back(std::move(line));
        i = j;
    }
    return doc;
}

IniDocument IniDocument::load(const std::string& path, std::string* reason) {
    std::string bytes, why;
    if (!readWholeFile(path, bytes, why)) {
        if (reason) *reason = why;
        return {};
    }
    return parse(bytes);
}

bool IniDocument::sectionName(std::string_view text, std::string_view& name) {
    text = trim(text);
    if (text.empty() || text.front() != '[') return false;
    auto close = text.find(']');
    name = trim(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    return true;
}

bool IniDocument::keyValue(std::string_view text, std::string_view& key, std::string_view& value) {
    auto eq = text.find('=');
    if (eq == std::string_view::npos) return false;
    key = trim(text.substr(0, eq));
    value = trim(text.substr(eq + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return true;
}

std::size_t IniDocument::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name;
        if (sectionName(lines_[i].text, name) && equalNoCase(name, section)) return i;
    }
    return std::string::npos;
}

std::string IniDocument::get(std::string_view section, std::string_view key) const {
    std::size_t s = findSection(section);
    if (s == std::string::npos) return {};
    for (std::size_t i = s + 1; i < lines_.size(); ++i) {
        std::string_view name, k, v;
        if (sectionName(lines_[i].text, name)) break;
        if (keyValue(lines_[i].text, k, v) && equalNoCase(k, key)) return std::string(v);
    }
    return {};
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    std::string newLine = std::string(key) + "=" + std::string(value);
    // A last line without a line end gets one before anything follows it.
    auto closeLast = [this] {
        if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = "\r\n";
    };
    std::size_t s = findSection(section);
    if (s == std::string::npos) {
        closeLast();
        std::string heading(1, '[');
        heading.append(section);
        heading += ']';
        lines_.push_back({heading, "\r\n"});
        lines_.push_back({newLine, "\r\n"});
        return;
    }
    std::size_t lastContent = s;
    for (std::size_t i = s + 1; i < lines_.size(); ++i) {
        std::string_view name, k, v;
        if (sectionName(lines_[i].text, name)) break;
        if (keyValue(lines_[i].text, k, v) && equalNoCase(k, key)) {
            lines_[i].text = newLine;
            return;
        }
        if (!trim(lines_[i].text).empty()) lastContent = i;
    }
    if (lastContent + 1 == lines_.size()) closeLast();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent) + 1, Line{newLine, "\r\n"});
}

std::string IniDocument::bytes() const {
    std::string out;
    for (const auto& line : lines_) {
        out += line.text;
        out += line.end;
    }
    switch (encoding_) {
        case Encoding::Utf8Mark:
            return std::string(kUtf8Mark) + out;
        case Encoding::Utf16Le:
            return std::string(kUtf16LeMark) + toUtf16Le(out);
        case Encoding::Bytes:
            break;
    }
    return out;
}

bool IniDocument::save(const std::string& path, std::string* reason) const {
    OutputFile out;
    bool ok = out.create(path);
    if (ok) {
        // The lines keep their own ends: written as they are, not as text.
        out.writeBytes(bytes());
        ok = out.close();
    }
    if (!ok && reason) *reason = out.errorText();
    return ok;
}

bool loadToChange(const std::string& path, IniDocument& doc, std::string& reason) {
    std::string why;
    doc = IniDocument::load(path, &why);
    if (doc.exists() || !fileId(path).valid) return true;
    reason = "cannot read it: " + why;
    return false;
}

std::string iniRead(const std::string& path, std::string_view section, std::string_view key) {
    return IniDocument::load(path).get(section, key);
}

bool iniWrite(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
    IniDocument doc;
    std::string reason;
    if (!loadToChange(path, doc, reason)) return false;
    doc.set(section, key, value);
    return doc.save(path);
}

}  // namespace tervan
