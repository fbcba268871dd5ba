// The text routines shared by the readers and the DXF writer: the line
// reader, the field splitter, point-name normalisation and hexadecimal text.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace tervan {

// Reads an input file as raw bytes, one line per call, at most 253
// characters a piece. Status: 0 a line ended by a line feed, 1 cut at 253
// characters (the rest comes with the next call), -1 end of file. Carriage
// returns are dropped wherever they stand. A line is handed over up to its
// first NUL byte, as a zero-terminated buffer would show it.
class LineReader {
public:
    static constexpr std::size_t kMaxLine = 253;

    LineReader() = default;
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;
    ~LineReader();

    bool open(const std::string& path);
    // Set once a read has met the end of the file: readers loop
    // "while (!reader.eof())", so the empty read after a final line feed is
    // seen as one more (empty) line.
    bool eof() const { return eof_; }
    int read(std::string& line);

private:
    int nextByte();

    std::FILE* file_ = nullptr;
    bool eof_ = false;
    unsigned char buffer_[1 << 16];
    std::size_t pos_ = 0, end_ = 0;
};

// Separator sets of the field splitter.
inline constexpr std::string_view kSeparators = ";:,* \r\n\t";      // the shared splitter
inline constexpr std::string_view kSeparatorsNoStar = ";:, \r\n\t";  // Pentax 300: "*" belongs to the text
inline constexpr std::string_view kListSeparators = ";, \t";         // Leica, coordinate and kor lists

// Fills every element of fields with the next run of non-separator
// characters (runs of separators count as one); fields the line does not
// reach are empty. The views point into line.
void splitFields(std::string_view line, std::string_view separators, std::span<std::string_view> fields);

// Blanks (code 32) trimmed on both sides; "#n" with a non-zero integer n
// becomes the decimal text of n + 100000.
std::string normaliseName(std::string_view name);

// The low 16 bits of value as exactly four upper-case hexadecimal digits.
std::string hex4(unsigned long value);

// At least four upper-case hexadecimal digits, more when the value needs
// them, so that DXF handles of large drawings never repeat.
std::string hexHandle(unsigned long value);

// The last n characters of text (all of it when shorter).
std::string_view lastChars(std::string_view text, std::size_t n);

}  // namespace tervan
