#pragma once

#include "model/picture.h"

#include <QImage>

namespace qvgauge {

// A picture's pixels, or a null image when it is empty or its data cannot be read.
QImage decodePicture(const Picture& picture);

// An image as a picture of `kind`, its pixels kept as PNG. A null image gives an empty picture.
Picture encodePicture(const QImage& image, PictureKind kind);

} // namespace qvgauge
