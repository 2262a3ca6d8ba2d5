#include "preview/gifanimation.h"

#include "files/filesystem.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <limits>

namespace marquis {
namespace {

// The rectangle in which two pictures of one size differ; empty when they are equal.
QRect changedRect(const QImage& before, const QImage& after)
{
    const int width = after.width();
    const auto rowBytes = static_cast<std::size_t>(width) * sizeof(QRgb);
    const auto differs = [&](int y) {
        return std::memcmp(before.constScanLine(y), after.constScanLine(y), rowBytes) != 0;
    };
    int top = 0;
    while (top < after.height() && !differs(top))
        ++top;
    if (top == after.height())
        return {};
    int bottom = after.height() - 1;
    while (!differs(bottom))
        --bottom;
    int left = width;
    int right = -1;
    for (int y = top; y <= bottom; ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        for (int x = 0; x < left; ++x)
            if (a[x] != b[x]) {
                left = x;
                break;
            }
        for (int x = width - 1; x > right; --x)
            if (a[x] != b[x]) {
                right = x;
                break;
            }
    }
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

int squaredDistance(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b);
    const int g = qGreen(a) - qGreen(b);
    const int bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

// giflib hands the encoded bytes to this function instead of a file.
int appendBytes(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<std::string*>(gif->UserData)
        ->append(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length));
    return length;
}

std::string gifError(const char* step, int code)
{
    const char* text = GifErrorString(code);
    return std::string("The GIF encoder failed while ") + step + ": " +
        (text ? text : "unknown error " + std::to_string(code));
}

} // namespace

GifAnimation::GifAnimation(QSize size, bool loop)
    : m_size(size)
    , m_loop(loop)
{
}

std::vector<int> GifAnimation::delays() const
{
    std::vector<int> result;
    for (const Frame& frame : m_frames)
        result.push_back(frame.delay);
    return result;
}

bool GifAnimation::addFrame(const QImage& picture, long long durationMs)
{
    if (picture.size() != m_size || m_size.isEmpty())
        return false;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    m_elapsedMs += std::max(0LL, durationMs);
    // Each frame ends at its true time rounded to the nearest hundredth, so the rounding of
    // one frame is made good by the next.
    const long long endCs = (m_elapsedMs + 5) / 10;
    long long delay = endCs - m_shownCs;
    if (m_frames.empty()) {
        store(image, QRect(QPoint(0, 0), m_size), 0);
    } else if (delay == 0) {
        return true;
    } else {
        const QRect rect = changedRect(m_shown, image);
        // An unchanged picture still needs a frame for its time: one pixel, drawn again.
        store(image, rect.isEmpty() ? QRect(0, 0, 1, 1) : rect, 0);
    }
    m_shown = image;
    // A frame holds at most MaxDelay; a longer one goes on in one-pixel frames.
    for (;;) {
        const auto part = static_cast<int>(std::min<long long>(delay, MaxDelay));
        m_frames.back().delay = part;
        m_shownCs += part;
        delay -= part;
        if (delay == 0)
            break;
        store(image, QRect(0, 0, 1, 1), 0);
    }
    return true;
}

void GifAnimation::store(const QImage& image, QRect rect, int delay)
{
    Frame frame { rect, {}, delay };
    frame.pixels.reserve(
        static_cast<std::size_t>(rect.width()) * static_cast<std::size_t>(rect.height()));
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QRgb last = 0;
        std::uint8_t lastIndex = 0;
        bool known = false;
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb colour = line[x] | 0xFF000000u;
            if (!known || colour != last) {
                last = colour;
                lastIndex = indexOf(colour);
                known = true;
            }
            frame.pixels.push_back(lastIndex);
        }
    }
    m_frames.push_back(std::move(frame));
}

// The palette grows with the colours as they come. Should a picture bring more than a GIF
// holds, the extra colours take the nearest colour already there.
std::uint8_t GifAnimation::indexOf(QRgb colour)
{
    if (const auto found = m_indices.find(colour); found != m_indices.end())
        return found->second;
    std::uint8_t index = 0;
    if (m_palette.size() < MaxColours) {
        index = static_cast<std::uint8_t>(m_palette.size());
        m_palette.push_back(colour);
    } else {
        int best = std::numeric_limits<int>::max();
        for (std::size_t i = 0; i < m_palette.size(); ++i) {
            if (const int distance = squaredDistance(colour, m_palette[i]); distance < best) {
                best = distance;
                index = static_cast<std::uint8_t>(i);
            }
        }
    }
    m_indices.emplace(colour, index);
    return index;
}

GifOutcome GifAnimation::encode(std::string& bytes) const
{
    bytes.clear();
    if (m_frames.empty())
        return GifOutcome::failure("The animation has no frames.");
    int error = 0;
    GifFileType* gif = EGifOpen(&bytes, appendBytes, &error);
    if (!gif)
        return GifOutcome::failure(gifError("starting", error));
    // Closes the encoder on every way out; the first failure is the one reported.
    GifOutcome outcome;
    const auto check = [&](int result, const char* step) {
        if (outcome.ok && result == GIF_ERROR)
            outcome = GifOutcome::failure(gifError(step, gif->Error));
        return outcome.ok;
    };
    EGifSetGifVersion(gif, true);
    const int bits = std::max(1, GifBitSize(static_cast<int>(m_palette.size())));
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    if (!map) {
        EGifCloseFile(gif, &error);
        return GifOutcome::failure("The GIF encoder ran out of memory.");
    }
    for (int i = 0; i < map->ColorCount; ++i) {
        const QRgb colour =
            i < static_cast<int>(m_palette.size()) ? m_palette[static_cast<std::size_t>(i)] : 0;
        map->Colors[i] = { static_cast<GifByteType>(qRed(colour)),
            static_cast<GifByteType>(qGreen(colour)), static_cast<GifByteType>(qBlue(colour)) };
    }
    check(EGifPutScreenDesc(gif, m_size.width(), m_size.height(), 8, 0, map), "writing the header");
    GifFreeMapObject(map);
    if (m_loop && outcome.ok) {
        // Plays again and again: the application extension with a loop count of 0.
        static const GifByteType Netscape[] = "NETSCAPE2.0";
        static const GifByteType Forever[] = { 1, 0, 0 };
        check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), "writing the loop") &&
            check(EGifPutExtensionBlock(gif, 11, Netscape), "writing the loop") &&
            check(EGifPutExtensionBlock(gif, 3, Forever), "writing the loop") &&
            check(EGifPutExtensionTrailer(gif), "writing the loop");
    }
    for (const Frame& frame : m_frames) {
        if (!outcome.ok)
            break;
        GraphicsControlBlock control {};
        control.DisposalMode = DISPOSE_DO_NOT;
        control.UserInputFlag = false;
        control.DelayTime = frame.delay;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension),
            "writing a frame's delay");
        check(EGifPutImageDesc(gif, frame.rect.x(), frame.rect.y(), frame.rect.width(),
                  frame.rect.height(), false, nullptr),
            "writing a frame");
        const int width = frame.rect.width();
        for (int y = 0; y < frame.rect.height() && outcome.ok; ++y) {
            auto* line = const_cast<GifPixelType*>(frame.pixels.data()) +
                static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
            check(EGifPutLine(gif, line, width), "writing a frame");
        }
    }
    if (EGifCloseFile(gif, &error) == GIF_ERROR && outcome.ok)
        outcome = GifOutcome::failure(gifError("finishing the file", error));
    if (!outcome.ok)
        bytes.clear();
    return outcome;
}

GifOutcome GifAnimation::write(FileSystem& files, const std::string& path) const
{
    std::string bytes;
    if (GifOutcome encoded = encode(bytes); !encoded.ok)
        return encoded;
    return replaceFile(files, path, bytes);
}

GifOutcome replaceFile(FileSystem& files, const std::string& path, std::string_view bytes)
{
    const std::string partial = path + ".part";
    std::unique_ptr<OutputFile> file = files.create(partial);
    bool ok = file && file->write(bytes);
    ok = file && file->commit(true) && ok;
    ok = ok && files.replace(partial, path);
    if (!ok) {
        if (file)
            files.remove(partial);
        return GifOutcome::failure("Cannot write the file " + path + ".");
    }
    return {};
}

} // namespace marquis
