#include "writers/drawing_text.h"

#include "core/numbers.h"
#include "writers/formats.h"

namespace tervan {

double textHeight(const Settings& settings) {
    double height = toNumber(settings.LetterSize);
    return height == 0 ? 0.5 : height;
}

namespace {

const Format<double>& levelFormat(const Settings& settings) {
    using namespace formats;
    return settings.x1000 ? kLevelMillimetres : settings.Z000 ? kLevelThreeDecimals : kLevelTwoDecimals;
}

}  // namespace

std::string_view writeLevelText(char* room, double z, const Settings& settings, bool nearest) {
    static_assert(formats::kLevelMillimetres.bound(0.0) <= kLevelRoom &&
                  formats::kLevelThreeDecimals.bound(0.0) <= kLevelRoom &&
                  formats::kLevelTwoDecimals.bound(0.0) <= kLevelRoom);
    return {room, static_cast<std::size_t>(levelFormat(settings).writeRounded(room, false, nearest, z) - room)};
}

bool levelIsElevation(const Settings& settings) { return &levelFormat(settings) == &formats::kLevelThreeDecimals; }

std::string levelText(double z, const Settings& settings) {
    std::string out;
    levelFormat(settings).append(out, z);
    return out;
}

}  // namespace tervan
