#include "conversion/models.h"

#include <array>

#include "levelling/bffb.h"
#include "levelling/level_lines.h"
#include "readers/coordlist.h"
#include "readers/gsi.h"
#include "readers/kolida.h"
#include "readers/leica.h"
#include "readers/pentax.h"
#include "readers/zeiss.h"

namespace tervan {
namespace {

// The combo box order.
const std::array kModels = {
    ModelEntry{.name = "Zeiss3303", .read = readZeiss3303},
    ModelEntry{.name = "Leica1200", .read = readLeica1200},
    ModelEntry{.name = "Pentax200Polar", .read = readPentax200Polar},
    ModelEntry{.name = "Pentax200Coordinate", .read = readPentax200Coordinate},
    ModelEntry{.name = "Pentax300Polar", .read = readPentax300Polar},
    ModelEntry{.name = "Pentax300Coordinate", .read = readPentax300Coordinate},
    ModelEntry{.name = "Kolida300Polar", .read = readKolida300Polar},
    ModelEntry{.name = "Kolida440", .read = readKolida440},
    ModelEntry{.name = "DNA8", .level = reduceDna8, .lineSuffix = ".dat"},
    ModelEntry{.name = "Dini USB", .level = reduceDiniUsb, .lineSuffix = "_.dat"},
    ModelEntry{.name = "Dini BF", .level = calculateBffb, .lineSuffix = "_.dat", .asksBffb = true},
    ModelEntry{.name = "nxyz", .read = readNxyz},
    ModelEntry{.name = "nyxz", .read = readNyxz},
    ModelEntry{.name = "kor", .read = readKor},
    ModelEntry{.name = "GSI", .read = readGsi},
};

}  // namespace

std::span<const ModelEntry> models() { return kModels; }

const ModelEntry* findModel(std::string_view model) {
    for (const auto& m : kModels)
        if (model == m.name) return &m;
    return nullptr;
}

bool isLevelModel(std::string_view model) {
    const ModelEntry* m = findModel(model);
    return m && m->level;
}

}  // namespace tervan
