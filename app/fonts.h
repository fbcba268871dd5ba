// The font of every view whose digits must line up in columns: a font that
// really is fixed-pitch on whatever machine the program runs.
#pragma once

#include <QFont>
#include <QStringList>

namespace tervan::gui {

// Known monospaced families, in the order they are preferred.
extern const QStringList kMonospacedFamilies;

// The family to use: the system's fixed font when it is fixed-pitch,
// otherwise the first of the known monospaced families that is installed,
// otherwise "" (the system's font with a monospace style hint).
QString chooseFixedFamily(const QString& systemFamily, bool systemIsFixedPitch, const QStringList& installed);

// That choice made on this machine.
QFont fixedPitchFont();

}  // namespace tervan::gui
