// The lines of the output files: printf templates, each parsed once into a
// Format when the program is compiled. tests/printf_test.cpp checks every
// one against snprintf.
#pragma once

#include <string_view>

#include "core/printf.h"

namespace tervan::formats {

using Text = std::string_view;

// The coordinate lists: name and two coordinates in the list's order, then Z.
inline constexpr Format<Text, double, double, double> kNameCoordinates("%6s %10.3f %10.3f %10.3f\n");
inline constexpr Format<double, double, double> kXyz("%10.3f %10.3f %10.3f\n");
inline constexpr Format<Text, double, double, double> kTras("   0000%s         X%13.3f Y%14.3f Z%10.3f\n");

// A dpi record opens with its line feed; a station record first closes the
// line before it with " *", so every station's first line is marked there.
inline constexpr Format<Text, double, Text, double, double, double, double> kDpiStation(
    " *\n%6s %4.3f %6s %4.3f %8.4f %8.4f %8.3f0");
inline constexpr Format<Text, double, double, double, double> kDpiObservation(
    "\n             %6s %4.3f %8.4f %8.4f %8.3f0");
inline constexpr Format<Text, double, double, double> kKorPoint(
    "%6s  6 %11.3f %11.3f  5 %9.4f    0.0    0.0   0.000    0.00\n");

// How the scripts and the drawing write a coordinate: a point's Y and X are
// written once and repeated in each of its lines and entities.
inline constexpr Conversion kCoordinate = conversionOf("%0.3f");

// The CAD scripts. The drawing's first coordinate is Y, the second X. "100"
// stands in the rotation-angle position of both text commands. The text
// height is the same in every line: written once a file.
inline constexpr Format<Repeated, Repeated, Text> kPointLine("point %0.3f,%0.3f,%s\n");
inline constexpr Format<Repeated, Repeated, Text, Repeated, Text> kNameLine("text J MR %0.3f,%0.3f,%s %0.3f 100 %s\n");
inline constexpr Format<Repeated, Repeated, Text, Repeated, Text> kLevelLine("text %0.3f,%0.3f,%s %0.3f 100 %s\n");
inline constexpr Conversion kScriptTextHeight = conversionOf("%0.3f");

// The height text beside a point: millimetres (x1000), three or two decimals.
inline constexpr Format<double> kLevelMillimetres("%0.0f");
inline constexpr Format<double> kLevelThreeDecimals("%0.3f");
inline constexpr Format<double> kLevelTwoDecimals("%0.2f");

// The DXF entities of a point, each with its handle: the point, its height
// text and its name. The name is right-aligned and vertically centred at the
// point (72 = 2, 73 = 2, as "MR" in the scripts), so the alignment point
// repeats it. The text height is written once a file, as in the scripts.
inline constexpr Format<unsigned, Text, Repeated, Repeated, Text> kPointEntity(
    "  0\nPOINT\n  5\n%04X\n  8\n%s\n 10\n%0.3f\n 20\n%0.3f\n 30\n%s\n");
inline constexpr Format<unsigned, Text, Repeated, Repeated, Text, Repeated, Text> kLevelEntity(
    "  0\nTEXT\n  5\n%04X\n  8\n%s\n 10\n%0.3f\n 20\n%0.3f\n 30\n%s\n 40\n%0.1f\n  1\n%s\n");
inline constexpr Format<unsigned, Text, Repeated, Repeated, Text, Repeated, Text, Repeated, Repeated, Text> kNameEntity(
    "  0\nTEXT\n  5\n%04X\n  8\n%s\n 10\n%0.3f\n 20\n%0.3f\n 30\n%s\n 40\n%0.1f\n  1\n%s\n"
    " 72\n     2\n 11\n%0.3f\n 21\n%0.3f\n 31\n%s\n 73\n     2\n");
inline constexpr Conversion kDrawingTextHeight = conversionOf("%0.1f");

// A layer of a code, declared in the drawing's layer table (LayerPerCode):
// continuous lines, colour 7.
inline constexpr Format<Text> kLayerEntry("  0\nLAYER\n  2\n%s\n 70\n     0\n 62\n     7\n  6\nCONTINUOUS\n");
inline constexpr Format<int> kTableCount("%6d\n");

// The exchange formats: the CSV line's coordinates between the name and
// the code, the LandXML document's date and time, and a CgPoint's northing,
// easting and elevation.
inline constexpr Format<double, double, double> kCsvCoordinates(",%0.3f,%0.3f,%0.3f,");
inline constexpr Format<int, int, int, int, int, int> kLandXmlStamp(
    " date=\"%04d-%02d-%02d\" time=\"%02d:%02d:%02d\" version=\"1.2\">\n");
inline constexpr Format<double, double, double> kCgPointCoordinates("%0.3f %0.3f %0.3f</CgPoint>\n");

}  // namespace tervan::formats
