#include "conversion/observation_table.h"

#include <algorithm>
#include <string_view>

#include "core/printf.h"

namespace tervan {
namespace {

constexpr const char* kColumns = "SN,\tIH,\tN,\tTH,\tH,\tV,\tSD,\tX,\t\tY,\tZ,\tOm\r\n";
// When coordinates were computed (ComputeXYZ), a last column says which,
// so that nobody takes them for measured ones.
constexpr const char* kColumnsComputed = "SN,\tIH,\tN,\tTH,\tH,\tV,\tSD,\tX,\t\tY,\tZ,\tOm,\tXYZ\r\n";
constexpr const char* kComputed = "\tcomputed";
// When any record has a code, a last column holds it (after XYZ, which
// every row then fills, so that the codes stand in one column).
constexpr const char* kCodeColumn = ",\tCode";
// The marker stands before the line break, so each line ends with the
// marker of the row below it.
constexpr const char* kRow = "%s\r\n%s\t%4.3f\t%s\t%4.3f\t%7.4f\t%7.4f\t%9.3f\t% 10.3f\t% 10.3f\t%6.3f\t%6.3f";

}  // namespace

void buildObservationTable(std::string& text, std::string_view inputPath, const PointList& points) {
    text.clear();
    text.reserve(points.size() * 96 + 128);
    text += '<';
    text += inputPath;
    text += ">\r\n";
    const bool anyComputed = std::any_of(points.begin(), points.end(), [](const Point& p) { return p.computed; });
    const bool anyCode = std::any_of(points.begin(), points.end(), [](const Point& p) { return !p.code.empty(); });
    std::string_view columns = anyComputed ? kColumnsComputed : kColumns;
    if (anyCode) {
        columns.remove_suffix(2);  // the line break
        text += columns;
        text += kCodeColumn;
        text += "\r\n";
    } else {
        text += columns;
    }
    for (const Point& p : points) {
        appendf(text, kRow, p.isStation ? "  *" : "   ", p.SN.c_str(), p.IH, p.N.c_str(), p.TH, p.H, p.V, p.SD, p.X,
                p.Y, p.Z, p.Om);
        if (p.computed) {
            text += kComputed;
        } else if (anyCode && anyComputed) {
            text += '\t';
        }
        if (anyCode) {
            text += '\t';
            text += p.code;
        }
    }
}

}  // namespace tervan
