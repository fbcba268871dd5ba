#include "core/models.h"

#include <array>

#include "levelling/bffb.h"
#include "levelling/level_lines.h"
#include "readers/coordlist.h"
#include "readers/kolida.h"
#include "readers/leica.h"
#include "readers/pentax.h"
#include "readers/zeiss.h"

namespace tervan {
namespace {

// The combo box order. A model whose reader is null behaves like an
// unknown one.
const std::array<ModelEntry, 14> kModels = {{
    {"Zeiss3303", readZeiss3303, nullptr},
    {"Leica1200", readLeica1200, nullptr},
    {"Pentax200Polar", readPentax200Polar, nullptr},
    {"Pentax200Coordinate", readPentax200Coordinate, nullptr},
    {"Pentax300Polar", readPentax300Polar, nullptr},
    {"Pentax300Coordinate", readPentax300Coordinate, nullptr},
    {"Kolida300Polar", readKolida300Polar, nullptr},
    {"Kolida440", readKolida440, nullptr},
    {"DNA8", nullptr, reduceDna8},
    {"Dini USB", nullptr, reduceDiniUsb},
    {"Dini BF", nullptr, calculateBffb},
    {"nxyz", readCoordinateList, nullptr},
    {"nyxz", readCoordinateList, nullptr},
    {"kor", readKor, nullptr},
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
