#include "app/tones.h"

#include <QStringList>

#include "app/texts.h"

namespace tervan::gui {
namespace {

QString hex(unsigned rgb) { return QString("#%1").arg(rgb, 6, 16, QChar('0')); }

}  // namespace

QString toneStyle(desk::Tone tone) {
    if (tone == desk::Tone::Plain) return {};
    const desk::ToneColours colours = desk::toneColours(tone);
    return QString("QLabel { color: %1; background: %2; font-weight: bold; padding: 1px 4px; }")
        .arg(hex(colours.text), hex(colours.background));
}

QString noticesHtml(const std::vector<desk::Notice>& notices) {
    QStringList lines;
    for (const desk::Notice& n : notices) {
        QString text = fromReportText(n.text).toHtmlEscaped();
        if (n.tone != desk::Tone::Plain)
            text = QString("<span style=\"color:%1; font-weight:bold\">%2</span>")
                       .arg(hex(desk::toneColours(n.tone).text), text);
        lines << text;
    }
    return lines.join("<br>");
}

QString indicatorsHtml(const std::vector<desk::Notice>& indicators) {
    QStringList marks;
    for (const desk::Notice& n : indicators) {
        const QString text = fromReportText(n.text).toHtmlEscaped();
        if (n.tone != desk::Tone::Plain) {
            const desk::ToneColours colours = desk::toneColours(n.tone);
            marks << QString("<span style=\"color:%1; background:%2; font-weight:bold\">&nbsp;%3&nbsp;</span>")
                         .arg(hex(colours.text), hex(colours.background), text);
        } else {
            marks << text;
        }
    }
    return marks.join("&nbsp;");
}

QString fromReportText(const std::string& text) { return messageForDisplay(text); }

}  // namespace tervan::gui
