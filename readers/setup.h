// The instrument set-up of an observation file as its reader keeps it: the
// station with its IH and coordinates, the target height, the orientation
// the file gives, and whether the next record opens the station. Readers of
// files with station, backsight and shot records share it, so that their
// records come out as the GSI reader's do: a station record appends the
// station point (SN "#0", N the station, its coordinates) and marks the
// next record as the first of the set-up; shots carry SN, IH and TH.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "readers/reader.h"

namespace tervan {

// The station of the records before the first set-up, and of the station
// points themselves.
inline constexpr const char* kNoStation = "#0";

struct SetUp {
    std::string station = kNoStation;
    double IH = 0, TH = 0;
    bool opens = true;  // the next record is the first of the set-up
    // The orientation H is read against (the bearing of a target is
    // H - givenOm), once a backsight has given the station one.
    bool oriented = false;
    double givenOm = 0;
    // The station point last appended, so that the same set-up repeated
    // adds nothing.
    Point last;
    std::string lastName;
    std::size_t lastEnd = kNoPoint;
};

// A record of the set-up: an observation (H, V, SD), target coordinates,
// or both; the fields it does not name are 0.
struct Shot {
    std::string_view name;
    double H = 0, V = 0, SD = 0;
    double X = 0, Y = 0, Z = 0;
    std::string_view code;  // the feature code the file gives the point
};

// Opens a set-up at station name with instrument height IH; the station
// point is appended when it has coordinates (X, Y, Z not all 0) and is not
// the set-up just appended again. The orientation of the last set-up no
// longer holds.
void openStation(ReaderContext& ctx, SetUp& s, std::string_view name, double IH, double X = 0, double Y = 0,
                 double Z = 0);

// The azimuth of the backsight and the direction read to it: the station's
// orientation is their difference, in gon on the full circle.
void orientStation(SetUp& s, double backsightH, double azimuth);

// Appends shot as a record of the set-up, with its IH and TH.
void appendShot(ReaderContext& ctx, SetUp& s, const Shot& shot);

// Says once in the result what the reader converted ("angles in degrees
// converted to gon").
void noteConversion(ReaderContext& ctx, const char* text);

// The notes of the units every reader of these files converts.
inline constexpr const char* kDegreesConverted = "angles in degrees converted to gon";
inline constexpr const char* kDmsConverted = "angles in degrees, minutes and seconds converted to gon";
inline constexpr const char* kMilsConverted = "angles in mils converted to gon";
inline constexpr const char* kFeetConverted = "distances in feet converted to metres";
inline constexpr const char* kUsFeetConverted = "distances in US survey feet converted to metres";
inline constexpr const char* kHorizonConverted = "vertical angles from the horizon converted to zenith angles";
inline constexpr const char* kSouthConverted = "azimuths from the south converted to azimuths from the north";

// Angles and lengths in the units a file declares.
inline constexpr double kGonPerDegree = 400.0 / 360.0;
inline constexpr double kGonPerMil = 400.0 / 6400.0;
inline constexpr double kMetresPerFoot = 0.3048;            // the international foot
inline constexpr double kMetresPerUsFoot = 1200.0 / 3937.0;  // the US survey foot

// The fields of a comma-separated record, empty ones kept and each trimmed
// of blanks; fields the line does not reach are empty, and a last field
// takes the rest of the line. Returns how many fields the line has.
std::size_t splitCommas(std::string_view line, std::span<std::string_view> fields);

// ddd.mmss (degrees, minutes and seconds written as one decimal number) in
// gon.
double gonFromDms(double dms);

}  // namespace tervan
