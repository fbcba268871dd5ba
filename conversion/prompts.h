// Where a conversion needs the user: the Calc BFFB line values in the middle
// of a "Dini BF" conversion. The window shows its dialog, the command line
// answers from its options, a test from a script. Passed into each call,
// never kept.
#pragma once

#include "levelling/level_job.h"

namespace tervan {

struct Prompts {
    virtual ~Prompts() = default;
    // Fills params (which come with the dialog's defaults); false when the
    // user cancelled.
    virtual bool askBffb(BffbParams& params) = 0;
};

// Answers every prompt with the values it holds.
struct FixedPrompts final : Prompts {
    BffbParams bffb;
    bool askBffb(BffbParams& params) override {
        params = bffb;
        return true;
    }
};

}  // namespace tervan
