// SDR2x and SDR33 files (.sdr): fixed-column records, each line a record
// whose first two characters are its type (00 header, 01 instrument, 02
// station, 03 target height, 07 backsight, 08 coordinates, 09 observation,
// 13 note) and the next two how it was made. SDR2x names are 4 characters
// and values 10; SDR33 names and values are 16; the header's version tells
// them apart.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readSdr(Input& input, ReaderContext& ctx);

// A record of two digits and two more characters; a station, backsight,
// coordinate or observation record has its first name right-aligned in 4
// or in 16 columns. (Kolida 440 files have the same record types with the
// names left-aligned.)
bool isSdrLine(std::string_view line);

inline constexpr ReaderModel kSdrModel{
    .name = "SDR",
    .read = readSdr,
    .isLine = isSdrLine,
    .reads = "SDR2x and SDR33 records: stations with IH and coordinates, backsights, observations, coordinates"};

}  // namespace tervan
