// tervan-cli: the headless front end. Runs what File/Open followed by "OK"
// runs in the window, for each INPUT in turn.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/options.h"
#include "core/driver.h"
#include "core/settings.h"
#include "levelling/hvsd.h"

using namespace tervan;

namespace {

std::string programFolder(const char* argv0) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path exe = fs::canonical("/proc/self/exe", ec);
    if (ec) exe = fs::absolute(argv0, ec);
    std::string folder = exe.parent_path().string();
    folder += static_cast<char>(fs::path::preferred_separator);
    return folder;
}

void printMessage(const Program& program, const CliOptions& options) {
    if (options.quiet) return;
    std::fwrite(program.message.data(), 1, program.message.size(), stdout);
    std::fputs("\n", stdout);
}

}  // namespace

int tervan::convertInput(Program& program, const CliOptions& options, const std::string& input) {
    program.inputPath = input;
    if (convert(program, input) == 2) {
        std::fprintf(stderr, "tervan-cli: the model '%s' names no reader\n", program.settings.Model.c_str());
        return kNoReader;
    }
    int status = kDone;
    if (program.stats.openFailed) {
        std::fprintf(stderr, "tervan-cli: %s\n", program.summary.c_str());
        status = kFailed;
    } else if (!options.quiet) {
        std::fprintf(stderr, "tervan-cli: %s: %s\n", input.c_str(), program.summary.c_str());
    }
    bool outputFailed = program.outputFailed;
    if (options.hvsd) {
        const Settings& s = program.settings;
        runHvsdCommand(program, s.dSD, s.dH, s.dV);
        if (!options.quiet) std::fprintf(stderr, "tervan-cli: %s: %s\n", input.c_str(), program.summary.c_str());
        outputFailed = outputFailed || program.outputFailed;
    }
    printMessage(program, options);
    std::fflush(stdout);
    if (outputFailed) {
        std::fprintf(stderr, "tervan-cli: %s: an output could not be written (see the message text)\n",
                     input.c_str());
        status = kFailed;
    }
    return status;
}

namespace {

int runConvert(Program& program, const CliOptions& options) {
    int status = kDone;
    for (const std::string& input : options.inputs) {
        int result = convertInput(program, options, input);
        if (result == kNoReader) return kNoReader;
        if (result != kDone) status = result;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    CliOptions options;
    std::string error;
    if (!parseCommandLine(args, options, error)) {
        std::fprintf(stderr, "tervan-cli: %s\n%s", error.c_str(), kUsage);
        return kUsageError;
    }
    Program program;
    program.programFolder = programFolder(argv[0]);
    program.iniPath = options.iniPath.empty() ? program.programFolder + "Tervan.ini" : options.iniPath;
    program.dxfHeaderPath =
        options.dxfHeaderPath.empty() ? program.programFolder + "dxf_header.txt" : options.dxfHeaderPath;
    loadSettings(program.settings, program.iniPath);
    if (!applySettingOverrides(options, program.settings, error)) {
        std::fprintf(stderr, "tervan-cli: %s\n%s", error.c_str(), kUsage);
        return kUsageError;
    }
    if (!options.port.empty()) program.settings.ComName = options.port;
    program.fixedSeed = options.seed;
    program.askBffb = [&options](BffbParams& params) {
        params = options.bffb;
        return true;
    };
    switch (options.command) {
        case Command::Convert:
            return runConvert(program, options);
        case Command::Receive:
            return runReceive(program, options);
        case Command::Send:
            return runSend(program, options);
    }
    return kDone;
}
