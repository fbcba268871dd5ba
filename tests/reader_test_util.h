// Running a point reader over bytes, and a one-line picture of a record for
// table-driven comparisons.
#pragma once

#include <string>
#include <vector>

#include "core/printf.h"
#include "readers/reader.h"
#include "test_util.h"

namespace tervan::test {

// The records with their names, which live as long as the result.
struct ReadResult {
    PointList points;
    Result counts;
};

inline ReadResult readBytes(PointReader reader, const std::string& bytes) {
    Input input(bytes);
    ReadResult r;
    PointStore store;
    ReaderContext ctx{store, r.counts};
    reader(input, ctx);
    r.points = std::move(store.points);
    return r;
}

// "SN N isStation IH TH H V SD X Y Z faceTwo", numbers in %.10g.
inline std::string picture(const Point& p) {
    return strf("%s %s %d %.10g %.10g %.10g %.10g %.10g %.10g %.10g %.10g %d", p.SN.c_str(), p.N.c_str(), p.isStation,
                p.IH, p.TH, p.H, p.V, p.SD, p.X, p.Y, p.Z, p.faceTwo);
}

inline std::vector<std::string> pictures(const PointList& points) {
    std::vector<std::string> out;
    for (const auto& p : points) out.push_back(picture(p));
    return out;
}

}  // namespace tervan::test
