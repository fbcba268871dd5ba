// What a levelling routine gets: the recording, opened by the conversion
// layer; the line file, opened by the output set (it takes nothing when the
// file was refused or could not be created, and the output set reports
// that); and the result its message text and counts go to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/input.h"
#include "core/output_file.h"
#include "core/result.h"
#include "core/rng.h"
#include "levelling/level_closure.h"
#include "levelling/level_row.h"

namespace tervan {

// The four fields of the Calc BFFB line dialog, as typed.
struct BffbParams {
    std::string reading = "2.0";  // "R ± 0.00001 m x "
    std::string distance = "5.0"; // "HD ± 0.001 m x "
    std::string first = "1";      // "Numeration 1"
    std::string line = "1";       // "Line No"
};

struct LevelJob {
    Input& input;
    OutputFile& lineFile;
    Result& result;
    std::string_view inputPath;  // the heading of the message text
    Rng& rng;                    // the BFFB line's random errors
    BffbParams bffb;             // the BFFB line's values
    // The lines as the reduction met them, for their closure (DNA8).
    std::vector<LevelLine> lines = {};
};

using LevelRoutine = void (*)(LevelJob& job);

// How a routine hands its rows over: each numbered in turn, stamped with
// the layout and the current line, written to the line file, the message
// text and the grid, and counted.
struct LevelRows {
    LevelJob& job;
    LevelLayout layout;
    int next = 1;          // the number of the next row
    int line = 0;          // the current line (DNA8)
    std::string lineText;  // the current line as text (BFFB, Dini)

    void put(LevelRow row) {
        row.layout = layout;
        row.row = next++;
        row.line = line;
        row.lineText = lineText;
        writeLevelRow(job.lineFile, row);
        appendLevelRow(job.result.message, row);
        addLevelRow(job.result, row);
        ++job.result.rowsWritten;
    }
};

}  // namespace tervan
