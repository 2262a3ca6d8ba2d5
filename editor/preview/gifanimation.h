#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace marquis {

class FileSystem;

// How writing an animation ended: ok, or the reason it failed in words for the user.
struct GifOutcome {
    bool ok = true;
    std::string error;

    static GifOutcome failure(std::string text) { return { false, std::move(text) }; }
};

// An animated GIF built frame by frame from images of one size. Every frame keeps only the
// rectangle that changed since the frame before it (drawn over it, never cleared), all frames
// share one palette of the images' exact colours, and each frame's delay is its true duration:
// delays are whole hundredths of a second, and the rounding is carried from frame to frame so
// that they add up to the time played.
class GifAnimation {
public:
    static constexpr int MaxColours = 256;
    static constexpr int MaxDelay = 65535; // hundredths of a second, the most one frame holds

    GifAnimation(QSize size, bool loop);

    // Adds the next picture, shown for `durationMs`. A picture that would be shown for less
    // than a hundredth of a second after the first is passed over: no viewer could show it.
    // False (and nothing added) when the picture has another size.
    bool addFrame(const QImage& image, long long durationMs);
    void setLoop(bool loop) { m_loop = loop; }

    QSize size() const { return m_size; }
    bool loops() const { return m_loop; }
    // Frames stored so far, and the time they add up to in hundredths of a second.
    int frameCount() const { return static_cast<int>(m_frames.size()); }
    long long totalDelay() const { return m_shownCs; }
    // The delay of each stored frame, in hundredths of a second.
    std::vector<int> delays() const;
    int colourCount() const { return static_cast<int>(m_palette.size()); }

    // The whole file; an error text when giflib refuses it or nothing was added.
    GifOutcome encode(std::string& bytes) const;
    // Encodes and writes the file through replaceFile.
    GifOutcome write(FileSystem& files, const std::string& path) const;

private:
    struct Frame {
        QRect rect;
        std::vector<std::uint8_t> pixels; // palette indices, row by row
        int delay = 0; // hundredths of a second
    };

    std::uint8_t indexOf(QRgb colour);
    void store(const QImage& image, QRect rect, int delay);

    QSize m_size;
    bool m_loop = false;
    std::vector<Frame> m_frames;
    std::vector<QRgb> m_palette;
    std::unordered_map<QRgb, std::uint8_t> m_indices;
    QImage m_shown; // the picture the stored frames add up to
    long long m_elapsedMs = 0; // time of the pictures added, passed-over ones included
    long long m_shownCs = 0; // the stored frames' delays added up
};

// Writes `bytes` to a file beside `path` and renames it into place, so that a failure leaves
// the old file (or none) and never a part of the new one.
GifOutcome replaceFile(FileSystem& files, const std::string& path, std::string_view bytes);

} // namespace marquis
