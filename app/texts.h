// Conversions between the core's byte strings and Qt's strings: program
// texts are MIK bytes, file paths are in the file system's encoding.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tervan::gui {

QString fromMik(std::string_view bytes);
std::string toMik(const QString& text);

// The message text as the message area shows it (desk::messageForDisplay),
// its lines ended by "\n".
QString messageForDisplay(std::string_view message);

QString fromPath(const std::string& path);
std::string toPath(const QString& path);

}  // namespace tervan::gui
