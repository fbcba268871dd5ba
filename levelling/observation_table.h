// The observation table shown in the message area after every conversion of
// a point model.
#pragma once

#include "core/program.h"

namespace tervan {

// Replaces program.message by the table of the store.
void buildObservationTable(Program& program);

}  // namespace tervan
