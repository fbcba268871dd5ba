// The BFFB line calculation (model "Dini BF"): a levelling line with one back
// and one fore reading per set-up becomes a line in back-fore-fore-back
// order, each reading and distance split into two with a random error.
#pragma once

#include <string>
#include <string_view>

#include "levelling/level_job.h"

namespace tervan {

// randint(k): a whole number between -k and +k from one draw r of the
// generator, ((32767 - 2r) x k truncated) / 32767 truncated.
double randint(Rng& rng, double k);

// The BFFB point name: a number up to 999 becomes eight blanks and X, a
// larger one "NR" and the number right-aligned in 9 characters; a name that
// does not start with a number stays.
std::string bffbPointName(std::string_view name);

// The largest row number the seven columns of a row hold.
inline constexpr long long kLastRowNumber = 9999999;

// Why the line of input cannot be numbered from params.first: its last row
// would get a number past kLastRowNumber. Empty when it can.
std::string bffbRefusal(std::string_view input, const BffbParams& params);

// The line from job.bffb's values, with random errors drawn from job.rng; the
// line file is the base name + "_.dat".
void calculateBffb(LevelJob& job);

}  // namespace tervan
