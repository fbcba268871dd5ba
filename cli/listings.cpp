#include "cli/listings.h"

#include "conversion/models.h"
#include "core/printf.h"
#include "core/settings.h"

namespace tervan {
namespace {

const char* kindOf(KeyKind kind) {
    switch (kind) {
        case KeyKind::Flag:
        case KeyKind::FlagUnlessNo:
            return "Yes/No";
        case KeyKind::Model:
            return "model";
        case KeyKind::NonZero:
        case KeyKind::Offset:
            return "number";
        case KeyKind::NonEmpty:
            return "text";
        case KeyKind::Header:
            return "line";
        case KeyKind::Path:
            return "path";
    }
    return "";
}

// The name --set takes: Line1 to Line3 stand in two sections, so they are
// named with theirs.
std::string nameOf(const SettingKey& key) {
    const SettingKey* found = findSettingKey(key.key);
    return found == &key ? key.key : std::string(key.section) + "." + key.key;
}

// A text as it stands in the INI file, quoted, with the bytes outside ASCII
// (the code page letters of the header lines) as \xNN.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text)
        out += c >= 0x80 || c < 0x20 ? strf("\\x%02X", c) : std::string(1, static_cast<char>(c));
    return out + "\"";
}

}  // namespace

std::string modelsListing() {
    std::string text;
    for (const ModelEntry& m : models()) {
        text += strf("%-20s  %s\n", m.name, m.reads);
        if (*m.alike) text += strf("%-20s    detection cannot tell it from %s\n", "", m.alike);
    }
    text += strf("%-20s  the model that fits each input (detection)\n", std::string(kAutoModel).c_str());
    return text;
}

std::string keysListing() {
    const Settings defaults;
    std::string text;
    for (const SettingKey& key : settingKeys()) {
        const std::string value = isFlag(key) ? (defaults.*key.flag ? "Yes" : "No") : defaults.*key.text;
        // A long default (the header lines) goes on a line of its own.
        const bool below = value.size() > 10 || key.kind == KeyKind::Header;
        text += strf("%-18s %-7s %-10s %s\n", nameOf(key).c_str(), kindOf(key.kind),
                     value.empty() ? "(none)" : below ? "(below)" : value.c_str(), key.meaning);
        if (below) text += strf("%-18s default %s\n", "", quoted(value).c_str());
    }
    return text;
}

}  // namespace tervan
