// A small INI layer with the semantics of the Windows profile-string calls:
// section and key names match without regard to letter case; blanks around
// names and values are trimmed, then one pair of matching outer quotes is
// removed from a value; lines without "=" are not keys; ";" and "#" are
// ordinary characters; the first key of the first section of a name wins;
// CR LF, LF and CR line ends read the same. Values are raw bytes. A file
// that begins with a byte-order mark is read as UTF-8 (its mark dropped) or
// as UTF-16LE (as UTF-8 inside the program), and saved back as it was.
//
// Writing changes only the key's own line (or adds one line at the end of
// its section, or a new section at the end of the file); every other byte
// stays as it was, and new lines end with CR LF.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tervan {

class IniDocument {
public:
    // A missing or unreadable file gives an empty document; exists() tells,
    // and reason (when given) says why.
    static IniDocument load(const std::string& path, std::string* reason = nullptr);
    static IniDocument parse(std::string_view bytes);

    bool exists() const { return exists_; }
    // The empty text when the section or the key is missing.
    std::string get(std::string_view section, std::string_view key) const;
    void set(std::string_view section, std::string_view key, std::string_view value);
    std::string bytes() const;
    // Replaces the file atomically: a temporary file in the same folder,
    // then a rename, so that a crash never leaves half a settings file.
    // false, with the reason when given, when it cannot be saved.
    bool save(const std::string& path, std::string* reason = nullptr) const;

private:
    struct Line {
        std::string text;  // without its line end
        std::string end;   // "\r\n", "\n", "\r" or "" for a last line without one
    };
    // Section name of a "[name]" line, or false.
    static bool sectionName(std::string_view text, std::string_view& name);
    static bool keyValue(std::string_view text, std::string_view& key, std::string_view& value);
    // Index of the first "[section]" line, or npos.
    std::size_t findSection(std::string_view section) const;

    enum class Encoding { Bytes, Utf8Mark, Utf16Le };

    std::vector<Line> lines_;
    bool exists_ = false;
    Encoding encoding_ = Encoding::Bytes;
};

// Loads path to change and save it: a missing file gives an empty document.
// false, with the reason, when something is there that cannot be read (no
// permission, a folder): saving over it would lose what it holds.
bool loadToChange(const std::string& path, IniDocument& doc, std::string& reason);

// One-shot calls, as the profile functions offer them.
std::string iniRead(const std::string& path, std::string_view section, std::string_view key);
bool iniWrite(const std::string& path, std::string_view section, std::string_view key, std::string_view value);

}  // namespace tervan
