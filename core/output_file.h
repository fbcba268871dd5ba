// An output file written as the formats say: created anew, every line feed
// of a template written as carriage return + line feed (the "text mode" of
// the program's home system, on every platform), numbers formatted exactly
// as C printf does.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <type_traits>

#include "core/printf.h"

namespace tervan {

class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    // false when the file cannot be created; errorText() then says why.
    bool create(const std::string& path);
    // Opens the file to write at its end, creating it when missing.
    bool append(const std::string& path);
    TERVAN_PRINTF(2, 3) void print(const char* fmt, ...);
    template <class... Args>
    void print(const Format<Args...>& format, std::type_identity_t<Args>... args) {
        if (!file_) return;
        format.appendLines(buffer_, args...);
        if (buffer_.size() >= kFlushAt) flush();
    }
    // Writes text with its line feeds turned into CR LF.
    void write(std::string_view text);
    // Flushes and closes; false when anything could not be written.
    bool close();
    const std::string& errorText() const { return error_; }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;

    bool open(const std::string& path, const char* mode);
    void flush();

    std::FILE* file_ = nullptr;
    std::string buffer_;
    std::string scratch_;
    bool failed_ = false;
    std::string error_;
};

// Writes text (line feeds as CR LF) to path in one go; false on failure.
bool writeTextFile(const std::string& path, std::string_view text, std::string* error = nullptr);
// The same at the end of what path holds.
bool appendTextFile(const std::string& path, std::string_view text, std::string* error = nullptr);

}  // namespace tervan
