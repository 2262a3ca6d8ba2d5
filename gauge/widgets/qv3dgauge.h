#pragma once

#include "widgets/qvgaugeexport.h"

#include <QByteArray>
#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <memory>

namespace qvgauge {

class PropertyPageModel;
struct ApplyResult;
class Qv3dGaugePrivate;

// The 3-D gauge: a value between Min and Max shown as a horizontal or vertical bar, a needle on
// a half or full dial, or a picture revealed over another one, with border, bevels, a 3-D
// caption and wallpaper. Every property is checked by the gauge's model: a refused value
// changes nothing and is reported through propertyError(); every accepted one emits the
// property's change signal and repaints. Colours are stored as hosts store them: 0x00BBGGRR,
// or a system colour index with the top bit set (0x8000000F is the button face).
class QVGAUGE_EXPORT Qv3dGauge : public QWidget {
    Q_OBJECT

    Q_PROPERTY(MousePointerConstants MousePointer READ mousePointer WRITE setMousePointer NOTIFY
            MousePointerChanged)
    // Shortcuts into Font, for code; the form designer edits Font itself.
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold NOTIFY FontBoldChanged
            DESIGNABLE false STORED false)
    Q_PROPERTY(bool FontItalic READ fontItalic WRITE setFontItalic NOTIFY FontItalicChanged
            DESIGNABLE false STORED false)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName NOTIFY FontNameChanged
            DESIGNABLE false STORED false)
    Q_PROPERTY(float FontSize READ fontSize WRITE setFontSize NOTIFY FontSizeChanged
            DESIGNABLE false STORED false)
    Q_PROPERTY(bool FontStrikethru READ fontStrikethru WRITE setFontStrikethru NOTIFY
            FontStrikethruChanged DESIGNABLE false STORED false)
    Q_PROPERTY(bool FontUnderline READ fontUnderline WRITE setFontUnderline NOTIFY
            FontUnderlineChanged DESIGNABLE false STORED false)
    // ScaleMode comes before the margins it converts, and Max before Min before FillValue, so
    // that generated form code, which sets properties in this order, applies valid values.
    Q_PROPERTY(
        ScaleModeConstants ScaleMode READ scaleMode WRITE setScaleMode NOTIFY ScaleModeChanged)
    Q_PROPERTY(int InnerTop READ innerTop WRITE setInnerTop NOTIFY InnerTopChanged)
    Q_PROPERTY(int InnerLeft READ innerLeft WRITE setInnerLeft NOTIFY InnerLeftChanged)
    Q_PROPERTY(int InnerRight READ innerRight WRITE setInnerRight NOTIFY InnerRightChanged)
    Q_PROPERTY(int InnerBottom READ innerBottom WRITE setInnerBottom NOTIFY InnerBottomChanged)
    Q_PROPERTY(int Max READ max WRITE setMax NOTIFY MaxChanged)
    Q_PROPERTY(int Min READ min WRITE setMin NOTIFY MinChanged)
    Q_PROPERTY(int FillValue READ fillValue WRITE setFillValue NOTIFY FillValueChanged USER true)
    Q_PROPERTY(
        GaugeStyleConstants GaugeStyle READ gaugeStyle WRITE setGaugeStyle NOTIFY GaugeStyleChanged)
    Q_PROPERTY(bool Autosize READ autosize WRITE setAutosize NOTIFY AutosizeChanged)
    Q_PROPERTY(QPixmap Picture READ picture WRITE setPicture NOTIFY PictureChanged)
    Q_PROPERTY(QPixmap PictureFill READ pictureFill WRITE setPictureFill NOTIFY PictureFillChanged)
    Q_PROPERTY(int NeedleWidth READ needleWidth WRITE setNeedleWidth NOTIFY NeedleWidthChanged)
    Q_PROPERTY(bool ReverseFill READ reverseFill WRITE setReverseFill NOTIFY ReverseFillChanged)
    Q_PROPERTY(
        BevelStyleConstants BevelStyle READ bevelStyle WRITE setBevelStyle NOTIFY BevelStyleChanged)
    Q_PROPERTY(int BevelSize READ bevelSize WRITE setBevelSize NOTIFY BevelSizeChanged)
    Q_PROPERTY(BevelStyleInnerConstants BevelStyleInner READ bevelStyleInner WRITE
            setBevelStyleInner NOTIFY BevelStyleInnerChanged)
    Q_PROPERTY(
        int BevelSizeInner READ bevelSizeInner WRITE setBevelSizeInner NOTIFY BevelSizeInnerChanged)
    Q_PROPERTY(uint FillColor READ fillColor WRITE setFillColor NOTIFY FillColorChanged)
    Q_PROPERTY(uint ShadowColor READ shadowColor WRITE setShadowColor NOTIFY ShadowColorChanged)
    Q_PROPERTY(uint BorderColor READ borderColor WRITE setBorderColor NOTIFY BorderColorChanged)
    Q_PROPERTY(uint LightColor READ lightColor WRITE setLightColor NOTIFY LightColorChanged)
    Q_PROPERTY(uint TextColor READ textColor WRITE setTextColor NOTIFY TextColorChanged)
    Q_PROPERTY(BorderStyleConstants BorderStyle READ borderStyle WRITE setBorderStyle NOTIFY
            BorderStyleChanged)
    Q_PROPERTY(AlignConstants Alignment READ alignment WRITE setAlignment NOTIFY AlignmentChanged)
    Q_PROPERTY(
        FontStyleConstants FontStyle READ fontStyle WRITE setFontStyle NOTIFY FontStyleChanged)
    Q_PROPERTY(bool FontTransparent READ fontTransparent WRITE setFontTransparent NOTIFY
            FontTransparentChanged)
    Q_PROPERTY(bool MultiLine READ multiLine WRITE setMultiLine NOTIFY MultiLineChanged)
    Q_PROPERTY(
        WallpaperConstants WallPaper READ wallPaper WRITE setWallPaper NOTIFY WallPaperChanged)
    Q_PROPERTY(uint FillBarColor READ fillBarColor WRITE setFillBarColor NOTIFY FillBarColorChanged)
    Q_PROPERTY(QPixmap MouseIcon READ mouseIcon WRITE setMouseIcon NOTIFY MouseIconChanged)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption NOTIFY CaptionChanged)
    // Enabled and Font are the widget's own state (its "enabled" and "font", which the form
    // designer edits and stores), kept in step with the saved properties.
    Q_PROPERTY(bool Enabled READ gaugeEnabled WRITE setEnabled NOTIFY EnabledChanged
            DESIGNABLE false STORED false)
    Q_PROPERTY(QFont Font READ font WRITE setFont NOTIFY FontChanged DESIGNABLE false STORED false)
    Q_PROPERTY(uint BackColor READ backColor WRITE setBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(uint ForeColor READ foreColor WRITE setForeColor NOTIFY ForeColorChanged)
    Q_PROPERTY(
        enumAppearance Appearance READ appearance WRITE setAppearance NOTIFY AppearanceChanged)

public:
    // The value sets. Each has int as its underlying type, so that a value outside the set can
    // reach the model's check (and be refused there) without being undefined on the way.
    enum GaugeStyleConstants : int {
        HorizontalBar = 0,
        VerticalBar = 1,
        SemiNeedle = 2,
        FullNeedle = 3,
        HorizontalBmp = 4,
        VerticalBmp = 5,
    };
    Q_ENUM(GaugeStyleConstants)
    enum BevelStyleConstants : int {
        qvBevelStyleLowered = 0,
        qvBevelStyleRaised = 1,
        qvBevelStyleChisled = 2,
        qvBevelStyleShadowedRight = 3,
        qvBevelStyleShadowedLeft = 4,
    };
    Q_ENUM(BevelStyleConstants)
    enum BevelStyleInnerConstants : int {
        qvBevelStyleInnerLowered = 0,
        qvBevelStyleInnerRaised = 1,
        qvBevelStyleInnerChisled = 2,
    };
    Q_ENUM(BevelStyleInnerConstants)
    enum BorderStyleConstants : int {
        qvBorderStyleNone = 0,
        qvBorderSingleLine = 1,
        qvBorderRoundedCorners = 2,
    };
    Q_ENUM(BorderStyleConstants)
    enum FontStyleConstants : int {
        qvFontStyleNone = 0,
        qvFontStyleRaised = 1,
        qvFontStyleRaisedShading = 2,
        qvFontStyleLowered = 3,
        qvFontStyleLoweredShading = 4,
    };
    Q_ENUM(FontStyleConstants)
    enum AlignConstants : int {
        AlignToLeft = 0,
        AlignToRight = 1,
        AlignToCenter = 2,
    };
    Q_ENUM(AlignConstants)
    enum ScaleModeConstants : int {
        QvTwips = 1,
        QvPixels = 3,
    };
    Q_ENUM(ScaleModeConstants)
    enum WallpaperConstants : int {
        StretchBlt = 0,
        BitBlt = 1,
        Replicate = 2,
    };
    Q_ENUM(WallpaperConstants)
    enum enumAppearance : int {
        Flat = 0,
        Win3D = 1,
    };
    Q_ENUM(enumAppearance)
    enum MousePointerConstants : int {
        qvDefault = 0,
        qvArrow = 1,
        qvCross = 2,
        qvIBeam = 3,
        qvIcon = 4,
        qvSize = 5,
        qvSizeNESW = 6,
        qvSizeNS = 7,
        qvSizeNWSE = 8,
        qvSizeEW = 9,
        qvUpArrow = 10,
        qvHourglass = 11,
        qvNoDrop = 12,
        qvArrowHourglass = 13,
        qvArrowQuestion = 14,
        qvSizeAll = 15,
        qvCustom = 99,
    };
    Q_ENUM(MousePointerConstants)

    explicit Qv3dGauge(QWidget* parent = nullptr);
    ~Qv3dGauge() override;

    // Run time (the default) or design time. At design time the gauge area gets an outline, a
    // disabled caption is grey and the gauge leaves the cursor alone.
    void setUserMode(bool userMode);
    bool userMode() const;

    // The saved form of every property: the binary stream or the "Name=value" text. Restoring
    // takes what it finds as it is (missing values get their saved defaults) and never fails.
    QByteArray saveState() const;
    void restoreState(const QByteArray& state);
    QString saveText() const;
    void restoreText(const QString& text);
    // The values of a new gauge, with the object's name as the caption.
    void resetState();
    // Whether a property changed since the last save, restore or reset.
    bool isModified() const;
    void markSaved();

    // The property pages' exchange with this gauge.
    void readPropertyPage(PropertyPageModel& page) const;
    ApplyResult applyPropertyPage(PropertyPageModel& page);

    QSize sizeHint() const override;

    // Redraws now.
    Q_INVOKABLE void Refresh();
    // Shows the library's file name, version and location.
    Q_INVOKABLE void AboutBox();

    MousePointerConstants mousePointer() const;
    void setMousePointer(MousePointerConstants value);
    bool fontBold() const;
    void setFontBold(bool value);
    bool fontItalic() const;
    void setFontItalic(bool value);
    QString fontName() const;
    void setFontName(const QString& value);
    float fontSize() const;
    void setFontSize(float value);
    bool fontStrikethru() const;
    void setFontStrikethru(bool value);
    bool fontUnderline() const;
    void setFontUnderline(bool value);
    ScaleModeConstants scaleMode() const;
    void setScaleMode(ScaleModeConstants value);
    int innerTop() const;
    void setInnerTop(int value);
    int innerLeft() const;
    void setInnerLeft(int value);
    int innerRight() const;
    void setInnerRight(int value);
    int innerBottom() const;
    void setInnerBottom(int value);
    int max() const;
    void setMax(int value);
    int min() const;
    void setMin(int value);
    int fillValue() const;
    void setFillValue(int value);
    GaugeStyleConstants gaugeStyle() const;
    void setGaugeStyle(GaugeStyleConstants value);
    bool autosize() const;
    void setAutosize(bool value);
    QPixmap picture() const;
    void setPicture(const QPixmap& value);
    QPixmap pictureFill() const;
    void setPictureFill(const QPixmap& value);
    int needleWidth() const;
    void setNeedleWidth(int value);
    bool reverseFill() const;
    void setReverseFill(bool value);
    BevelStyleConstants bevelStyle() const;
    void setBevelStyle(BevelStyleConstants value);
    int bevelSize() const;
    void setBevelSize(int value);
    BevelStyleInnerConstants bevelStyleInner() const;
    void setBevelStyleInner(BevelStyleInnerConstants value);
    int bevelSizeInner() const;
    void setBevelSizeInner(int value);
    uint fillColor() const;
    void setFillColor(uint value);
    uint shadowColor() const;
    void setShadowColor(uint value);
    uint borderColor() const;
    void setBorderColor(uint value);
    uint lightColor() const;
    void setLightColor(uint value);
    uint textColor() const;
    void setTextColor(uint value);
    BorderStyleConstants borderStyle() const;
    void setBorderStyle(BorderStyleConstants value);
    AlignConstants alignment() const;
    void setAlignment(AlignConstants value);
    FontStyleConstants fontStyle() const;
    void setFontStyle(FontStyleConstants value);
    bool fontTransparent() const;
    void setFontTransparent(bool value);
    bool multiLine() const;
    void setMultiLine(bool value);
    WallpaperConstants wallPaper() const;
    void setWallPaper(WallpaperConstants value);
    uint fillBarColor() const;
    void setFillBarColor(uint value);
    QPixmap mouseIcon() const;
    void setMouseIcon(const QPixmap& value);
    QString caption() const;
    void setCaption(const QString& value);
    bool gaugeEnabled() const;
    uint backColor() const;
    void setBackColor(uint value);
    uint foreColor() const;
    void setForeColor(uint value);
    enumAppearance appearance() const;
    void setAppearance(enumAppearance value);

Q_SIGNALS:
    // The gauge's events.
    void Change();
    void Click();
    void DblClick();
    // A handler may change KeyCode or KeyAscii; 0 swallows the key.
    void KeyDown(short& KeyCode, short Shift);
    void KeyPress(short& KeyAscii);
    void KeyUp(short& KeyCode, short Shift);
    void MouseDown(short Button, short Shift, int X, int Y);
    void MouseMove(short Button, short Shift, int X, int Y);
    void MouseUp(short Button, short Shift, int X, int Y);

    // A value was refused (`code` 380: invalid property value); nothing changed.
    void propertyError(int dispId, int code);
    // Any property changed, by its dispatch identifier; the property's own signal comes first.
    void propertyChanged(int dispId);

    void MousePointerChanged();
    void FontBoldChanged();
    void FontItalicChanged();
    void FontNameChanged();
    void FontSizeChanged();
    void FontStrikethruChanged();
    void FontUnderlineChanged();
    void ScaleModeChanged();
    void InnerTopChanged();
    void InnerLeftChanged();
    void InnerRightChanged();
    void InnerBottomChanged();
    void MaxChanged();
    void MinChanged();
    void FillValueChanged();
    void GaugeStyleChanged();
    void AutosizeChanged();
    void PictureChanged();
    void PictureFillChanged();
    void NeedleWidthChanged();
    void ReverseFillChanged();
    void BevelStyleChanged();
    void BevelSizeChanged();
    void BevelStyleInnerChanged();
    void BevelSizeInnerChanged();
    void FillColorChanged();
    void ShadowColorChanged();
    void BorderColorChanged();
    void LightColorChanged();
    void TextColorChanged();
    void BorderStyleChanged();
    void AlignmentChanged();
    void FontStyleChanged();
    void FontTransparentChanged();
    void MultiLineChanged();
    void WallPaperChanged();
    void FillBarColorChanged();
    void MouseIconChanged();
    void CaptionChanged();
    void EnabledChanged();
    void FontChanged();
    void BackColorChanged();
    void ForeColorChanged();
    void AppearanceChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    friend class Qv3dGaugePrivate;
    std::unique_ptr<Qv3dGaugePrivate> d;
};

} // namespace qvgauge
