#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace marquis::qt {

// The one codec between the core's Windows-1252 text and Qt's strings.
QString fromWindows1252(std::string_view text);
// Characters Windows-1252 cannot hold become '?'.
std::string toWindows1252(const QString& text);

// Paths and the user port's texts are UTF-8.
QString fromUtf8(std::string_view text);
std::string toUtf8(const QString& text);

} // namespace marquis::qt
