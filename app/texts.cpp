#include "app/texts.h"

#include <QFile>

#include "core/mik.h"

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
    QString text(static_cast<qsizetype>(message.size()), Qt::Uninitialized);
    QChar* out = text.data();
    std::size_t i = 0;
    while (i < message.size()) {
        char c = message[i];
        if (c == '\r') {
            // Carriage returns before a line feed belong to that line end.
            std::size_t j = i;
            while (j < message.size() && message[j] == '\r') ++j;
            *out++ = QChar(u'\n');
            i = j < message.size() && message[j] == '\n' ? j + 1 : i + 1;
            continue;
        }
        *out++ = QChar(mikToUnicode(static_cast<unsigned char>(c)));
        ++i;
    }
    text.truncate(out - text.data());
    return text;
}

QString fromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

std::string toPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace tervan::gui
