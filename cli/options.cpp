#include "cli/options.h"

#include <charconv>

namespace tervan {

const char* const kUsage =
    "usage: tervan-cli convert [options] INPUT...\n"
    "       tervan-cli receive --port DEVICE [options]\n"
    "       tervan-cli send    --port DEVICE [options] INPUT\n"
    "options:\n"
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
    "  -q, --quiet           print nothing on standard output\n";

namespace {

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

bool parseCommandLine(const std::vector<std::string>& args, CliOptions& options, std::string& error) {
    if (args.empty()) {
        error = "no command given";
        return false;
    }
    const std::string& command = args[0];
    if (command == "convert")
        options.command = Command::Convert;
    else if (command == "receive")
        options.command = Command::Receive;
    else if (command == "send")
        options.command = Command::Send;
    else {
        error = "unknown command '" + command + "'";
        return false;
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
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
        if (a == "--ini") {
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
            for (++i; i < args.size(); ++i) options.inputs.push_back(args[i]);
        } else if (a.size() > 1 && a[0] == '-') {
            error = "unknown option " + a;
            return false;
        } else {
            options.inputs.push_back(a);
        }
    }
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
