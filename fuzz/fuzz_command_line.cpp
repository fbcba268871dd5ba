// The fuzz target of the command line's values: any bytes as the words of a
// command line (separated by NUL bytes), parsed as tervan-cli parses them;
// when they parse, the settings they give (--model, --set) convert a small
// Leica file, and the --bffb values a levelling line, from memory, with
// every file going nowhere.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "conversion/models.h"
#include "fuzz_outputs.h"
#include "levelling/bffb.h"

namespace {

constexpr std::string_view kLeica =
    "#0,0,0,0,0,1.5,100,200,50\r\n"
    "P1,0,0,0,1.3,1.5,150,250,52\r\n"
    "P2,100.5,95.5,25.25,1.3,1.6,90,210,49\r\n";

constexpr std::string_view kLine =
    "      1        1             10   1 Rb     1.50000 HD       12.345\r\n"
    "      2        2             10   1 Rf     0.50000 HD       11.000\r\n"
    "      3        2                  1                                Z   1.00000\r\n";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tervan;
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    CliOptions options;
    std::string error;
    Session session;
    if (!parseCommandLine(args, options, error) || !applySettingOverrides(options, session.settings, error)) return 0;

    // A model without a point reader reads the file as Leica 1200, so that
    // the values always meet some points.
    const ModelEntry* model = findModel(session.settings.Model);
    if (!model || !model->read) model = findModel("Leica1200");
    Result result;
    Input input(kLeica);
    ReaderContext ctx{session.store, result};
    model->read(input, ctx);
    fuzz::writeNowhere(session, result);

    if (bffbRefusal(kLine, options.bffb).empty()) {
        Input line(kLine);
        OutputFile nowhere;
        LevelJob job{.input = line, .lineFile = nowhere, .result = result, .inputPath = "", .rng = session.rng,
                     .bffb = options.bffb};
        calculateBffb(job);
    }
    return 0;
}
