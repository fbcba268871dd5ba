#include "levelling/level_rows.h"

namespace tervan {

void addLevelRow(Result& result, std::initializer_list<std::string_view> cells) {
    std::string row;
    bool first = true;
    for (std::string_view cell : cells) {
        if (!first) row += '\t';
        first = false;
        auto start = cell.find_first_not_of(' ');
        if (start != std::string_view::npos) row += cell.substr(start, cell.find_last_not_of(' ') - start + 1);
    }
    result.levelRows.push_back(std::move(row));
}

}  // namespace tervan
