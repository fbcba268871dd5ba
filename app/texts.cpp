#include "app/texts.h"

#include <QFile>

#include "core/mik.h"
#include "desk/display.h"

namespace tervan::gui {

QString fromMik(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (char c : bytes) *out++ = QChar(mikToUnicode(static_cast<unsigned char>(c)));
    return text;
}

std::string toMik(const QString& text) {
    return encodeMik(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), text.size()));
}

QString messageForDisplay(std::string_view message) {
    return QString::fromStdU16String(desk::messageForDisplay(message, u"\n"));
}

QString fromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace tervan::gui
