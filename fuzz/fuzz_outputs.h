// What every fuzz target that fills a store does next, as a conversion does
// it but with every file going nowhere: the offsets, the scale step, the
// observation table, every writer (the drawing with the shipped header's
// placeholders) and an H, V, SD run.
#pragma once

#include "conversion/session.h"
#include "core/result.h"

namespace tervan::fuzz {

void writeNowhere(Session& session, Result& result);

}  // namespace tervan::fuzz
