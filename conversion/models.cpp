#include "conversion/models.h"

#include <array>
#include <string>
#include <vector>

#include "levelling/bffb.h"
#include "levelling/level_lines.h"
#include "readers/coordlist.h"
#include "readers/csv.h"
#include "readers/geodimeter.h"
#include "readers/gsi.h"
#include "readers/gts7.h"
#include "readers/kolida300.h"
#include "readers/kolida440.h"
#include "readers/leica.h"
#include "readers/line_shapes.h"
#include "readers/m5.h"
#include "readers/nikon.h"
#include "readers/pentax_coordinate.h"
#include "readers/pentax_polar.h"
#include "readers/rw5.h"
#include "readers/sdr.h"
#include "readers/zeiss.h"

namespace tervan {
namespace {

// The combo box order; of two models that detection cannot tell apart, the
// first is taken.
const std::array kModels = {
    pointModel(kZeiss3303Model),
    pointModel(kLeica1200Model),
    pointModel(kPentax200PolarModel),
    pointModel(kPentax200CoordinateModel),
    pointModel(kPentax300PolarModel),
    pointModel(kPentax300CoordinateModel),
    pointModel(kKolida300PolarModel),
    pointModel(kKolida440Model),
    ModelEntry{.name = "DNA8",
               .level = reduceDna8,
               .lineSuffix = ".dat",
               .reads = "digital level recordings in GSI words, reduced into levelling lines"},
    ModelEntry{.name = "Dini USB",
               .level = reduceDiniUsb,
               .lineSuffix = "_.dat",
               .reads = "digital level M5 recordings (Rb, Rf, Db, Sh lines), reduced into levelling lines"},
    ModelEntry{.name = "Dini BF",
               .level = calculateBffb,
               .lineSuffix = "_.dat",
               .asksBffb = true,
               .isLine = isLevelLine,
               .reads = "levelling lines (our own line files): a BFFB line with random errors"},
    pointModel(kNxyzModel),
    pointModel(kNyxzModel),
    pointModel(kKorModel),
    pointModel(kGsiModel),
    pointModel(kSdrModel),
    pointModel(kNikonRawModel),
    pointModel(kRw5Model),
    pointModel(kM5Model),
    pointModel(kGeodimeterModel),
    pointModel(kGts7Model),
    pointModel(kCsvModel),
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
