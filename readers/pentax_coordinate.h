// Pentax coordinate lists, in a 200 layout (sequence number, name, X, Y, Z)
// and a 300 layout (name, X, Y, Z).
#pragma once

#include "readers/reader.h"

namespace tervan {

void readPentax200Coordinate(Input& input, ReaderContext& ctx);
void readPentax300Coordinate(Input& input, ReaderContext& ctx);

bool isPentax200CoordinateLine(std::string_view line);
bool isPentax300CoordinateLine(std::string_view line);

inline constexpr ReaderModel kPentax200CoordinateModel{
    .name = "Pentax200Coordinate",
    .read = readPentax200Coordinate,
    .isLine = isPentax200CoordinateLine,
    .reads = "Pentax 200 coordinate lists: number, name, X, Y, Z"};
inline constexpr ReaderModel kPentax300CoordinateModel{
    .name = "Pentax300Coordinate",
    .read = readPentax300Coordinate,
    .isLine = isPentax300CoordinateLine,
    .reads = "Pentax 300 coordinate lists: name, X, Y, Z",
    .alike = "nxyz, nyxz for plain name, X, Y, Z lists"};

}  // namespace tervan
