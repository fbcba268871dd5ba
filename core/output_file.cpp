#include "core/output_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <string_view>

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
    // The blocks are large already: no second buffer on the way.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    if (!block_) block_ = std::make_unique<char[]>(kBlock);
    used_ = 0;
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
    // Each byte takes at most two in the block.
    while (!text.empty()) {
        if (kBlock - used_ < 2) flush();
        const std::size_t take = std::min(text.size(), (kBlock - used_) / 2);
        char* p = block_.get() + used_;
        for (char ch : text.substr(0, take)) {
            if (ch == '\n') *p++ = '\r';
            *p++ = ch;
        }
        used_ = static_cast<std::size_t>(p - block_.get());
        text.remove_prefix(take);
    }
}

void OutputFile::writeRaw(std::string_view bytes) {
    if (!file_ || bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() && !failed_) {
        failed_ = true;
        error_ = std::strerror(errno);
    }
}

void OutputFile::flush() {
    writeRaw({block_.get(), used_});
    used_ = 0;
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
