// The rows of the levelling line files and of their message texts: printf
// templates in pairs, the file's form and then the text's, each parsed once
// into a Format when the program is compiled. The file writes each line
// feed as CR LF; the text has its own line ends. tests/printf_test.cpp
// checks every one against snprintf.
#pragma once

#include <string_view>

#include "core/printf.h"

namespace tervan::formats {

using Text = std::string_view;

// The BFFB line: row, names, line (as text) and values.
inline constexpr Format<int, Text> kBffbStartFile("%7d Start-Line       BFFB   %s\n");
inline constexpr Format<int, Text> kBffbStartText(">\r\r\n%7d\tStart-Line\t\tBFFB\t\t%s\r\r\n");
inline constexpr Format<int, Text, Text, double, double> kBffbBackFile("%7d%s              3 %s Rb%12.5f HD %12.3f\n");
inline constexpr Format<int, Text, Text, double, double> kBffbBackText(
    "%7d\t%s\t\t\t3\t%s Rb\t%12.5f HD\t%12.3f\r\r\n");
inline constexpr Format<int, Text, Text, double, double> kBffbForeFile("%7d%s              3 %s Rf%12.5f HD %12.3f\n");
inline constexpr Format<int, Text, Text, double, double> kBffbForeText(
    "%7d\t%s\t\t\t3\t%s Rf\t%12.5f HD\t%12.3f\r\r\n");
inline constexpr Format<int, Text, Text, double> kBffbHeightFile(
    "%7d%s              3 %s                                Z%10.5f\n");
inline constexpr Format<int, Text, Text, double> kBffbHeightText("%7d\t%s\t\t\t \t%s\t  \t\t\t\tZ%10.5f\r\r\n");
inline constexpr Format<int, Text, Text, double, double, double> kBffbSumFile(
    "%7d%s                %s Sh%12.5f dz %12.5f Z%10.5f\n");
inline constexpr Format<int, Text, Text, double, double, double> kBffbSumText(
    "%7d\t%s\t\t\t3\t%s Sh\t%17.5f dz\t%17.5f\tZ%10.5f\r\r\n");
inline constexpr Format<int, Text, int, Text, double, double, double> kBffbDistFile(
    "%7d%s      %3d       %s Db%12.3f Df %12.3f Z%10.5f\n");
inline constexpr Format<int, Text, int, Text, double, double, double> kBffbDistText(
    "%7d\t%s\t\t%3d\t3\t%s Db\t%17.3f Df\t%17.3f\tZ%10.5f\r\r\n");
inline constexpr Format<int, Text> kBffbEndFile("%7d End-Line                %s\n");
inline constexpr Format<int, Text> kBffbEndText("%7d\tEnd-Line\t\t\t\t%s\r\r\n");

// DNA8 rows: row, name, code, line and values. Each opens with its line
// feed. A start height and an intermediate sight's own height share the
// file's form with a height, not the text's.
inline constexpr Format<int, int> kDnaStartFile("\n%7d Start-Line         BF%6d");
inline constexpr Format<int, int> kDnaStartText("\r\r\n%7d\tStart-Line\t\tBF\t%3d");
inline constexpr Format<int, Text, int, double> kDnaHeightFile("\n%7d%s%19d                                Z%10.5f");
inline constexpr Format<int, Text, int, double> kDnaStartHeightText("\r\r\n%7d\t%s\t\t\t%3d\t\t\t\tZ\t%10.5f");
inline constexpr Format<int, Text, int, double> kDnaHeightText("\r\r\n%7d\t%s\t\t%3d\t\t\t\t\tZ\t%10.5f");
inline constexpr Format<int, Text, int, int, double, double> kDnaBackFile("\n%7d%s%15d%4d Rb%12.5f HD%13.3f");
inline constexpr Format<int, Text, int, int, double, double> kDnaBackText(
    "\r\r\n%7d\t%s\t\t%3d\t%3d Rb\t%10.5f HD\t%10.3f");
inline constexpr Format<int, Text, int, int, double, double> kDnaForeFile("\n%7d%s%15d%4d Rf%12.5f HD%13.3f");
inline constexpr Format<int, Text, int, int, double, double> kDnaForeText(
    "\r\r\n%7d\t%s\t\t%3d\t%3d Rf\t%10.5f HD\t%10.3f");
inline constexpr Format<int, Text, int, double, double> kDnaSumFile("\n%7d%s%19d Sh%12.5f dz%13.5f Z   0.00000");
inline constexpr Format<int, Text, int, double, double> kDnaSumText(
    "\r\r\n%7d\t%s\t\t\t%3d Sh\t%10.5f\tdz\t%10.5f\tZ\t   0.00000");
inline constexpr Format<int, Text, int, int, double, double, double> kDnaDistFile(
    "\n%7d%s%9d%10d Db%12.3f Df%13.3f Z%10.5f");
inline constexpr Format<int, Text, int, int, double, double, double> kDnaDistText(
    "\r\r\n%7d\t%s\t\t%3d\t%3d Db\t%10.3f\tDf\t%10.3f\tZ\t%10.5f");
inline constexpr Format<int, int> kDnaEndFile("\n%7d End-Line%19d");
inline constexpr Format<int, int> kDnaEndText("\r\r\n%7d\tEnd-Line\t\t\t%3d");

// Dini USB rows: the file's own texts in the line file's columns. A sum row
// has the data row's text form.
inline constexpr Format<int, Text> kDiniHeaderFile("\n%7d %s");
inline constexpr Format<int, Text> kDiniHeaderText("\r\r\n%7d\t%s");
inline constexpr Format<int, Text, int, Text, Text, Text, Text, Text, Text, Text> kDiniDataFile(
    "\n%7d %s%9d%s %s%s%s%s%s%s");
inline constexpr Format<int, Text, Text, Text, Text, Text, Text, Text, Text, Text> kDiniSumFile(
    "\n%7d %s%9s%s %s%s%s%s%s%s");
inline constexpr Format<int, Text, Text, Text, Text, Text, Text, Text, Text> kDiniDataText(
    "\r\r\n%7d\t%s\t\t3 %s\t%s\t%s\t%s %s\t%s\t%s");

}  // namespace tervan::formats
