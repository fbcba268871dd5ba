// The session: what lives as long as the window (or one run of the command
// line) and every conversion works on. Each conversion returns its own
// result by value (core/result.h); the session keeps only what lasts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/point_store.h"
#include "core/rng.h"
#include "core/settings.h"
#include "levelling/hvsd.h"

namespace tervan {

struct Session {
    Settings settings;

    std::string programFolder;  // ends in the path separator
    std::string iniPath;
    std::string dxfHeaderPath;
    std::string inputPath;      // the current input path

    // The records of the last conversion, the current orientation and the
    // send cursor.
    PointStore store;

    Rng rng;
    std::optional<std::uint32_t> fixedSeed;  // replaces the clock seed (--seed)

    // The H, V, SD error sizes in force; a run takes new ones only from
    // settings that read above 1e-7.
    ErrorSizes errors;
};

// The settings file and the DXF header beside the program: folder ends in
// the path separator.
void setProgramFolder(Session& session, const std::string& folder);

// Seeds the generator from the clock (seconds since the epoch), or from
// fixedSeed when one is set.
void seedFromClock(Session& session);

}  // namespace tervan
