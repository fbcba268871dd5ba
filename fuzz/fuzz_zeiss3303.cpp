#include "fuzz/fuzz_reader.h"
#include "readers/zeiss.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return tervan::fuzz::readAsFile(tervan::readZeiss3303, data, size);
}
