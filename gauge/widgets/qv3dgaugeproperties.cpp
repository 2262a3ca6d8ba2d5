#include "widgets/picturecodec.h"
#include "widgets/qv3dgauge.h"
#include "widgets/qv3dgauge_p.h"

#include <algorithm>

// The gauge's properties: each getter reads the model, each setter hands the value to the
// model's checked setter and reports a refusal. Change signals come from the model's notices.

namespace qvgauge {

namespace {

// The model keeps 16-bit values; anything beyond that range cannot be valid, so it is passed
// on as a value the setter refuses rather than wrapped round into one it might take.
int toShortRange(int value)
{
    return std::clamp(value, -32769, 32768);
}

} // namespace

Qv3dGauge::MousePointerConstants Qv3dGauge::mousePointer() const
{
    return static_cast<MousePointerConstants>(d->model.properties().mousePointer);
}

void Qv3dGauge::setMousePointer(MousePointerConstants value)
{
    d->report(
        DispId::MousePointer, d->model.setMousePointer(toShortRange(static_cast<int>(value))));
}

Qv3dGauge::ScaleModeConstants Qv3dGauge::scaleMode() const
{
    return static_cast<ScaleModeConstants>(d->model.properties().scaleMode);
}

void Qv3dGauge::setScaleMode(ScaleModeConstants value)
{
    d->report(DispId::ScaleMode, d->model.setScaleMode(toShortRange(static_cast<int>(value))));
}

int Qv3dGauge::innerTop() const
{
    return d->model.properties().innerTop;
}

void Qv3dGauge::setInnerTop(int value)
{
    d->report(DispId::InnerTop, d->model.setInnerTop(toShortRange(value)));
}

int Qv3dGauge::innerLeft() const
{
    return d->model.properties().innerLeft;
}

void Qv3dGauge::setInnerLeft(int value)
{
    d->report(DispId::InnerLeft, d->model.setInnerLeft(toShortRange(value)));
}

int Qv3dGauge::innerRight() const
{
    return d->model.properties().innerRight;
}

void Qv3dGauge::setInnerRight(int value)
{
    d->report(DispId::InnerRight, d->model.setInnerRight(toShortRange(value)));
}

int Qv3dGauge::innerBottom() const
{
    return d->model.properties().innerBottom;
}

void Qv3dGauge::setInnerBottom(int value)
{
    d->report(DispId::InnerBottom, d->model.setInnerBottom(toShortRange(value)));
}

int Qv3dGauge::max() const
{
    return d->model.properties().max;
}

void Qv3dGauge::setMax(int value)
{
    d->report(DispId::Max, d->model.setMax(toShortRange(value)));
}

int Qv3dGauge::min() const
{
    return d->model.properties().min;
}

void Qv3dGauge::setMin(int value)
{
    d->report(DispId::Min, d->model.setMin(toShortRange(value)));
}

int Qv3dGauge::fillValue() const
{
    return d->model.properties().fillValue;
}

void Qv3dGauge::setFillValue(int value)
{
    d->report(DispId::FillValue, d->model.setFillValue(toShortRange(value)));
}

Qv3dGauge::GaugeStyleConstants Qv3dGauge::gaugeStyle() const
{
    return static_cast<GaugeStyleConstants>(d->model.properties().gaugeStyle);
}

void Qv3dGauge::setGaugeStyle(GaugeStyleConstants value)
{
    d->report(DispId::GaugeStyle, d->model.setGaugeStyle(toShortRange(static_cast<int>(value))));
}

bool Qv3dGauge::autosize() const
{
    return d->model.properties().autosize;
}

void Qv3dGauge::setAutosize(bool value)
{
    d->report(DispId::Autosize, d->model.setAutosize(value));
}

int Qv3dGauge::needleWidth() const
{
    return d->model.properties().needleWidth;
}

void Qv3dGauge::setNeedleWidth(int value)
{
    d->report(DispId::NeedleWidth, d->model.setNeedleWidth(toShortRange(value)));
}

bool Qv3dGauge::reverseFill() const
{
    return d->model.properties().reverseFill;
}

void Qv3dGauge::setReverseFill(bool value)
{
    d->report(DispId::ReverseFill, d->model.setReverseFill(value));
}

Qv3dGauge::BevelStyleConstants Qv3dGauge::bevelStyle() const
{
    return static_cast<BevelStyleConstants>(d->model.properties().bevelStyle);
}

void Qv3dGauge::setBevelStyle(BevelStyleConstants value)
{
    d->report(DispId::BevelStyle, d->model.setBevelStyle(toShortRange(static_cast<int>(value))));
}

int Qv3dGauge::bevelSize() const
{
    return d->model.properties().bevelSize;
}

void Qv3dGauge::setBevelSize(int value)
{
    d->report(DispId::BevelSize, d->model.setBevelSize(toShortRange(value)));
}

Qv3dGauge::BevelStyleInnerConstants Qv3dGauge::bevelStyleInner() const
{
    return static_cast<BevelStyleInnerConstants>(d->model.properties().bevelStyleInner);
}

void Qv3dGauge::setBevelStyleInner(BevelStyleInnerConstants value)
{
    d->report(DispId::BevelStyleInner,
        d->model.setBevelStyleInner(toShortRange(static_cast<int>(value))));
}

int Qv3dGauge::bevelSizeInner() const
{
    return d->model.properties().bevelSizeInner;
}

void Qv3dGauge::setBevelSizeInner(int value)
{
    d->report(DispId::BevelSizeInner, d->model.setBevelSizeInner(toShortRange(value)));
}

uint Qv3dGauge::fillColor() const
{
    return d->model.properties().fillColor;
}

void Qv3dGauge::setFillColor(uint value)
{
    d->report(DispId::FillColor, d->model.setFillColor(value));
}

uint Qv3dGauge::shadowColor() const
{
    return d->model.properties().shadowColor;
}

void Qv3dGauge::setShadowColor(uint value)
{
    d->report(DispId::ShadowColor, d->model.setShadowColor(value));
}

uint Qv3dGauge::borderColor() const
{
    return d->model.properties().borderColor;
}

void Qv3dGauge::setBorderColor(uint value)
{
    d->report(DispId::BorderColor, d->model.setBorderColor(value));
}

uint Qv3dGauge::lightColor() const
{
    return d->model.properties().lightColor;
}

void Qv3dGauge::setLightColor(uint value)
{
    d->report(DispId::LightColor, d->model.setLightColor(value));
}

uint Qv3dGauge::textColor() const
{
    return d->model.properties().textColor;
}

void Qv3dGauge::setTextColor(uint value)
{
    d->report(DispId::TextColor, d->model.setTextColor(value));
}

Qv3dGauge::BorderStyleConstants Qv3dGauge::borderStyle() const
{
    return static_cast<BorderStyleConstants>(d->model.properties().borderStyle);
}

void Qv3dGauge::setBorderStyle(BorderStyleConstants value)
{
    d->report(DispId::BorderStyle, d->model.setBorderStyle(toShortRange(static_cast<int>(value))));
}

Qv3dGauge::AlignConstants Qv3dGauge::alignment() const
{
    return static_cast<AlignConstants>(d->model.properties().alignment);
}

void Qv3dGauge::setAlignment(AlignConstants value)
{
    d->report(DispId::Alignment, d->model.setAlignment(toShortRange(static_cast<int>(value))));
}

Qv3dGauge::FontStyleConstants Qv3dGauge::fontStyle() const
{
    return static_cast<FontStyleConstants>(d->model.properties().fontStyle);
}

void Qv3dGauge::setFontStyle(FontStyleConstants value)
{
    d->report(DispId::FontStyle, d->model.setFontStyle(toShortRange(static_cast<int>(value))));
}

bool Qv3dGauge::multiLine() const
{
    return d->model.properties().multiLine;
}

void Qv3dGauge::setMultiLine(bool value)
{
    d->report(DispId::MultiLine, d->model.setMultiLine(value));
}

Qv3dGauge::WallpaperConstants Qv3dGauge::wallPaper() const
{
    return static_cast<WallpaperConstants>(d->model.properties().wallPaper);
}

void Qv3dGauge::setWallPaper(WallpaperConstants value)
{
    d->report(DispId::WallPaper, d->model.setWallPaper(toShortRange(static_cast<int>(value))));
}

uint Qv3dGauge::fillBarColor() const
{
    return d->model.properties().fillBarColor;
}

void Qv3dGauge::setFillBarColor(uint value)
{
    d->report(DispId::FillBarColor, d->model.setFillBarColor(value));
}

uint Qv3dGauge::backColor() const
{
    return d->model.stock().backColor;
}

void Qv3dGauge::setBackColor(uint value)
{
    d->report(DispId::BackColor, d->model.setBackColor(value));
}

uint Qv3dGauge::foreColor() const
{
    return d->model.stock().foreColor;
}

void Qv3dGauge::setForeColor(uint value)
{
    d->report(DispId::ForeColor, d->model.setForeColor(value));
}

Qv3dGauge::enumAppearance Qv3dGauge::appearance() const
{
    return static_cast<enumAppearance>(d->model.stock().appearance);
}

void Qv3dGauge::setAppearance(enumAppearance value)
{
    d->report(DispId::Appearance, d->model.setAppearance(toShortRange(static_cast<int>(value))));
}

bool Qv3dGauge::fontTransparent() const
{
    return d->model.properties().fontTransparent;
}

void Qv3dGauge::setFontTransparent(bool value)
{
    d->report(DispId::FontTransparent, d->model.setFontTransparent(value ? 1 : 0));
}

QPixmap Qv3dGauge::picture() const
{
    return QPixmap::fromImage(d->picture);
}

void Qv3dGauge::setPicture(const QPixmap& value)
{
    d->report(
        DispId::Picture, d->model.setPicture(encodePicture(value.toImage(), PictureKind::Bitmap)));
}

QPixmap Qv3dGauge::pictureFill() const
{
    return QPixmap::fromImage(d->pictureFill);
}

void Qv3dGauge::setPictureFill(const QPixmap& value)
{
    d->report(DispId::PictureFill,
        d->model.setPictureFill(encodePicture(value.toImage(), PictureKind::Bitmap)));
}

QPixmap Qv3dGauge::mouseIcon() const
{
    return QPixmap::fromImage(d->mouseIcon);
}

void Qv3dGauge::setMouseIcon(const QPixmap& value)
{
    d->report(DispId::MouseIcon,
        d->model.setMouseIcon(encodePicture(value.toImage(), PictureKind::Icon)));
}

QString Qv3dGauge::caption() const
{
    return QString::fromStdString(d->model.caption());
}

void Qv3dGauge::setCaption(const QString& value)
{
    d->report(DispId::Caption, d->model.setCaption(value.toStdString()));
}

bool Qv3dGauge::gaugeEnabled() const
{
    return d->model.enabled();
}

// The font shortcuts read the font at any time; only their setters go through the model.

bool Qv3dGauge::fontBold() const
{
    return d->model.font().bold;
}

void Qv3dGauge::setFontBold(bool value)
{
    d->report(DispId::FontBold, d->model.setFontBold(value));
}

bool Qv3dGauge::fontItalic() const
{
    return d->model.font().italic;
}

void Qv3dGauge::setFontItalic(bool value)
{
    d->report(DispId::FontItalic, d->model.setFontItalic(value));
}

QString Qv3dGauge::fontName() const
{
    return QString::fromStdString(d->model.font().name);
}

void Qv3dGauge::setFontName(const QString& value)
{
    d->report(DispId::FontName, d->model.setFontName(value.toStdString()));
}

float Qv3dGauge::fontSize() const
{
    return d->model.font().size;
}

void Qv3dGauge::setFontSize(float value)
{
    d->report(DispId::FontSize, d->model.setFontSize(value));
}

bool Qv3dGauge::fontStrikethru() const
{
    return d->model.font().strikethru;
}

void Qv3dGauge::setFontStrikethru(bool value)
{
    d->report(DispId::FontStrikethru, d->model.setFontStrikethru(value));
}

bool Qv3dGauge::fontUnderline() const
{
    return d->model.font().underline;
}

void Qv3dGauge::setFontUnderline(bool value)
{
    d->report(DispId::FontUnderline, d->model.setFontUnderline(value));
}

} // namespace qvgauge
