// tervan-cli: the headless front end. Runs what File/Open followed by "OK"
// runs in the window, for each INPUT in turn.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/commands.h"
#include "cli/listings.h"
#include "cli/options.h"
#include "conversion/detect.h"
#include "conversion/driver.h"
#include "conversion/models.h"
#include "conversion/output_set.h"
#include "core/files.h"
#include "core/numbers.h"
#include "core/settings.h"

using namespace tervan;

namespace {

// What the commands that only tell print, on standard output.
int tell(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return kDone;
}

void printMessage(const std::string& message, const CliOptions& options) {
    if (options.quiet) return;
    std::fwrite(message.data(), 1, message.size(), stdout);
    std::fputs("\n", stdout);
}

// A quiet run prints no message text, but never keeps quiet about an output
// that was not written: its name and the reason go to standard error.
void printFailedOutputs(const Result& result, const CliOptions& options) {
    if (!options.quiet) return;
    bool kept = false;
    for (const OutputReport& out : result.outputs) {
        if (out.status == OutputStatus::Kept) kept = true;
        if (out.status == OutputStatus::Failed || out.status == OutputStatus::IsInput)
            std::fprintf(stderr, "tervan-cli: %s\n", reportLine(out).c_str());
    }
    if (kept) std::fprintf(stderr, "tervan-cli: %s\n", kNothingReplaced);
}

}  // namespace

int tervan::convertInput(Session& session, const CliOptions& options, const std::string& input) {
    // Each input is detected anew; the conversion leaves the model it used in Model.
    if (options.detectModel) session.settings.Model = kAutoModel;
    FixedPrompts prompts;
    prompts.bffb = options.bffb;
    // The records of the input before are of no more use here: gone, they
    // leave the room for this one's.
    clearStore(session.store);
    Result result = convert(session, input, prompts);
    if (!result.detected.empty()) {
        std::fprintf(stderr, "tervan-cli: %s: model %s (detected)\n", input.c_str(), result.detected.c_str());
        for (const std::string& other : result.alsoFits)
            std::fprintf(stderr, "tervan-cli: %s: %s fits as well\n", input.c_str(), other.c_str());
    }
    if (result.outcome == Outcome::NothingFound) {
        std::fprintf(stderr, "tervan-cli: %s\n", result.summary.c_str());
        return kNoReader;
    }
    if (result.outcome == Outcome::NoReader) {
        if (options.detectModel)
            std::fprintf(stderr, "tervan-cli: %s\n", result.summary.c_str());
        else
            std::fprintf(stderr, "tervan-cli: the model '%s' names no reader\n", session.settings.Model.c_str());
        return kNoReader;
    }
    // Nothing was written; an H, V, SD run now would rewrite the outputs of
    // the input before.
    if (result.outcome == Outcome::CannotRead || result.outcome == Outcome::Refused) {
        std::fprintf(stderr, "tervan-cli: %s\n", result.summary.c_str());
        return kFailed;
    }
    int status = kDone;
    if (!options.quiet) {
        std::fprintf(stderr, "tervan-cli: %s: %s\n", input.c_str(), result.summary.c_str());
        for (const std::string& warning : result.warnings)
            std::fprintf(stderr, "tervan-cli: %s: %s\n", input.c_str(), warning.c_str());
        for (const LineClosure& closure : result.closures)
            std::fprintf(stderr, "tervan-cli: %s: %s\n", input.c_str(), closure.summary.c_str());
    }
    if (!result.knownPointsError.empty()) {
        std::fprintf(stderr, "tervan-cli: %s: %s\n", input.c_str(), result.knownPointsError.c_str());
        status = kFailed;
    }
    bool outputFailed = result.outputFailed();
    printFailedOutputs(result, options);
    std::string message = std::move(result.message);
    if (options.hvsd) {
        const Settings& s = session.settings;
        Result run = recalculateHvsd(session, {s.dSD, s.dH, s.dV});
        if (!options.quiet) std::fprintf(stderr, "tervan-cli: %s: %s\n", input.c_str(), run.summary.c_str());
        outputFailed = outputFailed || run.outputFailed();
        printFailedOutputs(run, options);
        if (!run.keepMessage) message = std::move(run.message);
    }
    printMessage(message, options);
    std::fflush(stdout);
    if (outputFailed) {
        std::fprintf(stderr, "tervan-cli: %s: an output could not be written%s\n", input.c_str(),
                     options.quiet ? "" : " (see the message text)");
        status = kFailed;
    }
    return status;
}

namespace {

// A model that names no reader fails every input alike, so the run stops at
// the first; with "auto" the other inputs still go on, and a file that no
// model fits decides the exit status.
int runConvert(Session& session, const CliOptions& options) {
    int status = kDone;
    for (const std::string& input : options.inputs) {
        int result = convertInput(session, options, input);
        if (result == kNoReader && !options.detectModel && !findModel(session.settings.Model)) return kNoReader;
        if (result != kDone && status != kNoReader) status = result;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The message text is bytes with its own CR LF line ends; text mode
    // would make them CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::vector<std::string> args = commandLineArguments(argc, argv);
    CliOptions options;
    std::string error;
    if (!parseCommandLine(args, options, error)) {
        std::fprintf(stderr, "tervan-cli: %s\n%s", error.c_str(), usageOf("").c_str());
        return kUsageError;
    }
    switch (options.command) {
        case Command::Help:
            return tell(usageOf(options.helpTopic));
        case Command::Version:
            return tell("tervan-cli " TERVAN_VERSION "\n");
        case Command::Models:
            return tell(modelsListing());
        case Command::Keys:
            return tell(keysListing());
        default:
            break;
    }
    Session session;
    placeProgramFiles(session, programFolder(argv[0]));
    if (!options.iniPath.empty()) {
        session.iniPath = options.iniPath;
        session.iniDefaults.clear();
    }
    if (!options.dxfHeaderPath.empty()) session.dxfHeaderPath = options.dxfHeaderPath;
    // The settings file named by --ini must be read; the one beside the
    // program may be missing (the defaults), but not unreadable.
    const std::string iniPath = settingsToRead(session);
    if (std::string reason; !loadSettings(session.settings, iniPath, &reason) &&
                            (!options.iniPath.empty() || fileId(iniPath).valid)) {
        std::fprintf(stderr, "tervan-cli: cannot read settings %s: %s\n", iniPath.c_str(), reason.c_str());
        return kFailed;
    }
    if (!applySettingOverrides(options, session.settings, error)) {
        std::fprintf(stderr, "tervan-cli: %s\n%s", error.c_str(), usageOf("").c_str());
        return kUsageError;
    }
    // For the levelling models the known points are the benchmarks.
    if (options.known && !session.settings.ComputeXYZ && !isLevelModel(session.settings.Model) &&
        session.settings.Model != kAutoModel)
        std::fprintf(stderr, "tervan-cli: --known is used only with ComputeXYZ=Yes (--set ComputeXYZ=Yes)\n");
    if (!options.port.empty()) session.settings.ComName = options.port;
    options.detectModel = session.settings.Model == kAutoModel;
    session.fixedSeed = options.seed;
    // Nobody sees the message text of a quiet run.
    session.observationText = !options.quiet;
    // TERVAN_THREADS=1 writes the outputs one after the other (the files are
    // the same bytes either way).
    if (const char* threads = std::getenv("TERVAN_THREADS"))
        session.writerThreads = static_cast<unsigned>(std::max(0, toInteger(threads)));
    switch (options.command) {
        case Command::Convert:
            return runConvert(session, options);
        case Command::Receive:
            return runReceive(session, options);
        case Command::Send:
            return runSend(session, options);
        default:
            break;
    }
    return kDone;
}
