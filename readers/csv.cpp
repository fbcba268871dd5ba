#include "readers/csv.h"

#include <algorithm>

#include "core/mik.h"
#include "core/numbers.h"
#include "readers/line_shapes.h"

namespace tervan {

void splitCsvLine(std::string_view line, std::vector<std::string>& fields) {
    fields.assign(1, std::string());
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"') {
                fields.back() += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
}

// Fields: name, X, Y, Z and the code. The texts are UTF-8 and are kept as
// MIK, the store's code page, so that a list written by Tervan reads back
// as it was.
void readCsv(Input& input, ReaderContext& ctx) {
    std::vector<std::string> f;
    forEachLine(input, ctx.result, [&](std::string_view line) {
        splitCsvLine(line, f);
        f.resize(std::max<std::size_t>(f.size(), 5));
        const double X = toNumber(f[1]), Y = toNumber(f[2]), Z = toNumber(f[3]);
        if (f[0].empty() || (X == 0 && Y == 0 && Z == 0)) return false;
        const std::string name = utf8ToMik(f[0]), code = utf8ToMik(f[4]);
        appendPoint(ctx.store, {.isStation = false,
                                .SN = "#0",
                                .N = name,
                                .code = code,
                                .X = X,
                                .Y = Y,
                                .Z = Z,
                                .IH = 0,
                                .TH = 0,
                                .V = 0,
                                .H = 0,
                                .SD = 0,
                                .Om = ctx.store.orientation});
        return true;
    });
}

bool isCsvLine(std::string_view l) {
    static thread_local std::vector<std::string> f;
    splitCsvLine(l, f);
    if (f.size() != 5) return false;
    if (f[0] == "name" && f[1] == "x" && f[2] == "y" && f[3] == "z" && f[4] == "code") return true;
    return !f[0].empty() && isNumberText(f[1]) && isNumberText(f[2]) && isNumberText(f[3]);
}

}  // namespace tervan
