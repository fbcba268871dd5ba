#include "writers/kor_dpi.h"

#include <gtest/gtest.h>

#include "writer_cases.h"

namespace tervan {
namespace {

class KorDpiGolden : public testing::TestWithParam<const char*> {};

TEST_P(KorDpiGolden, MatchesExpectedFiles) { test::checkWriterCase(GetParam()); }

// dpi-station-first: station lines closed by " *", a station with H, V, SD
// all 0 kept, an observation with all three 0 dropped, an instrument height
// of 10 or more, names longer than six characters, four-decimal rounding.
// dpi-observation-first: the third header line stays unmarked; header lines
// holding "%" are copied as they stand.
// kor-completion: the leading digits put back step by step, Z never touched,
// zero points skipped, long names widen the line.
// empty-store: every ticked output of an empty store.
INSTANTIATE_TEST_SUITE_P(Cases, KorDpiGolden,
                         testing::Values("dpi-station-first", "dpi-observation-first", "kor-completion",
                                         "empty-store"));

}  // namespace
}  // namespace tervan
