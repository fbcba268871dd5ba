#include "cli_runner.h"

#include <sys/wait.h>

#include <cstdlib>

namespace tervan::test {

std::string shellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

CliRun runCli(const ScratchDir& dir, const std::string& args) {
    std::string out = dir.file("stdout"), err = dir.file("stderr");
    std::string cmd = std::string(TERVAN_CLI) + " " + args + " >" + shellQuote(out) + " 2>" + shellQuote(err);
    int raw = std::system(cmd.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readFile(out), readFile(err)};
}

}  // namespace tervan::test
