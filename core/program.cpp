#include "core/program.h"

#include <ctime>

namespace tervan {

void seedFromClock(Program& program) {
    program.rng.seed(program.fixedSeed ? *program.fixedSeed : static_cast<std::uint32_t>(std::time(nullptr)));
}

void appendReport(std::string& message, const std::string& line) {
    if (!message.empty()) message += "\r\n";
    message += line;
}

}  // namespace tervan
