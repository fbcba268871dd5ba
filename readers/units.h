// Angle and length units of the total-station files that write their values
// as decimal text: each is turned into gon or metres as it is read.
#pragma once

#include <optional>
#include <string_view>

#include "readers/setup.h"

namespace tervan {

enum class AngleUnit { Gon, Degrees, Dms, Mils };

// An angle written in unit, in gon; nothing when the text is no number (or,
// in DMS, has minutes or seconds of 60 or more). DMS text is
// DDD.MMSSsss: degrees, two digits of minutes, two of seconds, then the
// seconds' decimals, so "12.3" is 12 degrees 30 minutes.
std::optional<double> angleToGon(std::string_view text, AngleUnit unit);

// A length or coordinate read as text: the number in the file's unit times
// metresPerUnit; nothing when the text is no number.
std::optional<double> lengthToMetres(std::string_view text, double metresPerUnit);

}  // namespace tervan
