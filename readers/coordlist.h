// Plain coordinate lists: name-X-Y-Z or name-Y-X-Z with optional station
// columns and second-face marker, and the .kor coordinate list.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readNxyz(Input& input, ReaderContext& ctx);
void readNyxz(Input& input, ReaderContext& ctx);
void readKor(Input& input, ReaderContext& ctx);

// name X Y Z (Y X Z), or with station, IH and TH, and a second-face "*"
bool isCoordinateListLine(std::string_view line);
// number, class, X, Y, class, height, and up to four accuracy figures
bool isKorLine(std::string_view line);

inline constexpr ReaderModel kNxyzModel{.name = "nxyz",
                                        .read = readNxyz,
                                        .isLine = isCoordinateListLine,
                                        .reads = "coordinate lists: name, X, Y, Z (and station, IH, TH)",
                                        .alike = "nyxz; Pentax300Coordinate for plain lists"};
inline constexpr ReaderModel kNyxzModel{.name = "nyxz",
                                        .read = readNyxz,
                                        .isLine = isCoordinateListLine,
                                        .reads = "coordinate lists: name, Y, X, Z (and station, IH, TH)",
                                        .alike = "nxyz; Pentax300Coordinate for plain lists"};
inline constexpr ReaderModel kKorModel{.name = "kor",
                                       .read = readKor,
                                       .isLine = isKorLine,
                                       .reads = "kor coordinate lists: number, class, X, Y, class, height"};

}  // namespace tervan
