// The fuzz target of every model in the model table: each input is read by
// every point reader and run through every levelling routine (the BFFB line
// with the dialog's defaults), from memory, with the line files going
// nowhere. A model added to the table is fuzzed without a line here.
#include <cstdint>
#include <string_view>

#include "conversion/models.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tervan;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const ModelEntry& model : models()) {
        Input input(bytes);
        Result result;
        if (model.read) {
            PointStore store;
            ReaderContext ctx{store, result};
            model.read(input, ctx);
        } else {
            OutputFile nowhere;
            Rng rng;
            LevelJob job{.input = input, .lineFile = nowhere, .result = result, .inputPath = "", .rng = rng, .bffb = {}};
            model.level(job);
        }
    }
    return 0;
}
