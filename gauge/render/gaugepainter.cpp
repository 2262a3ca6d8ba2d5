#include "render/gaugepainter.h"

#include "render/captionlayout.h"
#include "render/framegeometry.h"
#include "render/gaugegeometry.h"
#include "render/gaugelook.h"
#include "render/pictureholder.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace qvgauge {

namespace {

QRect toQRect(const PixelRect& rect)
{
    return { rect.left, rect.top, rect.width(), rect.height() };
}

QImage blankImage(int width, int height, QRgb color, int dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(1.0);
    const int dotsPerMeter = static_cast<int>(std::lround((dpi > 0 ? dpi : 96) / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(QColor::fromRgb(color));
    return image;
}

// One paint: the look, its colours resolved once, and the painter on the work image.
class GaugePaint {
public:
    GaugePaint(const GaugeLook& look, const PaintEnvironment& environment, QImage& image)
        : m_look(look)
        , m_environment(environment)
        , m_painter(&image)
        , m_margins(marginsOf(look))
        , m_frame(drawingFrame(look.width, look.height, m_margins))
        , m_face(color(look.fillColor))
        , m_bar(color(look.fillBarColor))
    {
        // Every rule here is a pixel rule; blending would smear the edges the geometry sets.
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setRenderHint(QPainter::TextAntialiasing, false);
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        m_painter.setPen(Qt::NoPen);
    }

    void run()
    {
        const bool bitmapMode = usesBitmapMode(m_look);
        if (hasPicture())
            fill({ 0, 0, m_look.width, m_look.height }, qRgb(255, 255, 255));
        else
            drawFrames();
        if (bitmapMode)
            drawBitmapGauge();
        else
            drawDrawnGauge();
        if (const auto outline = designOutline(m_look))
            for (const PixelRect& line : outlineOf(*outline))
                fill(line, qRgb(0, 0, 0));
        drawCaption(bitmapMode);
    }

private:
    QRgb color(OleColor value) const { return m_environment.colors.resolve(value); }

    bool hasPicture() const { return m_look.picture.width() > 0 && m_look.picture.height() > 0; }

    void fill(const PixelRect& rect, QRgb rgb)
    {
        if (!rect.isEmpty())
            m_painter.fillRect(toQRect(rect), QColor::fromRgb(rgb));
    }

    void drawFrames()
    {
        const PixelRect inner = bitmapFrame(m_look.width, m_look.height, m_margins)
                                    .inflated(sizeOf(m_look.bevelSizeInner));
        drawFrame({ 0, 0, m_look.width, m_look.height }, m_look.bevelSize, m_look.borderStyle,
            validBevel(m_look.bevelStyle));
        drawFrame(inner, m_look.bevelSizeInner, BorderStyle::None,
            validInnerBevel(m_look.bevelStyleInner));
    }

    static int sizeOf(int value) { return std::clamp(value, 0, 32767); }

    void drawFrame(const PixelRect& rect, int width, BorderStyle border, BevelStyle bevel)
    {
        for (const FramePiece& piece : framePieces(rect, sizeOf(width), border, bevel)) {
            if (piece.color == FrameColor::ChiselPattern)
                m_painter.fillRect(toQRect(piece.rect), chiselBrush());
            else
                fill(piece.rect, frameColor(piece.color));
        }
    }

    QRgb frameColor(FrameColor role) const
    {
        switch (role) {
        case FrameColor::Border:
            return color(m_look.borderColor);
        case FrameColor::Shadow:
            return color(m_look.shadowColor);
        case FrameColor::Light:
            return color(m_look.lightColor);
        case FrameColor::ParentBackground:
            return color(m_look.parentBackground);
        case FrameColor::Face:
        case FrameColor::ChiselPattern:
            break;
        }
        return m_face;
    }

    // The 8 x 8 pattern, anchored at the image's origin like every brush here.
    QBrush chiselBrush() const
    {
        QImage pattern(8, 8, QImage::Format_RGB32);
        const QRgb light = color(m_look.lightColor);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                pattern.setPixel(x, y, chiselIsLight(x, y) ? light : m_face);
        return QBrush(pattern);
    }

    void drawDrawnGauge()
    {
        if (hasPicture()) {
            const CQVPictureHolder holder(m_look.picture);
            holder.Render(&m_painter, QRect(0, 0, m_look.width, m_look.height),
                static_cast<int>(validWallPaper(m_look.wallPaper)), 0, 0, m_face);
        }
        const GaugeStyle style = validStyle(m_look.style);
        switch (style) {
        case GaugeStyle::SemiNeedle:
        case GaugeStyle::FullNeedle:
            drawNeedle(style);
            return;
        case GaugeStyle::VerticalBar:
        case GaugeStyle::VerticalBmp:
            drawBar(true);
            return;
        case GaugeStyle::HorizontalBar:
        case GaugeStyle::HorizontalBmp:
            drawBar(false);
            return;
        }
    }

    void drawBar(bool vertical)
    {
        const BarSplit split = barSplit(
            vertical, m_look.reverseFill, m_frame, m_look.min, m_look.max, m_look.fillValue);
        fill(split.bar, m_bar);
        fill(split.face, m_face);
    }

    void drawNeedle(GaugeStyle style)
    {
        const NeedleLine line =
            needleLine(style, m_frame, m_look.min, m_look.max, m_look.fillValue);
        QPen pen(QColor::fromRgb(m_bar));
        pen.setWidth(needlePenWidth(std::min(m_look.needleWidth, 32767)));
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        m_painter.setPen(pen);
        m_painter.drawLine(line.centre, line.end);
        m_painter.setPen(Qt::NoPen);
    }

    // The empty picture everywhere, and the full one over the filled share of the bitmap frame.
    void drawBitmapGauge()
    {
        const QRect bounds(0, 0, m_look.width, m_look.height);
        const int mode = static_cast<int>(validWallPaper(m_look.wallPaper));
        QImage empty = blankImage(m_look.width, m_look.height, m_face, m_environment.dpi);
        QImage full = blankImage(m_look.width, m_look.height, m_face, m_environment.dpi);
        {
            QPainter painter(&empty);
            CQVPictureHolder(m_look.picture).Render(&painter, bounds, mode, 0, 0, m_face);
        }
        {
            QPainter painter(&full);
            CQVPictureHolder(m_look.pictureFill).Render(&painter, bounds, mode, 0, 0, m_face);
        }
        m_painter.drawImage(0, 0, empty);
        const bool vertical = validStyle(m_look.style) == GaugeStyle::VerticalBmp;
        const BitmapReveal reveal = bitmapReveal(vertical, m_look.reverseFill,
            bitmapFrame(m_look.width, m_look.height, m_margins), m_look.min, m_look.max,
            m_look.fillValue);
        if (reveal.shown.isEmpty())
            return;
        m_painter.save();
        m_painter.setClipRect(toQRect(reveal.shown));
        m_painter.drawImage(reveal.offset, full);
        m_painter.restore();
    }

    void drawCaption(bool bitmapMode)
    {
        if (m_look.caption.isEmpty())
            return;
        const PixelRect area =
            bitmapMode ? bitmapFrame(m_look.width, m_look.height, m_margins) : m_frame.textRect();
        QFont font = m_look.font;
        font.setStyleStrategy(QFont::NoAntialias);
        m_painter.save();
        m_painter.setFont(font);
        m_painter.setBackground(QColor::fromRgb(m_face));
        const int flags = captionFlags(m_look.alignment, m_look.multiLine);
        const bool styled = m_look.enabled || m_look.userMode;
        if (!styled) {
            // A disabled gauge at design time shows its caption flat and grey.
            m_painter.setBackgroundMode(
                m_look.fontTransparent ? Qt::TransparentMode : Qt::OpaqueMode);
            m_painter.setPen(QColor::fromRgb(
                disabledCaptionColor(m_environment.colors.at(ColorGrayText), m_face)));
            m_painter.drawText(toQRect(area), flags, m_look.caption);
        } else {
            for (const CaptionPass& pass :
                captionPasses(m_look.fontStyle, m_look.fontTransparent)) {
                m_painter.setBackgroundMode(pass.opaque ? Qt::OpaqueMode : Qt::TransparentMode);
                m_painter.setPen(QColor::fromRgb(captionColor(pass.color)));
                m_painter.drawText(
                    toQRect(area.translated(pass.dx, pass.dy)), flags, m_look.caption);
            }
        }
        m_painter.restore();
    }

    QRgb captionColor(CaptionColor role) const
    {
        switch (role) {
        case CaptionColor::Light:
            return color(m_look.lightColor);
        case CaptionColor::Shadow:
            return color(m_look.shadowColor);
        case CaptionColor::Text:
            break;
        }
        return color(m_look.textColor);
    }

    const GaugeLook& m_look;
    const PaintEnvironment& m_environment;
    QPainter m_painter;
    PixelMargins m_margins;
    DrawingFrame m_frame;
    QRgb m_face;
    QRgb m_bar;
};

} // namespace

QImage paintGauge(const GaugeLook& look, const PaintEnvironment& environment)
{
    // Nothing to paint on a control without width or height.
    if (look.width <= 0 || look.height <= 0)
        return {};
    QImage image = blankImage(
        look.width, look.height, environment.colors.resolve(look.fillColor), environment.dpi);
    if (image.isNull())
        return image;
    GaugePaint(look, environment, image).run();
    return image;
}

} // namespace qvgauge
