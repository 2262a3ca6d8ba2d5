#include "widgets/picturecodec.h"

#include <QBuffer>

namespace qvgauge {

QImage decodePicture(const Picture& picture)
{
    if (picture.isEmpty() || picture.data.empty())
        return {};
    return QImage::fromData(
        reinterpret_cast<const uchar*>(picture.data.data()), static_cast<int>(picture.data.size()));
}

Picture encodePicture(const QImage& image, PictureKind kind)
{
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return { kind, std::vector<std::uint8_t>(first, first + bytes.size()) };
}

} // namespace qvgauge
