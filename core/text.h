// The text routines shared by the readers, the levelling routines and the
// writers: the field splitter, fixed columns, point-name normalisation,
// right-aligned names and hexadecimal text.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tervan {

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

// Whether name has nothing to normalise: no blank at either end, and no
// "#" in front.
bool isNormalised(std::string_view name);

// The low 16 bits of value as exactly four upper-case hexadecimal digits.
std::string hex4(unsigned long value);

// At least four upper-case hexadecimal digits, more when the value needs
// them, so that DXF handles of large drawings never repeat.
std::string hexHandle(unsigned long value);

// The last n characters of text (all of it when shorter).
std::string_view lastChars(std::string_view text, std::size_t n);

// text right-aligned in exactly width characters: blanks before a shorter
// text, only the last width characters of a longer one.
std::string rightAligned(std::string_view text, std::size_t width);

// The characters of line in columns first..last (counted from 1) that the
// line has; empty when the line ends before first.
std::string_view columns(std::string_view line, std::size_t first, std::size_t last);

// text without the blanks (code 32) at either end; a code field of a
// reader is kept as this gives it.
std::string_view trimBlanks(std::string_view text);

}  // namespace tervan
