// The model registry: one row per instrument model, in the order of the
// model combo box, mapping the name to its reader.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/program.h"

namespace tervan {

// What a point reader gets: the store to append to, the counters of the
// conversion summary and the settings (the coordinate list reader looks at
// Model). Result: 0 read to the end, 1 the file cannot be opened.
struct ReaderContext {
    PointStore& store;
    ReadStats& stats;
    const Settings& settings;
};
using PointReader = int (*)(const std::string& path, ReaderContext& ctx);

// A levelling routine writes its own line file and message text.
using LevelRoutine = int (*)(Program& program, const std::string& path, const std::string& baseName);

struct ModelEntry {
    const char* name;
    PointReader read;    // point models
    LevelRoutine level;  // digital-level models
};

// Every model, in the order the Settings dialog offers them.
std::span<const ModelEntry> models();

// The entry whose name equals model byte for byte; nullptr when none.
const ModelEntry* findModel(std::string_view model);

bool isLevelModel(std::string_view model);

}  // namespace tervan
