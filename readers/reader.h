// What every point reader gets: the input, opened by the conversion layer,
// the store its records go to and the result its counts go to. A reader is a
// plain function over the line loop (core/input.h); it appends records with
// designated initializers that name each field.
#pragma once

#include <string_view>

#include "core/input.h"
#include "core/point_store.h"
#include "core/result.h"

namespace tervan {

struct ReaderContext {
    PointStore& store;
    Result& result;
};

using PointReader = void (*)(Input& input, ReaderContext& ctx);

// A point model's row of the model table, kept beside its reader: the name
// the Settings dialog and --model use, the reader, and how format detection
// judges the file (conversion/detect.h). isLine: whether a line has the
// layout the reader reads, for readers that take almost any line; nullptr
// when the reader's own rules are strict enough. blockMark: for a word
// stream, the character that opens a block, so that the share of blocks
// taken is judged rather than that of lines. reads: what the model reads,
// in a line (tervan-cli models, the manual); alike: the models detection
// cannot tell it apart from, "" when none.
struct ReaderModel {
    const char* name;
    PointReader read;
    bool (*isLine)(std::string_view line) = nullptr;
    char blockMark = 0;
    const char* reads = "";
    const char* alike = "";
};

// Appends a record the file gives: the fields p names, X, Y, Z and the
// observations 0 where it names none, and the store's current orientation
// as Om, as every record of a file gets it.
inline void appendRecord(ReaderContext& ctx, Point p) {
    p.Om = ctx.store.orientation;
    appendPoint(ctx.store, p);
}

}  // namespace tervan
