// The output set: the coordinate offset step, the scale step, the
// observation table and every ticked writer, in a fixed order.
#pragma once

#include <span>
#include <string>

#include "core/program.h"

namespace tervan {

// Writes one output file. Returns false when it could not be written, with
// one line for the message text in report.
using Writer = bool (*)(const std::string& path, const Program& program, std::string& report);

struct OutputEntry {
    int Settings::*flag;
    const char* suffix;
    Writer write;
    // The DXF drawing: this suffix instead when the setting is set.
    int Settings::*variant = nullptr;
    const char* variantSuffix = nullptr;
};

// The suffix the settings choose for an output.
const char* outputSuffix(const OutputEntry& entry, const Settings& settings);

// The outputs in the order they are written (the DXF drawing last).
std::span<const OutputEntry> outputs();

// Adds X0, Y0, Z0 to every point that is not a zero point.
void applyOffsets(Program& program);

// Whether writeOutputs runs the scale step: an H, V, SD run works on
// coordinates that were scaled already.
enum class ScaleStep { Apply, Skip };

// Scales (x1000), rebuilds the observation table into the message text and
// writes every ticked output next to baseName. An output whose path is the
// input path is not written; an output that cannot be written is reported
// in the message text and in program.outputFailed, and the others are still
// written.
void writeOutputs(Program& program, const std::string& inputPath, const std::string& baseName,
                  ScaleStep scale = ScaleStep::Apply);

// The report line for a file that could not be written.
std::string cannotWrite(const std::string& path, const std::string& reason);

// True when path names the input file itself (also through another spelling
// or a link).
bool isInputFile(const std::string& path, const std::string& inputPath);

// The report line for an output that would replace its own input.
std::string notWrittenInput(const std::string& path);

}  // namespace tervan
