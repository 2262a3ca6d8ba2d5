#include "render/pictureholder.h"

#include "render/pictureplacement.h"

#include <QPainter>

namespace qvgauge {

namespace {

QPainter::CompositionMode compositionOf(RasterOp op)
{
    switch (op) {
    case RasterOp::And:
        return QPainter::RasterOp_SourceAndDestination;
    case RasterOp::Or:
        return QPainter::RasterOp_SourceOrDestination;
    case RasterOp::Xor:
        return QPainter::RasterOp_SourceXorDestination;
    case RasterOp::Copy:
        break;
    }
    return QPainter::CompositionMode_Source;
}

bool usable(const QPainter* target, const QRect& rect)
{
    return target != nullptr && target->isActive() && rect.width() > 0 && rect.height() > 0;
}

// Limits the target's drawing to the rectangle and the optional clip, on top of any clip the
// caller already set; undone by the painter's restore().
void clipTo(QPainter* target, const QRect& rect, const QRect* clip)
{
    const QRect area = clip != nullptr ? rect.intersected(*clip) : rect;
    target->setClipRect(area, target->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

QImage filled(QSize size, QRgb color)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor::fromRgb(qRgb(qRed(color), qGreen(color), qBlue(color))));
    return image;
}

} // namespace

CQVPictureHolder::CQVPictureHolder(QImage picture, PictureKind kind)
{
    setPicture(std::move(picture), kind);
}

void CQVPictureHolder::setPicture(QImage picture, PictureKind kind)
{
    m_picture = std::move(picture);
    m_kind = m_picture.isNull() ? PictureKind::Empty : kind;
}

bool CQVPictureHolder::isEmpty() const
{
    return m_kind == PictureKind::Empty || m_picture.width() <= 0 || m_picture.height() <= 0;
}

void CQVPictureHolder::Render(QPainter* target, const QRect& rect, int wallPaper, int horizontal,
    int vertical, QRgb background, RasterOp op, const QRect* clip) const
{
    // A picture without pixels has nothing to draw, and tiling it would never advance.
    if (isEmpty() || !usable(target, rect))
        return;

    const QSize size = m_picture.size();
    QImage work = filled(size, background);
    {
        QPainter painter(&work);
        if (m_kind == PictureKind::Icon)
            Mask(&painter, QRect(QPoint(0, 0), size), background, nullptr);
        else
            painter.drawImage(0, 0, m_picture);
    }

    target->save();
    clipTo(target, rect, clip);
    target->setCompositionMode(compositionOf(op));
    const PixelRect area { rect.left(), rect.top(), rect.left() + rect.width(),
        rect.top() + rect.height() };
    switch (wallPaper) {
    case 1:
        target->drawImage(oncePosition(area, size, horizontal, vertical), work);
        break;
    case 2:
        for (const QPoint& origin : tileOrigins(area, size))
            target->drawImage(origin, work);
        break;
    default:
        target->drawImage(rect, work);
        break;
    }
    target->restore();
}

void CQVPictureHolder::Mask(
    QPainter* target, const QRect& rect, const CQVPictureHolder* mask, const QRect* clip) const
{
    if (isEmpty() || mask == nullptr || mask->isEmpty() || !usable(target, rect))
        return;
    const QRect local(QPoint(0, 0), rect.size());
    // The mask's black shows the picture: the mask is ANDed onto the target, then the picture,
    // over black, ORed onto it.
    QImage maskImage = filled(rect.size(), qRgb(255, 255, 255));
    QImage pictureImage = filled(rect.size(), qRgb(0, 0, 0));
    {
        QPainter painter(&maskImage);
        mask->Render(&painter, local, 0, 0, 0, qRgb(255, 255, 255));
    }
    {
        QPainter painter(&pictureImage);
        Render(&painter, local, 0, 0, 0, qRgb(0, 0, 0));
    }
    target->save();
    clipTo(target, rect, clip);
    target->setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    target->drawImage(rect.topLeft(), maskImage);
    target->setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    target->drawImage(rect.topLeft(), pictureImage);
    target->restore();
}

void CQVPictureHolder::Mask(
    QPainter* target, const QRect& rect, QRgb keyColor, const QRect* clip) const
{
    if (isEmpty() || !usable(target, rect))
        return;
    target->save();
    clipTo(target, rect, clip);
    target->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (m_kind == PictureKind::Icon) {
        target->drawImage(rect, m_picture);
        target->restore();
        return;
    }
    QImage work = filled(rect.size(), keyColor);
    {
        QPainter painter(&work);
        painter.drawImage(QRect(QPoint(0, 0), rect.size()), m_picture);
    }
    // Pixels of the key colour become see-through, so the target keeps its own there.
    work = work.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(qRed(keyColor), qGreen(keyColor), qBlue(keyColor));
    for (int y = 0; y < work.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(work.scanLine(y));
        for (int x = 0; x < work.width(); ++x)
            if (line[x] == key)
                line[x] = 0;
    }
    target->drawImage(rect.topLeft(), work);
    target->restore();
}

void CQVPictureHolder::ShowStatus(
    QPainter* desktop, const QImage& first, const QImage& second, QRect rect) const
{
    if (desktop == nullptr || !desktop->isActive() || rect.width() <= 0 || rect.height() <= 0)
        return;
    desktop->drawImage(QPoint(0, 10), first, rect);
    desktop->drawImage(QPoint(rect.width() + 10, 10), second, rect);
}

} // namespace qvgauge
