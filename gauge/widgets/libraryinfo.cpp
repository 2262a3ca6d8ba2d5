#include "widgets/libraryinfo.h"

#include <QFileInfo>
#include <dlfcn.h>

#ifndef QVGAUGE_FILE_VERSION
#define QVGAUGE_FILE_VERSION ""
#endif

namespace qvgauge {

std::optional<LibraryInfo> thisLibrary()
{
    // Any address inside the library names the file it came from.
    Dl_info info {};
    if (dladdr(reinterpret_cast<const void*>(&thisLibrary), &info) == 0 || !info.dli_fname)
        return std::nullopt;
    const QFileInfo file(QString::fromLocal8Bit(info.dli_fname));
    return LibraryInfo { file.absoluteFilePath(), QStringLiteral(QVGAUGE_FILE_VERSION) };
}

QString aboutText(const std::optional<LibraryInfo>& library)
{
    if (!library || library->path.isEmpty() || library->version.isEmpty())
        return QStringLiteral("Error Getting Version Info.");
    return QStringLiteral("Control: ") + QFileInfo(library->path).fileName() +
        QStringLiteral("\nVersion: ") + library->version + QStringLiteral("\n\nReg.Location: ") +
        library->path;
}

} // namespace qvgauge
