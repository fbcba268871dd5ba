#include "cli/options.h"

#include <charconv>

namespace tervan {

namespace {

// The usage line of each command, in the order of the usage.
struct CommandLine {
    const char* name;
    Command command;
    const char* line;
};

constexpr CommandLine kCommands[] = {
    {"convert", Command::Convert, "tervan-cli convert [options] INPUT..."},
    {"receive", Command::Receive, "tervan-cli receive --port DEVICE [options]"},
    {"send", Command::Send, "tervan-cli send    --port DEVICE [options] INPUT"},
    {"models", Command::Models, "tervan-cli models          every model name, what it reads, how detection tells it"},
    {"keys", Command::Keys, "tervan-cli keys            every settings key: its kind, default and meaning"},
    {"help", Command::Help, "tervan-cli help [COMMAND]  this text (also --help, -h); --version: the version"},
};

constexpr const char* kOptions =
    "options (before or after the command):\n"
    "  --ini FILE            settings file (default: Tervan.ini in the program folder)\n"
    "  --model NAME          set Model after loading; auto: the model that fits each INPUT\n"
    "  --set KEY=VALUE       set any setting by its INI key (flags take Yes/No)\n"
    "  --dxf-header FILE     DXF header file (default: dxf_header.txt in the program folder)\n"
    "  --hvsd                after converting each INPUT, make one H, V, SD run on it\n"
    "  --seed N              use N wherever the program would seed from the clock\n"
    "  --bffb R,HD,FIRST,LINE  the fields of the Calc BFFB line dialog (default 2.0,5.0,1,1)\n"
    "  --log-dir DIR         folder of receive log files (default: Log in the program folder)\n"
    "  --port DEVICE         serial device; overrides ComName\n"
    "  --known FILE          list of known points (nxyz, nyxz or kor) for computed coordinates (ComputeXYZ),\n"
    "                        or the benchmarks of levelling lines (name and height alone will do)\n"
    "  -q, --quiet           print nothing on standard output (failures are still said on standard error)\n";

std::string usageText() {
    std::string text;
    for (const auto& c : kCommands) text += std::string(text.empty() ? "usage: " : "       ") + c.line + "\n";
    return text + kOptions;
}

// cmd's way of asking a program for its usage.
bool isWindowsHelp(const std::string& a) {
#ifdef _WIN32
    return a == "/?";
#else
    (void)a;
    return false;
#endif
}

bool splitBffb(const std::string& text, BffbParams& params) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == ',')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() != 4) return false;
    params = {parts[0], parts[1], parts[2], parts[3]};
    return true;
}

}  // namespace

std::string usageOf(const std::string& command) {
    for (const auto& c : kCommands) {
        if (command != c.name) continue;
        std::string text = std::string("usage: ") + c.line + "\n";
        const bool takesOptions = c.command == Command::Convert || c.command == Command::Receive ||
                                  c.command == Command::Send;
        return takesOptions ? text + kOptions : text;
    }
    return usageText();
}

bool parseCommandLine(const std::vector<std::string>& args, CliOptions& options, std::string& error) {
    std::vector<std::string> words;  // the command and its inputs
    bool help = false, version = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h" || isWindowsHelp(a)) {
            help = true;
        } else if (a == "--version") {
            version = true;
        } else if (a == "--ini") {
            if (!value(options.iniPath)) return false;
        } else if (a == "--dxf-header") {
            if (!value(options.dxfHeaderPath)) return false;
        } else if (a == "--log-dir") {
            if (!value(options.logDir)) return false;
        } else if (a == "--port") {
            if (!value(options.port)) return false;
        } else if (a == "--known") {
            if (!value(v)) return false;
            options.known = v;
        } else if (a == "--model") {
            if (!value(v)) return false;
            options.model = v;
        } else if (a == "--set") {
            if (!value(v)) return false;
            auto eq = v.find('=');
            if (eq == std::string::npos) {
                error = "--set takes KEY=VALUE, not '" + v + "'";
                return false;
            }
            options.sets.emplace_back(v.substr(0, eq), v.substr(eq + 1));
        } else if (a == "--hvsd") {
            options.hvsd = true;
        } else if (a == "--seed") {
            if (!value(v)) return false;
            std::uint32_t seed = 0;
            auto r = std::from_chars(v.data(), v.data() + v.size(), seed);
            if (v.empty() || r.ec != std::errc() || r.ptr != v.data() + v.size()) {
                error = "--seed takes a whole number from 0 to 4294967295, not '" + v + "'";
                return false;
            }
            options.seed = seed;
        } else if (a == "--bffb") {
            if (!value(v)) return false;
            if (!splitBffb(v, options.bffb)) {
                error = "--bffb takes four values R,HD,FIRST,LINE, not '" + v + "'";
                return false;
            }
        } else if (a == "-q" || a == "--quiet") {
            options.quiet = true;
        } else if (a == "--") {
            for (++i; i < args.size(); ++i) words.push_back(args[i]);
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option " + a;
            return false;
        } else {
            words.push_back(a);
        }
    }
    const CommandLine* command = nullptr;
    if (!words.empty()) {
        for (const auto& c : kCommands)
            if (words[0] == c.name) command = &c;
        if (!command && !help && !version) {
            error = "unknown command '" + words[0] + "'";
            return false;
        }
    }
    if (version) {
        options.command = Command::Version;
        return true;
    }
    if (help) {
        // "tervan-cli convert --help" asks about convert.
        options.command = Command::Help;
        if (command && command->command != Command::Help) options.helpTopic = command->name;
        else if (words.size() > 1) options.helpTopic = words[1];
        return true;
    }
    if (!command) {
        error = "no command given";
        return false;
    }
    options.command = command->command;
    options.inputs.assign(words.begin() + 1, words.end());
    switch (options.command) {
        case Command::Convert:
            if (options.inputs.empty()) {
                error = "convert needs at least one INPUT";
                return false;
            }
            break;
        case Command::Receive:
            if (!options.inputs.empty()) {
                error = "receive takes no INPUT";
                return false;
            }
            break;
        case Command::Send:
            if (options.inputs.size() != 1) {
                error = "send takes exactly one INPUT";
                return false;
            }
            break;
        case Command::Help:
            if (options.inputs.size() > 1) {
                error = "help takes one COMMAND at most";
                return false;
            }
            if (!options.inputs.empty()) options.helpTopic = options.inputs[0];
            options.inputs.clear();
            break;
        case Command::Models:
        case Command::Keys:
            if (!options.inputs.empty()) {
                error = std::string(command->name) + " takes no INPUT";
                return false;
            }
            break;
        case Command::Version:
            break;
    }
    return true;
}

bool applySettingOverrides(const CliOptions& options, Settings& settings, std::string& error) {
    if (options.model) settings.Model = *options.model;
    for (const auto& [name, value] : options.sets) {
        const SettingKey* key = findSettingKey(name);
        if (!key) {
            error = "unknown setting '" + name + "'";
            return false;
        }
        if (isFlag(*key)) {
            if (value != "Yes" && value != "No") {
                error = "the flag " + name + " takes Yes or No, not '" + value + "'";
                return false;
            }
            settings.*key->flag = value == "Yes" ? 1 : 0;
        } else {
            settings.*key->text = value;
        }
    }
    if (options.known) settings.KnownPoints = *options.known;
    return true;
}

}  // namespace tervan
