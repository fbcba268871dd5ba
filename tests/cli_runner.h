// Runs the built tervan-cli as a user would, keeping its exit status and
// both output streams.
#pragma once

#include <string>

#include "test_util.h"

namespace tervan::test {

struct CliRun {
    int status;
    std::string out, err;
};

// args is command line text: quote paths with shellQuote (a POSIX shell's
// quotes, or on Windows those of the command line).
CliRun runCli(const ScratchDir& dir, const std::string& args);

std::string shellQuote(const std::string& s);

// A settings file in dir that gives the built-in defaults (Model aside),
// quoted for the command line.
std::string defaultsIni(const ScratchDir& dir);

}  // namespace tervan::test
