#include "levelling/level_output.h"

#include <cstdarg>

#include "core/printf.h"
#include "writers/output_set.h"

namespace tervan {

std::string_view columns(std::string_view line, std::size_t first, std::size_t last) {
    // An empty view into the line, never a null one: the number conversion
    // copies from data().
    if (first > line.size()) return line.substr(line.size());
    return line.substr(first - 1, last - first + 1);
}

void LevelOutput::open(const std::string& path, const std::string& inputPath) {
    path_ = path;
    if (isInputFile(path, inputPath))
        state_ = State::IsInput;
    else
        state_ = file_.create(path) ? State::Open : State::Failed;
}

void LevelOutput::print(const char* fmt, ...) {
    if (state_ != State::Open) return;
    scratch_.clear();
    va_list args;
    va_start(args, fmt);
    vappendf(scratch_, fmt, args);
    va_end(args);
    file_.write(scratch_);
}

void LevelOutput::finish(Program& program) {
    if (state_ == State::Open && !file_.close()) state_ = State::Failed;
    if (state_ == State::IsInput) appendReport(program.message, notWrittenInput(path_));
    if (state_ == State::Failed) {
        appendReport(program.message, cannotWrite(path_, file_.errorText()));
        program.outputFailed = true;
    }
}

}  // namespace tervan
