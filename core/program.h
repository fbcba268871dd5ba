// Program-wide state: everything that lives from start-up to the end of the
// program, owned by the front end (the window or the command line) and lent
// to the core's routines.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/point_store.h"
#include "core/rng.h"
#include "core/settings.h"

namespace tervan {

// The four fields of the Calc BFFB line dialog, as typed.
struct BffbParams {
    std::string reading = "2.0";  // "R ± 0.00001 m x "
    std::string distance = "5.0"; // "HD ± 0.001 m x "
    std::string first = "1";      // "Numeration 1"
    std::string line = "1";       // "Line No"
};

// What the last reader saw, for the conversion summary.
struct ReadStats {
    long linesRead = 0;
    long linesIgnored = 0;  // lines (or, in a word stream, blocks) that matched no rule
    long rowsWritten = 0;   // levelling routines: rows of the line file
    bool openFailed = false;
};

struct Program {
    Settings settings;
    PointStore store;

    std::string programFolder;  // ends in the path separator
    std::string iniPath;
    std::string dxfHeaderPath;
    std::string inputPath;      // the current input path

    std::string message;        // the text of the main window's message area
    std::string summary;        // the last conversion in one line, for status line 3

    // Error sizes of the H, V, SD calculation: distance, horizontal, vertical.
    double errorSD = 2.0;
    double errorH = 50.0;
    double errorV = 50.0;
    bool hvsdRun = false;       // set by the H, V, SD command for one driver call

    Rng rng;
    std::optional<std::uint32_t> fixedSeed;  // replaces the clock seed (--seed)

    // Asks the user for the BFFB line parameters; false when cancelled.
    // Without one, the defaults are taken.
    std::function<bool(BffbParams&)> askBffb;

    ReadStats stats;
    bool outputFailed = false;  // an output of the last conversion could not be written
};

// Seeds the generator from the clock (seconds since the epoch), or from
// fixedSeed when one is set.
void seedFromClock(Program& program);

// Appends one report line to the message text.
void appendReport(std::string& message, const std::string& line);

}  // namespace tervan
