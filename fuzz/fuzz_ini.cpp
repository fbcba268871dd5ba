// The fuzz target of the INI layer: any bytes as a settings file, which
// must come out unchanged. Every key of the settings table is read, then
// written and read back: a value set must be the value got. (The value is
// framed by letters, since blanks and quotes around a value are not part of
// it, as with the profile functions.)
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/ini.h"
#include "core/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tervan;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniDocument ini = IniDocument::parse(bytes);
    if (ini.bytes() != bytes) std::abort();
    std::vector<std::string> values;
    for (const SettingKey& key : settingKeys()) {
        values.push_back("x" + ini.get(key.section, key.key) + "x");
        ini.set(key.section, key.key, values.back());
    }
    const IniDocument written = IniDocument::parse(ini.bytes());
    for (std::size_t i = 0; i < values.size(); ++i)
        if (written.get(settingKeys()[i].section, settingKeys()[i].key) != values[i]) std::abort();
    return 0;
}
