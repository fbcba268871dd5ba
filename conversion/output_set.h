// The output set: the coordinate offset step, the scale step, the
// observation table and every ticked writer, in a fixed order. It is the one
// place where output files are opened, refused and closed: the writers and
// the levelling routines are handed an open file.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/session.h"
#include "core/files.h"
#include "core/output_file.h"
#include "core/result.h"

namespace tervan {

using Writer = void (*)(OutputFile& out, const PointList& points, const Settings& settings);
// The DXF drawing also gets the lines of the DXF header file.
using DrawingWriter = void (*)(OutputFile& out, const PointList& points, const Settings& settings,
                               std::span<const std::string> header);

struct OutputEntry {
    int Settings::*flag;
    const char* suffix;
    Writer write = nullptr;
    // The DXF drawing: this suffix instead when the setting is set.
    int Settings::*variant = nullptr;
    const char* variantSuffix = nullptr;
    DrawingWriter drawing = nullptr;
};

// The suffix the settings choose for an output.
const char* outputSuffix(const OutputEntry& entry, const Settings& settings);

// The outputs in the order they are written (the DXF drawing last).
std::span<const OutputEntry> outputs();

// The lines of a DXF header file's bytes, as the drawing copies them. A
// last line without its line feed (as many editors save it) counts like the
// others.
std::vector<std::string> dxfHeaderLines(std::string_view bytes);

// Adds X0, Y0, Z0 to every point that is not a zero point.
void applyOffsets(PointStore& store, const Settings& settings);

// Whether writeOutputs runs the scale step: an H, V, SD run works on
// coordinates that were scaled already.
enum class ScaleStep { Apply, Skip };

// A file the run reads, by identity, and what it is ("it is the input
// file"): no output may take its place.
struct ReadFile {
    FileId id;
    const char* what;
};

// The files a run of the session reads that exist: the input, the list of
// known points, the settings file and the DXF header.
std::vector<ReadFile> filesRead(const Session& session);

// What path is when it names one of the files read (also through another
// spelling, a hard link or a symbolic link); nullptr when none.
const char* readByRun(const std::string& path, const std::vector<ReadFile>& read);
const char* readByRun(const FileId& id, const std::vector<ReadFile>& read);

// The line of the message text when a run's outputs were left as they were.
inline constexpr const char* kNothingReplaced =
    "no output replaced: the files of the last conversion stay as they were";

// Scales (x1000), rebuilds the observation table into the message text
// (unless the session does without it) and writes every ticked output next
// to baseName, side by side on the session's writer threads, recording each
// in the result in the outputs' order.
// Every output is written to a temporary file first and put in its place
// once all of them are whole. An output that names one of the files the
// run reads, or that cannot be begun (a folder in its place), is not
// written and the others are; when one cannot be written whole (a full
// disk), none is replaced.
void writeOutputs(Session& session, const std::string& baseName, Result& result, ScaleStep scale = ScaleStep::Apply);

// Stages path for writing unless it names one of the files read. The
// report says what happened so far.
OutputReport openOutput(OutputFile& file, const std::string& path, const std::vector<ReadFile>& read);

// The line of the message text for an output that was not written.
std::string reportLine(const OutputReport& report);

// Closes the file; the report then also says whether everything was
// written.
OutputReport closeOutput(OutputFile& file, OutputReport report);

// Records what became of an output: in the result's list of outputs, and as
// a line of the message text when it was not written.
void recordOutput(OutputReport report, Result& result);

// Closes the file, puts it in its place and records what became of it: in
// the result's list of outputs, and as a line of the message text when it
// was not written.
void finishOutput(OutputFile& file, OutputReport report, Result& result);

}  // namespace tervan
