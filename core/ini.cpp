#include "core/ini.h"

#include <cstdio>
#include <random>

#include "core/files.h"

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

}  // namespace

IniDocument IniDocument::parse(std::string_view bytes) {
    IniDocument doc;
    doc.exists_ = true;
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

IniDocument IniDocument::load(const std::string& path) {
    std::FILE* f = openFile(path, "rb");
    if (!f) return {};
    std::string bytes;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, f)) bytes.append(buffer, n);
    std::fclose(f);
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
    return out;
}

bool IniDocument::save(const std::string& path) const {
    std::string data = bytes();
    std::random_device rd;
    std::string tmp = path + ".tmp" + std::to_string(rd() % 1000000);
    std::FILE* f = openFile(tmp, "wb");
    if (!f) return false;
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    ok = ok && replaceFile(tmp, path);
    if (!ok) removeFile(tmp);
    return ok;
}

std::string iniRead(const std::string& path, std::string_view section, std::string_view key) {
    return IniDocument::load(path).get(section, key);
}

bool iniWrite(const std::string& path, std::string_view section, std::string_view key, std::string_view value) {
    IniDocument doc = IniDocument::load(path);
    doc.set(section, key, value);
    return doc.save(path);
}

}  // namespace tervan
