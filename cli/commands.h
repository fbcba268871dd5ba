// The commands of tervan-cli and their exit status.
#pragma once

#include <string>

#include "cli/options.h"
#include "conversion/session.h"

namespace tervan {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kNoReader = 2;
constexpr int kUsageError = 64;

// What File/Open followed by "OK" runs: converts input and prints the
// message text. Returns the exit status.
int convertInput(Session& session, const CliOptions& options, const std::string& input);

// One transmission received as the window receives it, then converted.
int runReceive(Session& session, const CliOptions& options);

// INPUT converted, then every point sent as "&All" sends it, then the end mark.
int runSend(Session& session, const CliOptions& options);

}  // namespace tervan
