// Running a point reader over bytes, and a one-line picture of a record for
// table-driven comparisons.
#pragma once

#include <string>
#include <vector>

#include "core/models.h"
#include "core/printf.h"
#include "test_util.h"

namespace tervan::test {

struct ReadResult {
    int status = 0;
    std::vector<Point> points;
    ReadStats stats;
};

inline ReadResult readBytes(PointReader reader, const std::string& bytes, const std::string& model = "") {
    ScratchDir dir;
    std::string path = dir.file("in.txt");
    writeFile(path, bytes);
    Program program;
    if (!model.empty()) program.settings.Model = model;
    ReaderContext ctx{program.store, program.stats, program.settings};
    ReadResult r;
    r.status = reader(path, ctx);
    r.points = program.store.points;
    r.stats = program.stats;
    return r;
}

// "SN N isStation IH TH H V SD X Y Z faceTwo", numbers in %.10g.
inline std::string picture(const Point& p) {
    return strf("%s %s %d %.10g %.10g %.10g %.10g %.10g %.10g %.10g %.10g %d", p.SN.c_str(), p.N.c_str(), p.isStation,
                p.IH, p.TH, p.H, p.V, p.SD, p.X, p.Y, p.Z, p.faceTwo);
}

inline std::vector<std::string> pictures(const std::vector<Point>& points) {
    std::vector<std::string> out;
    for (const auto& p : points) out.push_back(picture(p));
    return out;
}

}  // namespace tervan::test
