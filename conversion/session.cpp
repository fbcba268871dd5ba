#include "conversion/session.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "core/files.h"

namespace tervan {
namespace {

namespace fs = std::filesystem;

constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);

bool exists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(fsPath(path), ec);
}

// An absolute folder from an environment variable, or the fallback.
std::string xdgFolder(const char* value, const std::string& fallback) {
    if (value && *value && fsPath(value).is_absolute()) return value;
    return fallback;
}

// Whether a file can be made in folder: the test a user's permissions
// decide, whatever the folder's mode says.
bool canWriteIn(const std::string& folder) {
    const std::string probe = folder + ".tervan-write-test-" + std::to_string(std::time(nullptr));
    std::FILE* file = openFile(probe, "wb");
    if (!file) return false;
    std::fclose(file);
    removeFile(probe);
    return true;
}

}  // namespace

void setProgramFolder(Session& session, const std::string& folder) {
    session.programFolder = folder;
    session.iniPath = folder + "Tervan.ini";
    session.iniDefaults.clear();
    session.dxfHeaderPath = folder + "dxf_header.txt";
    session.logFolder = folder + "Log" + kSeparator;
}

UserFolders userFolders(const char* configHome, const char* dataHome, const char* home) {
    if (!home || !*home) return {};
    const std::string base = home;
    const std::string config = xdgFolder(configHome, base + "/.config");
    const std::string data = xdgFolder(dataHome, base + "/.local/share");
    return {config + kSeparator + "tervan" + kSeparator, data + kSeparator + "tervan" + kSeparator};
}

UserFolders windowsUserFolders(const std::string& appData, const std::string& localAppData) {
    if (appData.empty()) return {};
    const std::string local = localAppData.empty() ? appData : localAppData;
    return {appData + "\\Tervan\\", local + "\\Tervan\\"};
}

bool insideAnyOf(const std::string& folder, const std::vector<std::string>& roots) {
    auto plain = [](std::string path) {
        for (char& c : path) c = c == '/' ? '\\' : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if (!path.empty() && path.back() != '\\') path += '\\';
        return path;
    };
    const std::string inside = plain(folder);
    for (const std::string& root : roots)
        if (!root.empty() && inside.starts_with(plain(root))) return true;
    return false;
}

void useUserFolders(Session& session, const UserFolders& user) {
    session.iniDefaults = session.programFolder + "Tervan.ini";
    session.iniPath = user.config + "Tervan.ini";
    if (exists(user.config + "dxf_header.txt")) session.dxfHeaderPath = user.config + "dxf_header.txt";
    session.logFolder = user.data + "Log" + kSeparator;
}

void placeProgramFiles(Session& session, const std::string& programFolder) {
    setProgramFolder(session, programFolder);
#ifdef _WIN32
    const bool installed =
        insideAnyOf(programFolder, {environment("ProgramFiles"), environment("ProgramW6432"),
                                    environment("ProgramFiles(x86)")}) ||
        !canWriteIn(programFolder);
    if (!installed) return;
    UserFolders user = windowsUserFolders(environment("APPDATA"), environment("LOCALAPPDATA"));
#else
    if (canWriteIn(programFolder)) return;
    const std::string config = environment("XDG_CONFIG_HOME"), data = environment("XDG_DATA_HOME"),
                      home = environment("HOME");
    UserFolders user = userFolders(config.c_str(), data.c_str(), home.c_str());
#endif
    if (!user.config.empty()) useUserFolders(session, user);
}

std::string settingsToRead(const Session& session) {
    return session.iniDefaults.empty() || exists(session.iniPath) ? session.iniPath : session.iniDefaults;
}

bool prepareSettingsFile(const Session& session) {
    if (session.iniDefaults.empty() || exists(session.iniPath)) return true;
    std::error_code ec;
    fs::create_directories(fsPath(session.iniPath).parent_path(), ec);
    if (exists(session.iniDefaults)) fs::copy_file(fsPath(session.iniDefaults), fsPath(session.iniPath), ec);
    return !ec;
}

void seedFromClock(Session& session) {
    session.rng.seed(session.fixedSeed ? *session.fixedSeed : static_cast<std::uint32_t>(std::time(nullptr)));
}

}  // namespace tervan
