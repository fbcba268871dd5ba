#include "app/tones.h"

#include <QStringList>
#include <algorithm>

#include "app/texts.h"

namespace tervan::gui {
namespace {

const char* textColour(desk::Tone tone) {
    switch (tone) {
        case desk::Tone::Warning:
            return "#7a4d00";
        case desk::Tone::Failure:
            return "#a4001d";
        case desk::Tone::Plain:
            break;
    }
    return nullptr;
}

const char* backgroundColour(desk::Tone tone) {
    return tone == desk::Tone::Failure ? "#fde3e6" : tone == desk::Tone::Warning ? "#fff1c7" : nullptr;
}

}  // namespace

QString toneStyle(desk::Tone tone) {
    if (tone == desk::Tone::Plain) return {};
    return QString("QLabel { color: %1; background: %2; font-weight: bold; padding: 1px 4px; }")
        .arg(textColour(tone), backgroundColour(tone));
}

desk::Tone worstTone(const std::vector<desk::Notice>& notices) {
    desk::Tone worst = desk::Tone::Plain;
    for (const desk::Notice& n : notices) worst = std::max(worst, n.tone);
    return worst;
}

QString noticesHtml(const std::vector<desk::Notice>& notices) {
    QStringList lines;
    for (const desk::Notice& n : notices) {
        QString text = fromReportText(n.text).toHtmlEscaped();
        if (const char* colour = textColour(n.tone))
            text = QString("<span style=\"color:%1; font-weight:bold\">%2</span>").arg(colour, text);
        lines << text;
    }
    return lines.join("<br>");
}

QString indicatorsHtml(const std::vector<desk::Notice>& indicators) {
    QStringList marks;
    for (const desk::Notice& n : indicators) {
        const char* colour = textColour(n.tone);
        const char* background = backgroundColour(n.tone);
        const QString text = fromReportText(n.text).toHtmlEscaped();
        if (colour)
            marks << QString("<span style=\"color:%1; background:%2; font-weight:bold\">&nbsp;%3&nbsp;</span>")
                         .arg(colour, background, text);
        else
            marks << text;
    }
    return marks.join("&nbsp;");
}

QString fromReportText(const std::string& text) { return messageForDisplay(text); }

}  // namespace tervan::gui
