#include "core/output_file.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "core/files.h"
#include "core/printf.h"

namespace tervan {

OutputFile::~OutputFile() { close(); }

bool OutputFile::create(const std::string& path) {
    close();
    failed_ = false;
    error_.clear();
    file_ = openFile(path, "wb");
    if (!file_) {
        // Windows says "Permission denied" for a folder in the way.
        int error = errno == EACCES && isFolder(path) ? EISDIR : errno;
        failed_ = true;
        error_ = std::strerror(error);
        return false;
    }
    buffer_.reserve(kFlushAt + 4096);
    return true;
}

void OutputFile::print(const char* fmt, ...) {
    scratch_.clear();
    va_list args;
    va_start(args, fmt);
    vappendf(scratch_, fmt, args);
    va_end(args);
    write(scratch_);
}

void OutputFile::write(std::string_view text) {
    if (!file_) return;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            buffer_.append(text.data() + start, i - start);
            buffer_ += "\r\n";
            start = i + 1;
        }
    }
    buffer_.append(text.data() + start, text.size() - start);
    if (buffer_.size() >= kFlushAt) flush();
}

void OutputFile::flush() {
    if (!file_ || buffer_.empty()) return;
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size() && !failed_) {
        failed_ = true;
        error_ = std::strerror(errno);
    }
    buffer_.clear();
}

bool OutputFile::close() {
    if (!file_) return !failed_;
    flush();
    if (std::fclose(file_) != 0 && !failed_) {
        failed_ = true;
        error_ = std::strerror(errno);
    }
    file_ = nullptr;
    return !failed_;
}

bool writeTextFile(const std::string& path, std::string_view text, std::string* error) {
    OutputFile out;
    bool ok = out.create(path);
    if (ok) {
        out.write(text);
        ok = out.close();
    }
    if (!ok && error) *error = out.errorText();
    return ok;
}

}  // namespace tervan
