#include "core/output_file.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "core/files.h"
#include "core/printf.h"

namespace tervan {

OutputFile::~OutputFile() { close(); }

bool OutputFile::create(const std::string& path) { return open(path, "wb"); }

bool OutputFile::append(const std::string& path) { return open(path, "ab"); }

bool OutputFile::open(const std::string& path, const char* mode) {
    close();
    failed_ = false;
    error_.clear();
    file_ = openFile(path, mode);
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

namespace {

bool writeWhole(OutputFile& out, bool opened, std::string_view text, std::string* error) {
    bool ok = opened;
    if (ok) {
        out.write(text);
        ok = out.close();
    }
    if (!ok && error) *error = out.errorText();
    return ok;
}

}  // namespace

bool writeTextFile(const std::string& path, std::string_view text, std::string* error) {
    OutputFile out;
    return writeWhole(out, out.create(path), text, error);
}

bool appendTextFile(const std::string& path, std::string_view text, std::string* error) {
    OutputFile out;
    return writeWhole(out, out.append(path), text, error);
}

}  // namespace tervan
