// The command line of tervan-cli: convert, receive and send, and the
// commands that only tell (help, the version, the models, the settings keys).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "levelling/level_job.h"

namespace tervan {

enum class Command { Convert, Receive, Send, Help, Version, Models, Keys };

struct CliOptions {
    Command command = Command::Convert;
    std::string helpTopic;      // help: the command asked about, "" for all
    std::vector<std::string> inputs;
    std::string iniPath;        // empty: Tervan.ini in the program folder
    std::string dxfHeaderPath;  // empty: dxf_header.txt in the program folder
    std::string logDir;         // empty: Log in the program folder
    std::string port;           // empty: ComName
    std::optional<std::string> model;
    std::optional<std::string> known;  // --known FILE: KnownPoints
    std::vector<std::pair<std::string, std::string>> sets;  // --set KEY=VALUE, in order
    bool hvsd = false;
    std::optional<std::uint32_t> seed;
    BffbParams bffb;
    bool quiet = false;
    bool detectModel = false;  // Model is "auto": each input's model is detected
};

// Parses argv (without the program name). Options may stand before or after
// the command; --help (-h, and /? on Windows) anywhere asks for the usage,
// --version for the version. On a usage error returns false with the reason
// in error.
bool parseCommandLine(const std::vector<std::string>& args, CliOptions& options, std::string& error);

// Applies --model, every --set and then --known to the settings; false with
// the reason when a key is unknown or a flag value is not Yes or No.
bool applySettingOverrides(const CliOptions& options, Settings& settings, std::string& error);

// The usage of one command ("convert", "help", ...), or the whole usage for
// "" or a word that names no command.
std::string usageOf(const std::string& command);

}  // namespace tervan
