// The H, V, SD calculation: observations computed from the coordinates of the
// store, with random errors and a random orientation per station.
#pragma once

#include <cstddef>

#include "core/point_store.h"
#include "core/rng.h"

namespace tervan {

// Radians to gon as 200 / 3.141592654 (pi to nine decimals), the factor
// every earlier list of the program was computed with; a right angle comes
// out 1.3e-8 gon short. Coordinates computed from observations use it too,
// so that they turn back into the very observations they came from.
inline constexpr double kGonPerRadian = 63.66197722844561;

// The sizes of the random errors: distance, horizontal and vertical.
struct ErrorSizes {
    double SD = 2.0;
    double H = 50.0;
    double V = 50.0;
};

// Recomputes H, V, SD and Om of every record from the coordinates of its
// point and of its station (the first record named like the station), with
// the error sizes and the current orientation of the store; draws a new
// orientation at every station record. A computed record's givenOm is the
// orientation its H was computed with. Returns the number of records whose
// observations were computed: those whose station has coordinates.
std::size_t calculateHvsd(PointStore& store, Rng& rng, const ErrorSizes& errors);

}  // namespace tervan
