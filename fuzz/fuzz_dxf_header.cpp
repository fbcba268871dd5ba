// The fuzz target of the DXF header copy: any bytes as dxf_header.txt, split
// into lines as the output set reads them and copied into a drawing of a few
// points, the placeholders filled in.
#include <cstdint>
#include <string_view>
#include <vector>

#include "conversion/output_set.h"
#include "writers/dxf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tervan;
    static const std::vector<Point> points = {
        {.N = "P1", .X = 4712345.678, .Y = 9512345.123, .Z = 123.456},
        {.N = "#12", .X = 0, .Y = 0, .Z = 0},
        {.N = "B", .X = -1, .Y = 2.5, .Z = -0.001},
    };
    const std::vector<std::string> header =
        dxfHeaderLines(std::string_view(reinterpret_cast<const char*>(data), size));
    Settings settings;
    for (int threeD : {0, 1}) {
        settings.ThreeDFile = threeD;
        OutputFile nowhere;
        writeDxf(nowhere, points, settings, header);
    }
    return 0;
}
