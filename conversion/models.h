// The model registry: one row per instrument model, in the order of the
// model combo box, mapping the name to its reader or levelling routine. A
// point model's row is kept beside its reader (readers/reader.h) and listed
// here by one line.
#pragma once

#include <span>
#include <string_view>

#include "levelling/level_job.h"
#include "readers/reader.h"

namespace tervan {

struct ModelEntry {
    const char* name;
    PointReader read = nullptr;    // point models
    LevelRoutine level = nullptr;  // digital-level models: they write a line file of their own
    const char* lineSuffix = nullptr;  // the line file's suffix on the base name
    bool asksBffb = false;         // the Calc BFFB line values are asked first

    // Format detection (conversion/detect.h), as in ReaderModel.
    bool (*isLine)(std::string_view line) = nullptr;
    char blockMark = 0;

    // What the model reads and the models detection cannot tell it from, as
    // in ReaderModel.
    const char* reads = "";
    const char* alike = "";
};

// The row of a point model.
constexpr ModelEntry pointModel(const ReaderModel& m) {
    return {.name = m.name,
            .read = m.read,
            .isLine = m.isLine,
            .blockMark = m.blockMark,
            .reads = m.reads,
            .alike = m.alike};
}

// Every model, in the order the Settings dialog offers them.
std::span<const ModelEntry> models();

// The entry whose name equals model byte for byte; nullptr when none.
const ModelEntry* findModel(std::string_view model);

// "DNA8", "Dini USB" and "Dini BF": the models with a levelling routine.
bool isLevelModel(std::string_view model);

}  // namespace tervan
