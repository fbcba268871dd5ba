// What every point reader gets: the input, opened by the conversion layer,
// the store its records go to and the result its counts go to. A reader is a
// plain function over the line loop (core/input.h); it appends records with
// designated initializers that name each field.
#pragma once

#include "core/input.h"
#include "core/point_store.h"
#include "core/result.h"

namespace tervan {

struct ReaderContext {
    PointStore& store;
    Result& result;
};

using PointReader = void (*)(Input& input, ReaderContext& ctx);

}  // namespace tervan
