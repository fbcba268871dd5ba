// An output file written as the formats say: created anew, every line feed
// of a template written as carriage return + line feed (the "text mode" of
// the program's home system, on every platform), numbers formatted exactly
// as C printf does.
//
// A file is created as a temporary file beside its path and takes the
// path's place only once every byte is written, so that a full disk never
// leaves a file cut short (nor an empty one) under an output's name, and a
// symbolic link in its place is replaced, never written through.
#pragma once

#include <cstdio>
#include <memory>
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
    // close() puts the file in path's place.
    bool create(const std::string& path);
    // The same, but the file waits after close() until commit() puts it in
    // path's place or discard() (or the destructor) removes it: the outputs
    // of one run are replaced together or not at all.
    bool stage(const std::string& path);
    // Opens the file to write at its end, creating it when missing.
    bool append(const std::string& path);
    TERVAN_PRINTF(2, 3) void print(const char* fmt, ...);
    template <class... Args>
    void print(const Format<Args...>& format, std::type_identity_t<Args>... args) {
        if (!file_) return;
        const std::size_t most = format.bound(args...);
        if (kBlock - used_ < most) {
            flush();
            if (kBlock < most) {  // a line longer than a block (a name of a megabyte)
                scratch_.clear();
                format.appendLines(scratch_, args...);
                writeBlock(scratch_);
                return;
            }
        }
        used_ = static_cast<std::size_t>(format.writeRounded(block_.get() + used_, true, roundsToNearest(), args...) -
                                         block_.get());
    }
    // Whether the rounding mode is to-nearest, asked once a file on the
    // thread that writes it: nothing the program does changes the mode.
    bool roundsToNearest() {
        if (!roundingKnown_) {
            nearest_ = tervan::roundsToNearest();
            roundingKnown_ = true;
        }
        return nearest_;
    }
    // Writes text with its line feeds turned into CR LF.
    void write(std::string_view text);
    // Writes bytes as they are.
    void writeBytes(std::string_view bytes);
    // Flushes and closes; false when anything could not be written (the
    // temporary file is then removed).
    bool close();
    // A staged file, closed and whole, takes its path's place.
    bool commit();
    // Removes a staged file that was not committed.
    void discard();
    const std::string& errorText() const { return error_; }

private:
    // The lines are formatted straight into one block, which goes to the
    // file whole when the next line might not fit.
    static constexpr std::size_t kBlock = 1 << 18;

    bool open(const std::string& path, const char* mode);
    bool openTemporary(const std::string& path);
    void fail(int error);
    void flush();
    // An opened file's first block.
    void startBlocks();
    // Writes bytes to the file as they are, past the block.
    void writeBlock(std::string_view bytes);

    std::FILE* file_ = nullptr;
    std::string path_;
    std::string temporary_;  // "" when the file is written in place
    bool staged_ = false;
    std::unique_ptr<char[]> block_;
    std::size_t used_ = 0;
    bool roundingKnown_ = false, nearest_ = true;
    std::string scratch_;
    bool failed_ = false;
    std::string error_;
};

// For tests: every file created (or staged) for a path ending in suffix
// fails to be written as on a full disk; "" ends it. Set it only while no
// output is being written.
void injectWriteFailure(const std::string& suffix);

// Writes text (line feeds as CR LF) to path in one go, replacing the file
// whole; false on failure.
bool writeTextFile(const std::string& path, std::string_view text, std::string* error = nullptr);
// The same at the end of what path holds.
bool appendTextFile(const std::string& path, std::string_view text, std::string* error = nullptr);

}  // namespace tervan
