// Coordinates from the observations (ComputeXYZ), the inverse of the H, V,
// SD calculation: every record without coordinates whose station has
// coordinates and which has a slope distance gets X, Y, Z from its H, V, SD.
// It runs after the reader, before the offset and scale steps.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "conversion/session.h"
#include "core/point_store.h"
#include "core/result.h"

namespace tervan {

// Positions of one point further apart than this are reported.
inline constexpr double kSpreadLimit = 0.01;  // metres

struct XyzReport {
    std::size_t computed = 0;  // records that got coordinates
    // Stations whose directions were taken as bearings: the file gave no
    // orientation and their first observation is not to a known point.
    std::vector<std::string> unoriented;
    // Stations without coordinates, with the number of their observations
    // that therefore got none.
    struct Unplaced {
        std::string station;
        std::size_t records;
    };
    std::vector<Unplaced> unplaced;
    // Points placed more than kSpreadLimit from where they were placed
    // first (two faces, two stations, a known point), the greatest distance.
    struct Spread {
        std::string point;
        double metres;
    };
    std::vector<Spread> spreads;
    // Stations set up again more than kSpreadLimit from where they stood
    // before, the greatest move.
    std::vector<Spread> moved;
    // Records whose H, V or SD could not be read (not computed), by name.
    std::vector<std::string> unreadable;

    std::string knownPath;         // the list of known points, "" when none is set
    std::size_t knownPoints = 0;   // read from it
    std::string knownError;        // why it could not be read, "" when it was
    bool knownRefused = false;     // it was read, but holds a value that cannot be used
    std::size_t knownStations = 0; // stations of the file that the list names
};

// Station and point coordinates: a point of known first, else the first
// record of the store with coordinates of that name (computed ones count
// from the moment they are computed).
//
// Orientation, for the bearing t = H - Om: a record's givenOm when it has
// one; otherwise, for its whole station group, the one that makes the
// bearing of the group's first observation come out right when that
// observation is to a point with coordinates (a backsight); otherwise 0,
// and the station is reported. A point placed again keeps its first
// position. Computed records are marked and show the orientation used as
// Om.
XyzReport computeXyz(PointStore& store, const PointStore& known);

// What a conversion runs when ComputeXYZ is set: the list of known points
// (KnownPoints) read, then computeXyz over the session's store.
XyzReport computeCoordinates(Session& session);

// Appends the report to the message text (in full), to the summary line
// (the count) and to the result's warnings and known points' error.
void reportCoordinates(const XyzReport& report, Result& result);

}  // namespace tervan
