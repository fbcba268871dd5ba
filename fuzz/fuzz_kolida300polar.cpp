#include "fuzz/fuzz_reader.h"
#include "readers/kolida.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tervan::fuzz::readAsFile(tervan::readKolida300Polar, data, size);
}
