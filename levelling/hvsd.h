// The H, V, SD calculation: observations computed from the coordinates of the
// store, with random errors and a random orientation per station.
#pragma once

#include <cstddef>

#include "core/point_store.h"
#include "core/rng.h"

namespace tervan {

// The sizes of the random errors: distance, horizontal and vertical.
struct ErrorSizes {
    double SD = 2.0;
    double H = 50.0;
    double V = 50.0;
};

// Recomputes H, V, SD and Om of every record from the coordinates of its
// point and of its station (the first record named like the station), with
// the error sizes and the current orientation of the store; draws a new
// orientation at every station record. Returns the number of records whose
// observations were computed: those whose station has coordinates.
std::size_t calculateHvsd(PointStore& store, Rng& rng, const ErrorSizes& errors);

}  // namespace tervan
