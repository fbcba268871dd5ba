#include "app/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace tervan::gui {

const QStringList kMonospacedFamilies = {"DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "Consolas",
                                         "Courier New", "Nimbus Mono PS", "FreeMono"};

QString chooseFixedFamily(const QString& systemFamily, bool systemIsFixedPitch, const QStringList& installed) {
    if (systemIsFixedPitch) return systemFamily;
    for (const QString& family : kMonospacedFamilies)
        if (installed.contains(family, Qt::CaseInsensitive)) return family;
    return {};
}

QFont fixedPitchFont() {
    // Some families that call themselves "Mono" are not marked as
    // monospaced (fontconfig may answer "monospace" with one of them), so
    // the system's fixed font is taken only when it resolves fixed-pitch.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QString family = chooseFixedFamily(font.family(), QFontInfo(font).fixedPitch(), QFontDatabase::families());
    if (family.isEmpty()) {
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
    } else if (family != font.family()) {
        font.setFamily(family);
    }
    return font;
}

}  // namespace tervan::gui
