// printf-compatible formatting into std::string.
//
// The output formats of the program are C printf templates, and our files
// must hold exactly the bytes C printf gives for them. The formatter here
// interprets the templates itself (the conversions the formats use: %d %s %c
// %f %% with flags, width and precision) and formats doubles with
// std::to_chars, which rounds exactly as printf does and is several times
// faster than vsnprintf. Any conversion it does not know falls back to
// vsnprintf for the whole template. tests/printf_test.cpp compares it with
// snprintf over many random values for every template of the program.
#pragma once

#include <cstdarg>
#include <string>

// Checks a template against its arguments as C99 printf reads it. With
// mingw-w64 the plain "printf" kind is the Microsoft runtime's, which knows
// no %zu; the program formats with mingw's own C99 printf there.
#ifdef __MINGW32__
#define TERVAN_PRINTF(fmt, first) [[gnu::format(gnu_printf, fmt, first)]]
#else
#define TERVAN_PRINTF(fmt, first) [[gnu::format(printf, fmt, first)]]
#endif

namespace tervan {

// Appends the formatted text to out.
void vappendf(std::string& out, const char* fmt, va_list args);

TERVAN_PRINTF(2, 3) void appendf(std::string& out, const char* fmt, ...);

TERVAN_PRINTF(1, 2) std::string strf(const char* fmt, ...);

}  // namespace tervan
