#include "ui/controls/linefont.h"

namespace marquis::qt {

QFont lineFont()
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(12);
    return font;
}

} // namespace marquis::qt
