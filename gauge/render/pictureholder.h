#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

#include "model/gaugetypes.h"

class QPainter;

namespace qvgauge {

// How Render combines the picture with what the target already shows.
enum class RasterOp { Copy, And, Or, Xor };

// Holds one picture and draws it into a rectangle: stretched, once, or tiled, and transparently
// through a mask picture or a key colour. Other controls may use it for their own pictures.
class CQVPictureHolder {
public:
    CQVPictureHolder() = default;
    explicit CQVPictureHolder(QImage picture, PictureKind kind = PictureKind::Bitmap);
    virtual ~CQVPictureHolder() = default;
    CQVPictureHolder(const CQVPictureHolder&) = default;
    CQVPictureHolder& operator=(const CQVPictureHolder&) = default;

    void setPicture(QImage picture, PictureKind kind = PictureKind::Bitmap);
    const QImage& picture() const { return m_picture; }
    PictureKind kind() const { return m_kind; }
    // True when there is nothing to draw: no picture, or one without pixels.
    bool isEmpty() const;

    // Draws the picture into `rect` of the target, over `background`, in wallpaper mode 0
    // (stretched), 1 (once, placed by the alignments) or 2 (tiled from the top-left corner); any
    // other mode stretches. Drawing stays inside `rect` and, when given, inside `clip`.
    virtual void Render(QPainter* target, const QRect& rect, int wallPaper, int horizontal,
        int vertical, QRgb background, RasterOp op = RasterOp::Copy,
        const QRect* clip = nullptr) const;
    // Draws the picture stretched to `rect` where the mask picture, stretched likewise, is
    // black; where the mask is white the target stays as it was.
    virtual void Mask(
        QPainter* target, const QRect& rect, const CQVPictureHolder* mask, const QRect* clip) const;
    // Draws the picture stretched to `rect`, leaving the target untouched wherever the picture
    // has the key colour. An icon draws with its own transparency instead.
    virtual void Mask(QPainter* target, const QRect& rect, QRgb keyColor, const QRect* clip) const;

    // Diagnostic aid: shows the `rect` parts of two work images side by side on `desktop`,
    // the first at (0, 10) and the second 10 pixels to its right.
    void ShowStatus(QPainter* desktop, const QImage& first, const QImage& second, QRect rect) const;

private:
    QImage m_picture;
    PictureKind m_kind = PictureKind::Empty;
};

} // namespace qvgauge
