#include "core/files.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tervan {

namespace fs = std::filesystem;

std::string extendedPath(std::string_view path) {
    if (path.size() < kLongPath || path.starts_with("\\\\?\\")) return std::string(path);
    std::string text(path);
    for (char& c : text)
        if (c == '/') c = '\\';
    std::string root;
    std::size_t rest = 0;
    const bool drive = text.size() > 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':' &&
                       text[2] == '\\';
    if (drive) {
        root = "\\\\?\\" + text.substr(0, 3);
        rest = 3;
    } else if (text.starts_with("\\\\") && text.size() > 2 && text[2] != '\\') {
        // \\server\share\ : the server and the share are the root.
        std::size_t share = text.find('\\', 2);
        std::size_t end = share == std::string::npos ? std::string::npos : text.find('\\', share + 1);
        if (share == std::string::npos || share + 1 == text.size()) return std::string(path);
        root = "\\\\?\\UNC\\" + text.substr(2, end == std::string::npos ? std::string::npos : end - 2) + "\\";
        rest = end == std::string::npos ? text.size() : end + 1;
    } else {
        return std::string(path);
    }
    std::vector<std::string_view> steps;
    std::string_view tail = std::string_view(text).substr(rest);
    while (!tail.empty()) {
        const std::size_t cut = tail.find('\\');
        const std::string_view step = tail.substr(0, cut);
        tail = cut == std::string_view::npos ? std::string_view() : tail.substr(cut + 1);
        if (step.empty() || step == ".") continue;
        if (step == "..") {
            if (!steps.empty()) steps.pop_back();
            continue;
        }
        steps.push_back(step);
    }
    std::string out = root;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (i) out += '\\';
        out += steps[i];
    }
    // A folder's path keeps its last separator.
    if (!steps.empty() && text.back() == '\\') out += '\\';
    return out;
}

#ifdef _WIN32

std::wstring toUtf16(std::string_view utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string toUtf8(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

std::FILE* openFile(const std::string& path, const char* mode) {
    return _wfopen(toUtf16(extendedPath(path)).c_str(), toUtf16(mode).c_str());
}

std::FILE* createNewFile(const std::string& path) {
    int fd = _wopen(toUtf16(path).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) _close(fd);
    return file;
}

bool replaceFile(const std::string& from, const std::string& to) {
    return MoveFileExW(toUtf16(extendedPath(from)).c_str(), toUtf16(extendedPath(to)).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool removeFile(const std::string& path) { return DeleteFileW(toUtf16(extendedPath(path)).c_str()); }

bool isFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesW(toUtf16(extendedPath(path)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool isFile(const std::string& path) {
    DWORD attributes = GetFileAttributesW(toUtf16(extendedPath(path)).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// The identity of an existing file or folder: no access asked, so that a
// file open elsewhere (or the input being read) is no obstacle.
bool fileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE h = CreateFileW(toUtf16(extendedPath(path)).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return ok;
}

}  // namespace

FileId fileId(const std::string& path) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!fileIdentity(path, info)) return {};
    return {info.dwVolumeSerialNumber, (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
            true, (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

FileId fileId(std::FILE* file) {
    BY_HANDLE_FILE_INFORMATION info{};
    const auto h = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (h == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(h, &info)) return {};
    return {info.dwVolumeSerialNumber, (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow,
            true, (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

bool sameFile(const std::string& a, const std::string& b) { return fileId(a) == fileId(b); }

fs::path fsPath(const std::string& path) { return fs::path(toUtf16(path)); }

std::string utf8Path(const fs::path& path) { return toUtf8(path.native()); }

std::string programFolder(const char*) {
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n < exe.size()) {
            exe.resize(n);
            break;
        }
        exe.resize(exe.size() * 2);
    }
    return toUtf8(exe.substr(0, exe.find_last_of(L"\\/") + 1));
}

std::string environment(const char* name) {
    const wchar_t* value = _wgetenv(toUtf16(name).c_str());
    return value ? toUtf8(value) : std::string();
}

std::vector<std::string> commandLineArguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(toUtf8(wide[i]));
    LocalFree(wide);
    return args;
}

#else

std::FILE* openFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::FILE* createNewFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) ::close(fd);
    return file;
}

bool replaceFile(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

FileId fileId(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino), true,
            S_ISDIR(st.st_mode)};
}

FileId fileId(std::FILE* file) {
    struct stat st {};
    if (::fstat(::fileno(file), &st) != 0) return {};
    return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino), true,
            S_ISDIR(st.st_mode)};
}

bool sameFile(const std::string& a, const std::string& b) { return fileId(a) == fileId(b); }

fs::path fsPath(const std::string& path) { return fs::path(path); }

std::string utf8Path(const fs::path& path) { return path.native(); }

std::string programFolder(const char* argv0) {
    std::error_code ec;
    fs::path exe = fs::canonical("/proc/self/exe", ec);
    if (ec) exe = fs::absolute(argv0, ec);
    return (exe.parent_path() / "").native();
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

#endif

std::vector<std::string> fallbackFolders() {
    constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);
    std::vector<std::string> folders;
    auto add = [&folders](std::string folder) {
        if (folder.empty()) return;
        if (folder.back() != '/' && folder.back() != kSeparator) folder += kSeparator;
        folders.push_back(std::move(folder));
    };
#ifdef _WIN32
    if (std::string local = environment("LOCALAPPDATA"); !local.empty()) add(local + "\\tervan");
#else
    if (std::string data = environment("XDG_DATA_HOME"); !data.empty() && data.front() == '/')
        add(data + "/tervan");
    else if (std::string home = environment("HOME"); !home.empty())
        add(home + "/.local/share/tervan");
#endif
    std::error_code ec;
    if (fs::path current = fs::current_path(ec); !ec) add(utf8Path(current));
    if (fs::path temporary = fs::temp_directory_path(ec); !ec) add(utf8Path(temporary));
    return folders;
}

bool createFolders(const std::string& path) {
    std::error_code ec;
    fs::create_directories(fsPath(extendedPath(path)), ec);
    return !ec;
}

}  // namespace tervan
