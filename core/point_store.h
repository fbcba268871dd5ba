// The Point store: the one list of survey records, in the order the reader
// appended them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tervan {

// One survey record. Units: metres and gon.
//   SN  station name (normalised)     N   point name (normalised)
//   X   first plane coordinate        Y   second plane coordinate
//   Z   height                        IH  instrument height at SN
//   TH  target (reflector) height     V   zenith angle
//   H   horizontal direction          SD  slope distance
//   Om  orientation of the station
// isStation: 1 on the first record of a new instrument set-up.
// faceTwo:   1 when the record repeats the preceding one in the second face.
// givenOm:   the orientation H is read against, when the file states it
//            (Zeiss "Om") or the H, V, SD run computed H with it: the
//            bearing of the target is H - givenOm.
// computed:  X, Y and Z were computed from the observations (ComputeXYZ),
//            not read.
struct Point {
    int isStation = 0;
    int faceTwo = 0;
    std::string SN;
    std::string N;
    double X = 0;
    double Y = 0;
    double Z = 0;
    double IH = 0;
    double TH = 0;
    double V = 0;
    double H = 0;
    double SD = 0;
    double Om = 0;
    std::optional<double> givenOm;
    bool computed = false;
};

// No value: the send cursor is past the last record.
inline constexpr std::size_t kNoPoint = static_cast<std::size_t>(-1);

struct PointStore {
    std::vector<Point> points;
    double orientation = 0;             // current orientation, copied into Om of new records
    std::size_t sendCursor = kNoPoint;  // index of the record to send next
};

// Appends p with SN and N normalised. Readers fill every field by name:
//   appendPoint(store, {.isStation = mark, .SN = sn, .N = name, ..., .Om = store.orientation});
void appendPoint(PointStore& store, Point p);

void clearStore(PointStore& store);

// X, Y and Z all exactly 0: skipped by the offset step, every
// coordinate-based writer and the sender.
inline bool isZeroPoint(const Point& p) { return p.X == 0.0 && p.Y == 0.0 && p.Z == 0.0; }

}  // namespace tervan
