#include "fuzz/fuzz_reader.h"
#include "readers/coordlist.h"

// The first byte's lowest bit picks the column order.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* model = size && (data[0] & 1) ? "nyxz" : "nxyz";
    return tervan::fuzz::readAsFile(tervan::readCoordinateList, data, size, model);
}
