#include "writers/kor_dpi.h"

#include "writers/formats.h"

namespace tervan {
namespace {

using namespace formats;

// The last record's line is closed as a station closes the line before it.
constexpr const char* kDpiTrailer = " *\n";

// The office software wants full coordinates; instruments often store only
// the trailing digits, so the missing leading digits of this region are put
// back, each step tested on the value raised by the steps before it.
double completeX(double x) {
    if (x < 10000) x += 50000;
    if (x < 100000) x += 700000;
    if (x < 1000000) x += 4000000;
    return x;
}

double completeY(double y) {
    if (y < 10000) y += 80000;
    if (y < 100000) y += 400000;
    if (y < 1000000) y += 9000000;
    return y;
}

}  // namespace

void writeDpi(OutputFile& out, const PointList& points, const Settings& s) {
    // The third header line stays open: the first station record ends it with " *".
    out.write(s.DpiLine1 + "\n" + s.DpiLine2 + "\n" + s.DpiLine3);
    for (const Point& p : points) {
        if (p.isStation)
            out.print(kDpiStation, p.SN, p.IH, p.N, p.TH, p.H, p.V, p.SD);
        else if (p.H != 0.0 || p.V != 0.0 || p.SD != 0.0)
            out.print(kDpiObservation, p.N, p.TH, p.H, p.V, p.SD);
    }
    out.write(kDpiTrailer);
}

void writeKor(OutputFile& out, const PointList& points, const Settings& s) {
    // The third header line has the layout of a point record (named 1970);
    // it is a header line all the same and written as it stands.
    out.write(s.KorLine1 + "\n" + s.KorLine2 + "\n" + s.KorLine3 + "\n");
    for (const Point& p : points)
        if (!isZeroPoint(p)) out.print(kKorPoint, p.N, completeX(p.X), completeY(p.Y), p.Z);
}

}  // namespace tervan
