// What the three levelling routines share: fixed-column fields and the line
// file, which is never written over its own input.
#pragma once

#include <string>
#include <string_view>

#include "core/output_file.h"
#include "core/program.h"

namespace tervan {

// The characters of line in columns first..last (counted from 1) that the
// line has; empty when the line ends before first.
std::string_view columns(std::string_view line, std::size_t first, std::size_t last);

// The line file of a levelling routine. A file that would replace the input,
// or that cannot be created or written, is reported by finish() at the end
// of the message text, after the rows.
class LevelOutput {
public:
    void open(const std::string& path, const std::string& inputPath);
    [[gnu::format(printf, 2, 3)]] void print(const char* fmt, ...);
    // Closes the file; appends the report line, if any, to program.message
    // and sets program.outputFailed when the file could not be written.
    void finish(Program& program);

private:
    enum class State { Open, IsInput, Failed };
    OutputFile file_;
    std::string path_;
    std::string scratch_;
    State state_ = State::Open;
};

}  // namespace tervan
