// The conversion driver: one input file through its model's reader into the
// ticked outputs.
#pragma once

#include <string>
#include <string_view>

#include "core/program.h"

namespace tervan {

// The input path without the extension of its file name (the text after the
// last "\" or "/"). A file name without a ".", or whose only "." is its first
// character, keeps the whole path.
std::string outputBaseName(std::string_view path);

// Converts path with the loaded settings; the result replaces
// program.message, and program.summary says in one line what was read.
// Returns 0 when the conversion ran, 2 when Model names no reader.
int convert(Program& program, const std::string& path);

}  // namespace tervan
