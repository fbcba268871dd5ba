// What the window says about the last command, so that nothing that matters
// hides in the message text: status line 3 in the colour of its worst news,
// the failures and warnings above the message area, how many files were
// written and where; the title bar; and the settings that change every
// conversion, shown beside the status lines.
#pragma once

#include <string>
#include <vector>

#include "conversion/detect.h"
#include "core/result.h"
#include "core/settings.h"

namespace tervan::desk {

// In order of weight: the worst tone of a list is its largest. Good is a
// result to be glad of (a levelling line closed within tolerance).
enum class Tone { Plain, Good, Warning, Failure };

struct Notice {
    Tone tone = Tone::Plain;
    std::string text;
};

// The colours of a tone, 0xRRGGBB, shown bold: a warning dark amber on
// light amber, a failure dark red on pink, a good result dark green on
// light green. A plain text keeps the
// window's own colours and weight.
struct ToneColours {
    unsigned text = 0, background = 0;
};
ToneColours toneColours(Tone tone);

// The worst tone among notices (Plain for none).
Tone worstTone(const std::vector<Notice>& notices);

struct Report {
    Notice status;                // status line 3
    std::vector<Notice> notices;  // above the message area, failures first
    std::string files;            // "11 files written next to job.txt"; "" when none
    std::string folder;           // where they are: "Show files" opens it
    std::vector<std::string> written;  // the names of the files written, in the order written
    // A model that fits the input where the one used does not: offered
    // beside the warning as "Convert again as <it>"; "" when none.
    std::string convertAgainAs;
};

// The button beside the warning: "Convert again as Zeiss3303".
std::string convertAgainLabel(const Report& report);

// The report of a conversion or an H, V, SD run: status line 3 is the
// summary, followed by the first failure or warning when there is one.
// warning: one more, of the desk's own ("" for none).
Report reportOf(const Result& result, const std::string& inputPath, const std::string& warning = {});

// A failure outside a conversion (a serial port that does not open).
Report failureReport(const std::string& text);

// The warning after a conversion with Model that found little (a point
// model no point at all, or any model more lines ignored than taken), or
// that does not fit the file where another model does: "it looks like
// Zeiss3303, not Leica1200", naming the model that fits, or saying that none
// does. "" when there is nothing to warn of.
std::string conversionWarning(const Result& result, const Settings& settings, const Detection& detection);
// The model the warning names as the one that fits ("Zeiss3303"); "" when
// it names none.
std::string betterModel(const Result& result, const Settings& settings, const Detection& detection);

// "job.txt — Leica1200 — Tervan" (UTF-8); "Tervan" before the first file,
// and without the model when model (the one the last conversion used, ""
// before one has run) names none.
std::string windowTitle(const std::string& inputPath, const std::string& model);

// The offsets that are not zero, x1000 and Z.000, when they are on: the
// ones that move coordinates as warnings.
std::vector<Notice> indicators(const Settings& settings);

}  // namespace tervan::desk
