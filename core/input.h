// An input read as raw bytes. The readers, the levelling routines and the
// DXF header copy get its bytes through Input: from memory (a file read
// whole and checked by readWholeFile, or a fuzzer's block), or straight
// from a file opened and checked by InputFile, a block at a time, so that a
// large file is never held whole. Either way a conversion writes nothing
// before the last byte has been read. The line loop below is the one way
// through the lines of an input.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "core/result.h"

namespace tervan {

// The whole of the file at path as its raw bytes. false, with the reason,
// when it is missing, not a regular file (a folder, a device), not readable,
// or when a read fails part-way: a read error is an error, never the end of
// the file.
bool readWholeFile(const std::string& path, std::string& bytes, std::string& reason);

// The same for no more than the first most bytes of the file.
bool readFileStart(const std::string& path, std::size_t most, std::string& bytes, std::string& reason);

// A file opened to be read: a regular file, or a reason why not.
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile();

    // false, with the reason, when path is missing, not a regular file (a
    // folder, a device) or not readable.
    bool open(const std::string& path, std::string& reason);
    std::FILE* get() const { return file_; }

private:
    std::FILE* file_ = nullptr;
};

// The bytes of an input, one at a time or a block at a time.
class Input {
public:
    // Reads the bytes of memory, which must outlive the input.
    explicit Input(std::string_view memory) : view_(memory) {}
    // Reads an open file from where it stands, a block at a time; the file
    // must outlive the input. A read that fails ends the input, and
    // failed() then says so.
    explicit Input(const InputFile& file);
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    // The next byte, or EOF at the end.
    int get() {
        if (pos_ == view_.size() && !refill()) return EOF;
        return static_cast<unsigned char>(view_[pos_++]);
    }
    // The bytes at hand from the next one on, at least one; empty at the end.
    // At the start of a file they are its first block: at least the first
    // 256 KB, or the whole of a smaller file.
    std::string_view peek() {
        if (pos_ == view_.size() && !refill()) return {};
        return view_.substr(pos_);
    }
    // Passes over n of the bytes peek gave.
    void skip(std::size_t n) { pos_ += n; }
    // Where the next line feed stands among the bytes peek gives, as an
    // offset from the next byte, or npos. Remembered until it is passed, so
    // that a line longer than a piece is looked through once, not once a
    // piece.
    std::size_t nextFeed() {
        if (!feedKnown_ || feed_ < pos_) {
            const void* at = view_.size() > pos_ ? std::memchr(view_.data() + pos_, '\n', view_.size() - pos_) : nullptr;
            feed_ = at ? static_cast<std::size_t>(static_cast<const char*>(at) - view_.data()) : view_.size();
            feedKnown_ = true;
        }
        return feed_ == view_.size() ? std::string_view::npos : feed_ - pos_;
    }

    // Whether a read of the file failed; reason() says why.
    bool failed() const { return error_ != 0; }
    std::string reason() const;

private:
    static constexpr std::size_t kBlock = 1 << 18;

    bool refill();

    std::string_view view_;
    std::size_t pos_ = 0;
    std::FILE* file_ = nullptr;
    std::string block_;
    int error_ = 0;
    std::size_t feed_ = 0;
    bool feedKnown_ = false;
};

// Reads an input one line per call, at most 253 characters a piece. Status:
// 0 a line ended by a line feed, 1 cut at 253 characters (the rest comes with
// the next call), -1 end of file. Carriage returns are dropped wherever they
// stand. A line is handed over up to its first NUL byte, as a zero-terminated
// buffer would show it.
class LineReader {
public:
    static constexpr std::size_t kMaxLine = 253;

    explicit LineReader(Input& input) : input_(input) {}
    // Set once a read has met the end of the input: the empty read after a
    // final line feed is seen as one more (empty) line.
    bool eof() const { return eof_; }
    int read(std::string& line);
    // The same as a view: into the input's bytes when the line lies whole
    // in them and needs nothing dropped, else into spare. Valid until the
    // next call.
    int read(std::string_view& line, std::string& spare);

private:
    Input& input_;
    bool eof_ = false;
};

// Hands every line of the input to take, which returns whether it
// recognised the line; counts the lines read and the lines not recognised.
// The empty read after a final line feed is not a line: a reader could only
// carry a mark over it that no record follows to take.
template <class Take>
void forEachLine(Input& input, Result& counts, Take take) {
    LineReader reader(input);
    std::string spare;
    std::string_view line;
    while (!reader.eof()) {
        if (reader.read(line, spare) == -1 && line.empty()) break;
        ++counts.linesRead;
        if (!take(line)) ++counts.linesIgnored;
    }
}

}  // namespace tervan
