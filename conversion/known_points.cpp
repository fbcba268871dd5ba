#include "conversion/known_points.h"

#include "conversion/models.h"
#include "core/input.h"

namespace tervan {
namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

}  // namespace

const char* knownPointsModel(std::string_view path) {
    auto slash = path.find_last_of("\\/");
    const std::string name = lowerCase(slash == std::string_view::npos ? path : path.substr(slash + 1));
    if (name.ends_with(".kor")) return "kor";
    if (name.find("nyxz") != std::string::npos) return "nyxz";
    return "nxyz";
}

bool readKnownPoints(const std::string& path, PointStore& known, std::string& error) {
    clearStore(known);
    std::string bytes;
    if (!readWholeFile(path, bytes, error)) return false;
    Input input(bytes);
    Result counts;
    ReaderContext ctx{known, counts};
    findModel(knownPointsModel(path))->read(input, ctx);
    return true;
}

}  // namespace tervan
