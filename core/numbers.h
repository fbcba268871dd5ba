// The one decimal conversion of the program: C strtod/atoi semantics on the
// C locale (leading blanks skipped, optional sign, the longest numeric prefix,
// 0 when there is none). Every number read from a file or a setting goes
// through these two functions.
#pragma once

#include <string_view>

namespace tervan {

double toNumber(std::string_view text);

// atoi: the integer prefix, clamped to the range of int instead of
// overflowing.
int toInteger(std::string_view text);

}  // namespace tervan
