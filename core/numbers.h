// The one decimal conversion of the program: C strtod/atoi semantics on the
// C locale (leading blanks skipped, optional sign, the longest numeric prefix,
// 0 when there is none). Every number read from a file or a setting goes
// through these two functions.
#pragma once

#include <string>
#include <string_view>

namespace tervan {

double toNumber(std::string_view text);

// atoi: the integer prefix, clamped to the range of int instead of
// overflowing.
int toInteger(std::string_view text);

// The largest coordinate, offset or known point taken: beyond it the
// fixed-column files would run their columns into each other (and %f would
// write hundreds of digits).
inline constexpr double kLargestCoordinate = 1e9;

// Why value cannot be used as a number of at most limit in size: "" when it
// can, else "is not a finite number" or "is too large (at most ...)".
std::string sizeRefusal(double value, double limit);

}  // namespace tervan
