#include "core/input.h"

#include <sys/stat.h>
#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/files.h"

namespace tervan {

namespace {

#ifdef _WIN32
// A file that could be opened but is no input: a device.
const char* notAFile(std::FILE* file) {
    struct _stat64 info {};
    if (_fstat64(_fileno(file), &info) != 0) return nullptr;
    if (S_ISDIR(info.st_mode)) return "it is a folder";
    if (!S_ISREG(info.st_mode)) return "it is not a regular file";
    return nullptr;
}
#endif

}  // namespace

bool readWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
    return readFileStart(path, std::string::npos, bytes, reason);
}

bool readFileStart(const std::string& path, std::size_t most, std::string& bytes, std::string& reason) {
    bytes.clear();
    InputFile file;
    if (!file.open(path, reason)) return false;
    Input input(file);
    for (std::string_view chunk; bytes.size() < most && !(chunk = input.peek()).empty(); input.skip(chunk.size()))
        bytes.append(chunk.data(), std::min(chunk.size(), most - bytes.size()));
    if (input.failed()) {
        bytes.clear();
        reason = input.reason();
        return false;
    }
    return true;
}

InputFile::~InputFile() {
    if (file_) std::fclose(file_);
}

bool InputFile::open(const std::string& path, std::string& reason) {
#ifndef _WIN32
    // Opened without waiting, so that a FIFO without a writer (or a
    // device) is refused at once instead of blocking the open; a regular
    // file is then read as usual.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file_ = ::fdopen(fd, "rb");
    if (!file_) {
        reason = std::strerror(errno);
        ::close(fd);
        return false;
    }
    return true;
#else
    file_ = openFile(path, "rb");
    if (!file_) {
        // Windows refuses to open a folder ("Permission denied"); say what it is.
        reason = isFolder(path) ? "it is a folder" : std::strerror(errno);
        return false;
    }
    if (const char* why = notAFile(file_)) {
        std::fclose(file_);
        file_ = nullptr;
        reason = why;
        return false;
    }
    return true;
#endif
}

Input::Input(const InputFile& file) : file_(file.get()) {}

bool Input::refill() {
    if (!file_ || error_ != 0) return false;
    // A block this large is read straight into ours, past the FILE's buffer.
    block_.resize(kBlock);
    errno = 0;
    const std::size_t n = std::fread(block_.data(), 1, block_.size(), file_);
    if (n == 0 && std::ferror(file_)) error_ = errno != 0 ? errno : EIO;
    view_ = std::string_view(block_.data(), n);
    pos_ = 0;
    feedKnown_ = false;
    return n != 0;
}

std::string Input::reason() const { return std::strerror(error_); }

int LineReader::read(std::string_view& line, std::string& spare) {
    // Most lines end in the bytes at hand, shorter than the cut, with at
    // most a carriage return before their line feed.
    const std::string_view chunk = input_.peek();
    const std::size_t feed = chunk.empty() ? std::string_view::npos : input_.nextFeed();
    if (feed != std::string_view::npos) {
        std::string_view body(chunk.data(), feed);
        if (!body.empty() && body.back() == '\r') body.remove_suffix(1);
        if (body.size() < kMaxLine && !std::memchr(body.data(), '\r', body.size())) {
            input_.skip(feed + 1);
            line = body.substr(0, body.find('\0'));
            return 0;
        }
    }
    const int status = read(spare);
    line = spare;
    return status;
}

// A line is taken a run of bytes at a time: up to the next line feed,
// without its carriage returns, until it is 253 characters long.
int LineReader::read(std::string& line) {
    line.clear();
    int status = -1;
    for (;;) {
        const std::string_view chunk = input_.peek();
        if (chunk.empty()) {
            eof_ = true;
            break;
        }
        const std::size_t feed = input_.nextFeed();
        const std::size_t end = feed != std::string_view::npos ? feed : chunk.size();
        std::size_t i = 0;
        while (i < end && line.size() < kMaxLine) {
            // Only the bytes the line can still take (and a carriage return
            // right after them, which is dropped) are looked at.
            const std::size_t look = std::min(end - i, kMaxLine - line.size() + 1);
            const auto* cr = static_cast<const char*>(std::memchr(chunk.data() + i, '\r', look));
            const std::size_t upto = cr ? static_cast<std::size_t>(cr - chunk.data()) : end;
            const std::size_t take = std::min(upto - i, kMaxLine - line.size());
            line.append(chunk.data() + i, take);
            i += take;
            if (i == upto && cr) ++i;  // a carriage return is dropped
        }
        // A line of 253 characters is cut before the next byte, whatever it is.
        if (line.size() == kMaxLine) {
            input_.skip(i);
            status = 1;
            break;
        }
        if (feed != std::string_view::npos) {
            input_.skip(end + 1);
            status = 0;
            break;
        }
        input_.skip(chunk.size());
    }
    if (auto nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
    return status;
}

}  // namespace tervan
