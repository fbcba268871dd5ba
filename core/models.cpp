#include "core/models.h"

#include <array>

#include "levelling/bffb.h"
#include "levelling/level_lines.h"
#include "readers/leica.h"

namespace tervan {
namespace {

// The combo box order. A model whose reader is null behaves like an
// unknown one.
const std::array<ModelEntry, 14> kModels = {{
    {"Zeiss3303", nullptr, nullptr},
    {"Leica1200", readLeica1200, nullptr},
    {"Pentax200Polar", nullptr, nullptr},
    {"Pentax200Coordinate", nullptr, nullptr},
    {"Pentax300Polar", nullptr, nullptr},
    {"Pentax300Coordinate", nullptr, nullptr},
    {"Kolida300Polar", nullptr, nullptr},
    {"Kolida440", nullptr, nullptr},
    {"DNA8", nullptr, reduceDna8},
    {"Dini USB", nullptr, reduceDiniUsb},
    {"Dini BF", nullptr, calculateBffb},
    {"nxyz", nullptr, nullptr},
    {"nyxz", nullptr, nullptr},
    {"kor", nullptr, nullptr},
}};

}  // namespace

std::span<const ModelEntry> models() { return kModels; }

const ModelEntry* findModel(std::string_view model) {
    for (const auto& m : kModels)
        if (model == m.name) return (m.read || m.level) ? &m : nullptr;
    return nullptr;
}

bool isLevelModel(std::string_view model) { return model == "DNA8" || model == "Dini USB" || model == "Dini BF"; }

}  // namespace tervan
