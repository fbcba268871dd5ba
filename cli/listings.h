// What tervan-cli tells without converting anything: the models it reads
// and the settings keys it takes, from the model table and the settings
// table themselves, so that the lists cannot drift from the program.
#pragma once

#include <string>

namespace tervan {

// One line per model: its name, what it reads, and the models that format
// detection cannot tell it apart from.
std::string modelsListing();

// One line per settings key: its name (as --set takes it), its kind, its
// default and its meaning.
std::string keysListing();

}  // namespace tervan
