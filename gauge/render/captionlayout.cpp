#include "render/captionlayout.h"

#include "render/gaugegeometry.h"

#include <Qt>

namespace qvgauge {

std::vector<CaptionPass> captionPasses(FontStyle style, bool transparent)
{
    struct Copy {
        CaptionColor color;
        int offset;
    };
    std::vector<Copy> copies;
    switch (validFontStyle(style)) {
    case FontStyle::None:
        copies = { { CaptionColor::Text, 0 } };
        break;
    case FontStyle::Raised:
        copies = { { CaptionColor::Light, 0 }, { CaptionColor::Text, 1 } };
        break;
    case FontStyle::RaisedShading:
        copies = { { CaptionColor::Light, 0 }, { CaptionColor::Shadow, 2 },
            { CaptionColor::Text, 1 } };
        break;
    case FontStyle::Lowered:
        copies = { { CaptionColor::Light, 1 }, { CaptionColor::Text, 0 } };
        break;
    case FontStyle::LoweredShading:
        copies = { { CaptionColor::Shadow, 0 }, { CaptionColor::Light, 2 },
            { CaptionColor::Text, 1 } };
        break;
    }
    std::vector<CaptionPass> passes;
    for (const Copy& copy : copies)
        passes.push_back({ copy.color, copy.offset, copy.offset, passes.empty() && !transparent });
    return passes;
}

int captionFlags(Alignment alignment, bool multiLine)
{
    int flags = multiLine ? Qt::TextWordWrap | Qt::AlignTop : Qt::TextSingleLine | Qt::AlignVCenter;
    switch (validAlignment(alignment)) {
    case Alignment::Left:
        flags |= Qt::AlignLeft;
        break;
    case Alignment::Right:
        flags |= Qt::AlignRight;
        break;
    case Alignment::Center:
        flags |= Qt::AlignHCenter;
        break;
    }
    return flags;
}

QRgb disabledCaptionColor(QRgb grayText, QRgb face)
{
    if (qRgb(qRed(grayText), qGreen(grayText), qBlue(grayText)) ==
        qRgb(qRed(face), qGreen(face), qBlue(face)))
        return qRgb(128, 128, 128);
    return grayText;
}

} // namespace qvgauge
