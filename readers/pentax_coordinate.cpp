#include "readers/pentax_coordinate.h"

#include <array>

#include "core/numbers.h"
#include "core/text.h"
#include "readers/line_shapes.h"

namespace tervan {
namespace {

// nameField: the field of the point name; X, Y and Z follow it.
void readCoordinates(Input& input, ReaderContext& ctx, std::string_view separators, std::size_t nameField) {
    std::array<std::string_view, 5> f;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        splitFields(line, separators, f);
        const std::string_view name = f[nameField];
        double X = toNumber(f[nameField + 1]), Y = toNumber(f[nameField + 2]), Z = toNumber(f[nameField + 3]);
        if (name.empty() || (X == 0 && Y == 0 && Z == 0)) return false;
        const std::string N(name);
        appendRecord(ctx, {.isStation = false, .SN = "    #0", .N = N, .X = X, .Y = Y, .Z = Z});
        return true;
    });
}

}  // namespace

// The 200 layout splits at "*" too; in the 300 layout "*" belongs to the
// text.
void readPentax200Coordinate(Input& input, ReaderContext& ctx) { readCoordinates(input, ctx, kSeparators, 1); }

void readPentax300Coordinate(Input& input, ReaderContext& ctx) { readCoordinates(input, ctx, kSeparatorsNoStar, 0); }

bool isPentax200CoordinateLine(std::string_view l) { return hasFields(l, kSeparators, "iannn"); }

bool isPentax300CoordinateLine(std::string_view l) { return hasFields(l, kSeparatorsNoStar, "annn"); }

}  // namespace tervan
