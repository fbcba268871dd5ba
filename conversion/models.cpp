#include "conversion/models.h"

#include <array>

#include "conversion/line_shapes.h"
#include "core/text.h"
#include "levelling/bffb.h"
#include "levelling/level_lines.h"
#include "readers/coordlist.h"
#include "readers/geodimeter.h"
#include "readers/gsi.h"
#include "readers/gts7.h"
#include "readers/kolida.h"
#include "readers/leica.h"
#include "readers/m5.h"
#include "readers/pentax.h"
#include "readers/zeiss.h"

namespace tervan {
namespace {

// The fields of each delimited list ('a' any text, 'n' a number, 'i' a
// whole number, '*' the mark "*"; see hasFields).
bool isLeicaLine(std::string_view l) { return hasFields(l, kListSeparators, "annnnnnnn"); }  // name H V SD TH IH Y X Z
bool isPentax200PolarLine(std::string_view l) { return hasFields(l, kSeparators, "aa", 1); }  // tag value
bool isPentax300PolarLine(std::string_view l) { return hasFields(l, kSeparatorsNoStar, "aa", 1); }
bool isPentax200CoordinateLine(std::string_view l) { return hasFields(l, kSeparators, "iannn"); }  // number name X Y Z
bool isPentax300CoordinateLine(std::string_view l) { return hasFields(l, kSeparatorsNoStar, "annn"); }
// name X Y Z (Y X Z), or with station, IH and TH, and a second-face "*"
bool isCoordinateListLine(std::string_view l) {
    return hasFields(l, kListSeparators, "annn") || hasFields(l, kListSeparators, "annnann*", 7);
}
// number, class, X, Y, class, height, and up to four accuracy figures
bool isKorLine(std::string_view l) { return hasFields(l, kListSeparators, "ainninnnnn", 6); }

// The combo box order; of two models that detection cannot tell apart, the
// first is taken.
const std::array kModels = {
    ModelEntry{.name = "Zeiss3303", .read = readZeiss3303, .isLine = isZeissLine},
    ModelEntry{.name = "Leica1200", .read = readLeica1200, .isLine = isLeicaLine},
    ModelEntry{.name = "Pentax200Polar", .read = readPentax200Polar, .isLine = isPentax200PolarLine},
    ModelEntry{.name = "Pentax200Coordinate", .read = readPentax200Coordinate, .isLine = isPentax200CoordinateLine},
    ModelEntry{.name = "Pentax300Polar", .read = readPentax300Polar, .isLine = isPentax300PolarLine},
    ModelEntry{.name = "Pentax300Coordinate", .read = readPentax300Coordinate, .isLine = isPentax300CoordinateLine},
    ModelEntry{.name = "Kolida300Polar", .read = readKolida300Polar, .blockMark = '_'},
    ModelEntry{.name = "Kolida440", .read = readKolida440},
    ModelEntry{.name = "DNA8", .level = reduceDna8, .lineSuffix = ".dat"},
    ModelEntry{.name = "Dini USB", .level = reduceDiniUsb, .lineSuffix = "_.dat"},
    ModelEntry{
        .name = "Dini BF", .level = calculateBffb, .lineSuffix = "_.dat", .asksBffb = true, .isLine = isLevelLine},
    ModelEntry{.name = "nxyz", .read = readNxyz, .isLine = isCoordinateListLine},
    ModelEntry{.name = "nyxz", .read = readNyxz, .isLine = isCoordinateListLine},
    ModelEntry{.name = "kor", .read = readKor, .isLine = isKorLine},
    ModelEntry{.name = "GSI", .read = readGsi},
    ModelEntry{.name = "M5", .read = readM5},
    ModelEntry{.name = "Geodimeter", .read = readGeodimeter},
    ModelEntry{.name = "GTS7", .read = readGts7},
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
