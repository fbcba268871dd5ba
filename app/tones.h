// How the window colours its news: a warning amber, a failure red, both
// readable on a light and on a dark palette.
#pragma once

#include <QString>
#include <vector>

#include "desk/report.h"

namespace tervan::gui {

// The style sheet of a label that shows news of this tone ("" for plain).
QString toneStyle(desk::Tone tone);

// Notices as rich text, one line each, each in its own colour; their texts
// are bytes as the core makes them (paths in the file system's encoding).
QString noticesHtml(const std::vector<desk::Notice>& notices);

// The indicators as small framed marks side by side.
QString indicatorsHtml(const std::vector<desk::Notice>& indicators);

// Report and status texts, which may name files.
QString fromReportText(const std::string& text);

}  // namespace tervan::gui
