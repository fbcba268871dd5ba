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

// args is shell text: quote paths with shellQuote.
CliRun runCli(const ScratchDir& dir, const std::string& args);

std::string shellQuote(const std::string& s);

}  // namespace tervan::test
