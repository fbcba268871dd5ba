// The exchange formats that office software imports: a CSV list with a
// header line and a LandXML document of points. Both are UTF-8 (names and
// codes taken as MIK) and hold every point that is not a zero point.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/output_file.h"
#include "core/point_store.h"
#include "core/settings.h"

namespace tervan {

// name,x,y,z,code: x and y are X and Y as the name-X-Y-Z list writes them,
// with its three decimals (millimetres under x1000, as there); a name or
// code with a comma, a quote or a line break is quoted, its quotes doubled.
void writeCsv(OutputFile& out, const PointList& points, const Settings& settings);

// LandXML 1.2: Units in metres (x1000 undone), one CgPoint per point with
// its name, its code when it has one, and "northing easting elevation"
// (X Y Z). date and time are those of the conversion; SOURCE_DATE_EPOCH,
// when set, stands for the clock (in UTC), so that a file can be made again
// byte for byte.
void writeLandXml(OutputFile& out, const PointList& points, const Settings& settings);

// The CSV field of text (UTF-8), quoted when it must be.
void appendCsvField(std::string& out, std::string_view text);
// text (MIK bytes) as the UTF-8 of an XML attribute value between double
// quotes: markup characters and line breaks as references, characters XML
// cannot hold at all as U+FFFD.
void appendXmlAttribute(std::string& out, std::string_view text);

}  // namespace tervan
