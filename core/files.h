// The program's one door to the file system. Paths are UTF-8 inside the
// program; on Windows they become UTF-16 here, at the system calls, so that
// names outside the ANSI code page ("Müller", "ТОЧКИ") are neither lost nor
// changed on the way. Elsewhere a path is handed on as the bytes it is.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tervan {

// fopen of a UTF-8 path; mode as fopen takes it ("rb", "wb"). errno says
// why on failure.
std::FILE* openFile(const std::string& path, const char* mode);

// Creates a file that must not exist yet, to be written ("wb"); nullptr
// with errno EEXIST when there is one already.
std::FILE* createNewFile(const std::string& path);

// Puts from in the place of to, replacing a file of that name; a symbolic
// link in that place is replaced itself, never followed.
bool replaceFile(const std::string& from, const std::string& to);

// Removes a file; never a folder. false when there was none to remove.
bool removeFile(const std::string& path);

bool isFolder(const std::string& path);
// An existing file that is not a folder.
bool isFile(const std::string& path);

// Creates the folder and the folders above it that are missing.
bool createFolders(const std::string& path);

// Whether both paths name one existing file, however they are spelled:
// letter case where the file system ignores it, links, "." and "..". The
// system decides (volume serial number and file index on Windows, device
// and inode elsewhere). false when either does not exist.
bool sameFile(const std::string& a, const std::string& b);

// The identity of an existing file as the system knows it (device and
// inode; volume serial number and file index on Windows), the same for
// every spelling of its path and every link to it.
struct FileId {
    unsigned long long volume = 0, index = 0;
    bool valid = false;  // false when the file does not exist
    bool folder = false;
    bool operator==(const FileId& other) const {
        return valid && other.valid && volume == other.volume && index == other.index;
    }
};
FileId fileId(const std::string& path);
// The identity of an open file: the file read, whatever its path names
// by now.
FileId fileId(std::FILE* file);

// A UTF-8 path for std::filesystem, and back.
std::filesystem::path fsPath(const std::string& path);
std::string utf8Path(const std::filesystem::path& path);

// The folder of the running program, ending in the path separator. argv0
// serves where the system cannot tell.
std::string programFolder(const char* argv0);

// An environment variable's value in UTF-8; "" when it is not set.
std::string environment(const char* name);

// Where a file that must not be lost (a receive log) goes when its own
// folder cannot be written, to be tried in turn: the user's data folder
// ($XDG_DATA_HOME/tervan/, else ~/.local/share/tervan/; on Windows
// %LOCALAPPDATA%\tervan\), the current folder, the temporary folder. Each
// ends in the path separator; one that cannot be told is left out.
std::vector<std::string> fallbackFolders();

// The program's arguments after its own name, in UTF-8. On Windows they
// are taken from the wide command line: argv holds them in the ANSI code
// page, which loses every letter outside it.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// A Windows path as the system's calls take it beyond 260 characters: an
// absolute one ("C:\data\...", "\\server\share\...") of kLongPath bytes or
// more gets the prefix "\\?\" ("\\?\UNC\" for a share), its "/" made "\"
// and its "." and ".." steps resolved, which the system leaves to the
// caller after that prefix. Every other path is returned as it is.
inline constexpr std::size_t kLongPath = 240;
std::string extendedPath(std::string_view path);

#ifdef _WIN32
// UTF-8 to UTF-16 and back, for the wide calls of the system.
std::wstring toUtf16(std::string_view utf8);
std::string toUtf8(std::wstring_view utf16);
#endif

}  // namespace tervan
