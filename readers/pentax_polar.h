// Pentax tagged polar observations: one tag and its value per line, in a
// 200 and a 300 layout.
#pragma once

#include "readers/reader.h"

namespace tervan {

void readPentax200Polar(Input& input, ReaderContext& ctx);
void readPentax300Polar(Input& input, ReaderContext& ctx);

// tag value
bool isPentax200PolarLine(std::string_view line);
bool isPentax300PolarLine(std::string_view line);

inline constexpr ReaderModel kPentax200PolarModel{
    .name = "Pentax200Polar",
    .read = readPentax200Polar,
    .isLine = isPentax200PolarLine,
    .reads = "Pentax 200 polar records (tagged values, stations and shots)",
    .alike = "Pentax300Polar when no name holds a \"*\""};
inline constexpr ReaderModel kPentax300PolarModel{
    .name = "Pentax300Polar",
    .read = readPentax300Polar,
    .isLine = isPentax300PolarLine,
    .reads = "Pentax 300 polar records (tagged values, stations and shots)",
    .alike = "Pentax200Polar when no name holds a \"*\""};

}  // namespace tervan
