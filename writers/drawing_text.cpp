#include "writers/drawing_text.h"

#include "core/numbers.h"
#include "writers/formats.h"

namespace tervan {

double textHeight(const Settings& settings) {
    double height = toNumber(settings.LetterSize);
    return height == 0 ? 0.5 : height;
}

void appendLevelText(std::string& out, double z, const Settings& settings) {
    using namespace formats;
    if (settings.x1000)
        kLevelMillimetres.append(out, z);
    else if (settings.Z000)
        kLevelThreeDecimals.append(out, z);
    else
        kLevelTwoDecimals.append(out, z);
}

std::string levelText(double z, const Settings& settings) {
    std::string out;
    appendLevelText(out, z, settings);
    return out;
}

}  // namespace tervan
