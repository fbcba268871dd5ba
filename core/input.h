// An input read as raw bytes. A file is read whole, and checked, before a
// conversion writes anything (readWholeFile); the readers, the levelling
// routines and the DXF header copy then get its bytes from memory through
// Input, and the line loop below is the one way through the lines of an
// input.
#pragma once

#include <cstdio>
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

// The bytes of an input, one at a time.
class Input {
public:
    // Reads the bytes of memory, which must outlive the input.
    explicit Input(std::string_view memory) : memory_(memory) {}
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    // The next byte, or EOF at the end.
    int get() { return pos_ < memory_.size() ? static_cast<unsigned char>(memory_[pos_++]) : EOF; }

private:
    std::string_view memory_;
    std::size_t pos_ = 0;
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
    std::string line;
    while (!reader.eof()) {
        if (reader.read(line) == -1 && line.empty()) break;
        ++counts.linesRead;
        if (!take(std::string_view(line))) ++counts.linesIgnored;
    }
}

}  // namespace tervan
