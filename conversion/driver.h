// The conversion driver: one input file through its model's reader into the
// ticked outputs, and the H, V, SD run over the records of the last
// conversion. These two calls are the whole interface of a conversion.
#pragma once

#include <string>
#include <string_view>

#include "conversion/prompts.h"
#include "conversion/session.h"
#include "core/result.h"

namespace tervan {

// The input path without the extension of its file name (the text after the
// last "\" or "/"). A file name without a ".", or whose only "." is its first
// character, keeps the whole path.
std::string outputBaseName(std::string_view path);

// What File/Open followed by "OK" runs: path becomes the current input path,
// the store is emptied and refilled by the reader of the session's Model,
// and the outputs are written next to the input (a levelling model writes
// its own line file). prompts answers the Calc BFFB line dialog. With Model
// "auto" the model that fits the input best becomes Model first (the result
// names it); when none fits, nothing is read or written.
Result convert(Session& session, const std::string& path, Prompts& prompts);

// The three texts of the Calculate H, V, SD dialog.
struct HvsdSizes {
    std::string dSD, dH, dV;
};

// The "C&alcHVSD" command after its dialog: stores the three texts in dSD,
// dH and dV, recomputes the observations of the records of the last
// conversion and writes the outputs again. The coordinates are those of that
// conversion, offsets and scale included, so neither step runs again.
Result recalculateHvsd(Session& session, const HvsdSizes& sizes);

}  // namespace tervan
