#pragma once

#include <QString>
#include <optional>

namespace qvgauge {

// The file this library was loaded from and the version it was built as.
struct LibraryInfo {
    QString path; // full path
    QString version;
};

// Where the running gauge library lies, or nothing when the system cannot say.
std::optional<LibraryInfo> thisLibrary();

// The About box's text for `library`: its file name, version and full path, or the error text
// when there is no information or no version in it.
QString aboutText(const std::optional<LibraryInfo>& library);

} // namespace qvgauge
