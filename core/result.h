// What one conversion did, returned by value: the readers and the levelling
// routines fill the counts and the message text, the output set one report
// per output, the driver the outcome and the summary.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tervan {

enum class OutputStatus {
    Written,
    IsInput,  // not written: it would replace one of the files the run reads
    Failed,   // could not be created or written; reason says why
    Kept,     // not replaced: another output of the run could not be written
};

struct OutputReport {
    std::string path;
    OutputStatus status = OutputStatus::Written;
    std::string reason;
};

enum class Outcome {
    Done,
    CannotRead,   // the input could not be read: nothing was written
    NoReader,     // Model names no reader, or with "auto" no model fits: nothing was read or written
    Refused,      // a value given for the run cannot be used: nothing was written
    NothingFound,  // the reader took no record from the input: nothing was written
    Cancelled,    // the user cancelled a prompt: nothing was read or written
    NothingToDo,  // H, V, SD with nothing to compute
};

// How a levelling line closed on its known heights.
enum class Closing { NotClosed, Within, Over };

struct LineClosure {
    std::string summary;  // "line 1: 0.412 km, 6 set-ups, misclosure +3.2 mm, ..."
    Closing closing = Closing::NotClosed;
};

// A point of a levelling line as the profile of the line draws it.
struct ProfilePoint {
    std::string name;
    double distance = 0;  // m from the line's start, along the sights
    double height = 0;    // m, the level's (moved onto the start benchmark where the line was)
    std::size_t row = 0;  // the levelling row that gave its height
    bool intermediate = false;
    bool benchmark = false;  // its height is known
    // A turning point: the set-up whose fore sight took it, at this distance
    // and with its line of sight at this height (m).
    bool fore = false;
    double setUpAt = 0;
    double sightHeight = 0;
};

// A levelling line: its points in the order met, the start point first.
struct LineProfile {
    int number = 0;
    std::size_t firstRow = 0;  // its first levelling row
    std::vector<ProfilePoint> points;
    LineClosure closure;
    std::size_t closingPoint = 0;  // the point it closes on, when it closes
    double misclosure = 0;         // m, measured - known there
};

struct Result {
    Outcome outcome = Outcome::Done;
    // The message text: the observation table or the levelling rows, then a
    // line for every output that was not written.
    std::string message;
    // Whether the message text shown before stays instead (an unknown model,
    // a cancelled prompt, H, V, SD for a levelling model).
    bool keepMessage = false;
    std::string summary;  // one line, for status line 3
    // The message text begins with the observation table of the point store
    // (a front end may show the store's rows instead).
    bool observationTable = false;
    // Levelling routines: each row of the line file as ten tab-separated
    // cells (levelling/level_row.h), for a front end's grid.
    std::vector<std::string> levelRows;
    // Levelling routines: each line's closure on the benchmarks.
    std::vector<LineClosure> closures;
    // Levelling routines: every line reduced, closed or not, for a profile.
    std::vector<LineProfile> profiles;
    // Model "auto": the model detected and used, and the others that fit
    // the input as well.
    std::string detected;
    std::vector<std::string> alsoFits;

    long linesRead = 0;
    long linesIgnored = 0;  // lines (or, in a word stream, blocks) that matched no rule
    long rowsWritten = 0;   // levelling routines: rows of the line file
    std::size_t points = 0;    // records in the store afterwards
    std::size_t computed = 0;  // H, V, SD: records whose observations were computed
    // ComputeXYZ: why the list of known points could not be read; "" when it
    // was, or when none is set.
    std::string knownPointsError;
    // What the reader converted from the file's own units, one line each
    // ("angles in degrees converted to gon"); the message text says it
    // after the observation table.
    std::vector<std::string> conversions;
    // What the user must not miss although the conversion was done
    // (stations without orientation, points placed twice far apart), one
    // short line each; the message text says it in full.
    std::vector<std::string> warnings;
    std::vector<OutputReport> outputs;

    // Whether an output was left unwritten: it could not be written, or it
    // was refused because it would have replaced the input. Either way the
    // user does not get a file that was asked for.
    bool outputFailed() const {
        for (const auto& o : outputs)
            if (o.status != OutputStatus::Written) return true;
        return false;
    }
};

// Appends one report line to a message text.
inline void appendReport(std::string& message, const std::string& line) {
    if (!message.empty()) message += "\r\n";
    message += line;
}

}  // namespace tervan
