#include "widgets/gaugelookbuilder.h"

#include "model/gaugemodel.h"

#include <QColor>
#include <QString>

namespace qvgauge {

GaugeLook lookOf(const GaugeModel& model, const LookContext& context)
{
    const GaugeProperties& p = model.properties();
    GaugeLook look;
    look.width = context.size.width();
    look.height = context.size.height();

    look.style = static_cast<GaugeStyle>(p.gaugeStyle);
    look.min = p.min;
    look.max = p.max;
    look.fillValue = p.fillValue;
    look.reverseFill = p.reverseFill;

    // Any stored ScaleMode but twips means pixels.
    const Resolution resolution = model.resolution();
    if (p.scaleMode == static_cast<std::int16_t>(ScaleMode::Twips)) {
        look.innerTop = YTwipsToPixels(p.innerTop, resolution);
        look.innerLeft = XTwipsToPixels(p.innerLeft, resolution);
        look.innerRight = XTwipsToPixels(p.innerRight, resolution);
        look.innerBottom = YTwipsToPixels(p.innerBottom, resolution);
    } else {
        look.innerTop = p.innerTop;
        look.innerLeft = p.innerLeft;
        look.innerRight = p.innerRight;
        look.innerBottom = p.innerBottom;
    }

    look.bevelStyle = static_cast<BevelStyle>(p.bevelStyle);
    look.bevelSize = p.bevelSize;
    look.bevelStyleInner = static_cast<BevelStyleInner>(p.bevelStyleInner);
    look.bevelSizeInner = p.bevelSizeInner;
    look.borderStyle = static_cast<BorderStyle>(p.borderStyle);

    look.fillColor = p.fillColor;
    look.shadowColor = p.shadowColor;
    look.borderColor = p.borderColor;
    look.lightColor = p.lightColor;
    look.textColor = p.textColor;
    look.fillBarColor = p.fillBarColor;
    look.parentBackground = context.parentBackground;
    look.needleWidth = p.needleWidth;

    look.caption = QString::fromStdString(model.caption());
    look.font = context.font;
    look.alignment = static_cast<Alignment>(p.alignment);
    look.fontStyle = static_cast<FontStyle>(p.fontStyle);
    look.fontTransparent = p.fontTransparent;
    look.multiLine = p.multiLine;

    look.wallPaper = static_cast<WallPaper>(p.wallPaper);
    look.picture = context.picture;
    look.pictureFill = context.pictureFill;

    look.userMode = model.userMode();
    look.enabled = context.enabled;
    return look;
}

OleColor oleColorOf(QColor color)
{
    const QRgb rgb = color.rgb();
    return static_cast<OleColor>(qRed(rgb)) | (static_cast<OleColor>(qGreen(rgb)) << 8) |
        (static_cast<OleColor>(qBlue(rgb)) << 16);
}

} // namespace qvgauge
