// M5 total-station files and the R4/R5 records of the same family: one
// record a line, fields between bars: the format and address, the record
// type with the point identification or a text, then three value blocks,
// each a type identifier, a value and its unit:
//   For M5|Adr 00009|PI1                   2|SD  6.552 m |Hz  340.0105 DMS |V1  91.1619 DMS |
//   For R5|Adr 0008|KR NTR1100|X  21.259 m |Y  59.620 m |Z  11.256 m |
// The levelling lines of digital levels (Rb, Rf, Db, Sh) are not read here.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readM5(Input& input, ReaderContext& ctx);

inline constexpr ReaderModel kM5Model{
    .name = "M5",
    .read = readM5,
    .reads = "M5 and R4/R5 total station records: SD, Hz, V1, V2, X, Y, Z, th, ih, Om with their units"};

}  // namespace tervan
