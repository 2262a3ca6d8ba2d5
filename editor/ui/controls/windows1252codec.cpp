#include "ui/controls/windows1252codec.h"

#include "model/windows1252.h"

#include <QList>

namespace marquis::qt {

QString fromWindows1252(std::string_view text)
{
    const std::string utf8 = windows1252ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toWindows1252(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t codePoint : text.toUcs4()) {
        if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
            out += static_cast<char>(codePoint);
            continue;
        }
        // Only 0x80..0x9F differ from Latin-1; the five bytes the set leaves undefined come back
        // from the C1 controls they were read as.
        char byte = '?';
        for (unsigned b = 0x80; b <= 0x9F; ++b)
            if (windows1252CodePoint(static_cast<unsigned char>(b)) == codePoint)
                byte = static_cast<char>(b);
        out += byte;
    }
    return out;
}

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toUtf8(const QString& text)
{
    return text.toUtf8().toStdString();
}

} // namespace marquis::qt
