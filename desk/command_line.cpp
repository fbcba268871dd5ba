#include "desk/command_line.h"

namespace tervan::desk {

std::string inputPathOf(std::string_view line) {
    std::size_t end = line.starts_with('"') ? line.find('"', 1) : line.find_first_of(" \t");
    if (end == std::string_view::npos) return {};
    std::string_view rest = line.substr(line.starts_with('"') ? end + 1 : end);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
    if (rest.size() >= 2 && rest.front() == '"' && rest.back() == '"') rest = rest.substr(1, rest.size() - 2);
    return std::string(rest);
}

std::string answerWithoutWindow(std::string_view argument) {
    if (argument == "--help" || argument == "-h" || argument == "/?")
        return "usage: tervan [INPUT]\n"
               "  INPUT      a file to convert as the window opens (with the saved settings)\n"
               "  --help     this text\n"
               "  --version  the version\n"
               "tervan-cli converts without a window: tervan-cli --help\n";
    if (argument == "--version") return "tervan " TERVAN_VERSION "\n";
    return {};
}

}  // namespace tervan::desk
