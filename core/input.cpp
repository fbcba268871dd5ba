#include "core/input.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/files.h"

namespace tervan {

namespace {

// A file that could be opened but is no input: a folder (which fopen opens
// on Linux), a device, a pipe.
const char* notAFile(std::FILE* file) {
#ifdef _WIN32
    struct _stat64 info {};
    if (_fstat64(_fileno(file), &info) != 0) return nullptr;
#else
    struct stat info {};
    if (fstat(fileno(file), &info) != 0) return nullptr;
#endif
    if (S_ISDIR(info.st_mode)) return "it is a folder";
    if (!S_ISREG(info.st_mode)) return "it is not a regular file";
    return nullptr;
}

}  // namespace

bool readWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
    return readFileStart(path, std::string::npos, bytes, reason);
}

bool readFileStart(const std::string& path, std::size_t most, std::string& bytes, std::string& reason) {
    bytes.clear();
    std::FILE* file = openFile(path, "rb");
    if (!file) {
        // Windows refuses to open a folder ("Permission denied"); say what it is.
        reason = isFolder(path) ? "it is a folder" : std::strerror(errno);
        return false;
    }
    if (const char* why = notAFile(file)) {
        std::fclose(file);
        reason = why;
        return false;
    }
    char buffer[1 << 16];
    std::size_t n;
    errno = 0;
    while (bytes.size() < most && (n = std::fread(buffer, 1, std::min(sizeof buffer, most - bytes.size()), file)) != 0)
        bytes.append(buffer, n);
    const int error = !std::ferror(file) ? 0 : errno != 0 ? errno : EIO;
    std::fclose(file);
    if (error != 0) {
        bytes.clear();
        reason = std::strerror(error);
        return false;
    }
    return true;
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
        int c = input_.get();
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

}  // namespace tervan
