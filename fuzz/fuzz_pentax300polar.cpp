#include "fuzz/fuzz_reader.h"
#include "readers/pentax.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tervan::fuzz::readAsFile(tervan::readPentax300Polar, data, size);
}
