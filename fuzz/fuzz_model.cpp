// The fuzz target of one model of the model table, named by TERVAN_FUZZ_MODEL
// when it is built (fuzz/CMakeLists.txt builds one for every row): each
// input is read from memory as a conversion reads it, then written
// nowhere; a levelling model's routine runs with its line file going
// nowhere (the BFFB line with the dialog's values).
#include <cstdint>
#include <string_view>

#include "conversion/models.h"
#include "fuzz_outputs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tervan;
    static const ModelEntry* model = findModel(TERVAN_FUZZ_MODEL);
    Input input(std::string_view(reinterpret_cast<const char*>(data), size));
    Result result;
    if (model->read) {
        Session session;
        ReaderContext ctx{session.store, result};
        model->read(input, ctx);
        fuzz::writeNowhere(session, result);
    } else {
        OutputFile nowhere;
        Rng rng;
        LevelJob job{.input = input, .lineFile = nowhere, .result = result, .inputPath = "", .rng = rng, .bffb = {}};
        model->level(job);
    }
    return 0;
}
