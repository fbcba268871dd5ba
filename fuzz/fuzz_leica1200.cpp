#include "fuzz/fuzz_reader.h"
#include "readers/leica.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tervan::fuzz::readAsFile(tervan::readLeica1200, data, size);
}
