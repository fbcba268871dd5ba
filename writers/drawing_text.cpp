#include "writers/drawing_text.h"

#include "core/numbers.h"
#include "core/printf.h"

namespace tervan {
namespace {

constexpr const char* kLevelMillimetres = "%0.0f";
constexpr const char* kLevelThreeDecimals = "%0.3f";
constexpr const char* kLevelTwoDecimals = "%0.2f";

}  // namespace

double textHeight(const Settings& settings) {
    double height = toNumber(settings.LetterSize);
    return height == 0 ? 0.5 : height;
}

std::string levelText(double z, const Settings& settings) {
    if (settings.x1000) return strf(kLevelMillimetres, z);
    if (settings.Z000) return strf(kLevelThreeDecimals, z);
    return strf(kLevelTwoDecimals, z);
}

}  // namespace tervan
