#include "support/gifdecoder.h"

#include <cstring>
#include <gif_lib.h>
#include <numeric>

namespace marquis::testing {
namespace {

struct Source {
    const std::string* bytes;
    std::size_t position = 0;
};

int readBytes(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* source = static_cast<Source*>(gif->UserData);
    const std::size_t count =
        std::min(static_cast<std::size_t>(length), source->bytes->size() - source->position);
    std::memcpy(buffer, source->bytes->data() + source->position, count);
    source->position += count;
    return static_cast<int>(count);
}

} // namespace

long long DecodedGif::totalDelay() const
{
    return std::accumulate(delays.begin(), delays.end(), 0LL);
}

DecodedGif decodeGif(const std::string& bytes)
{
    DecodedGif result;
    Source source { &bytes };
    int error = 0;
    GifFileType* gif = DGifOpen(&source, readBytes, &error);
    if (!gif) {
        result.error = GifErrorString(error);
        return result;
    }
    if (DGifSlurp(gif) == GIF_ERROR) {
        result.error = GifErrorString(gif->Error);
        DGifCloseFile(gif, &error);
        return result;
    }
    result.width = gif->SWidth;
    result.height = gif->SHeight;
    result.paletteSize = gif->SColorMap ? gif->SColorMap->ColorCount : 0;
    QImage canvas(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        for (int e = 0; e + 1 < image.ExtensionBlockCount; ++e) {
            const ExtensionBlock& block = image.ExtensionBlocks[e];
            if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
                std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0)
                result.loops = image.ExtensionBlocks[e + 1].ByteCount == 3 &&
                    image.ExtensionBlocks[e + 1].Bytes[0] == 1;
        }
        GraphicsControlBlock control {};
        DGifSavedExtensionToGCB(gif, i, &control);
        result.delays.push_back(control.DelayTime);
        const GifImageDesc& desc = image.ImageDesc;
        result.localPalettes = result.localPalettes || desc.ColorMap != nullptr;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        result.rects.emplace_back(desc.Left, desc.Top, desc.Width, desc.Height);
        for (int y = 0; y < desc.Height; ++y)
            for (int x = 0; x < desc.Width; ++x) {
                const GifColorType colour = map->Colors[image.RasterBits[y * desc.Width + x]];
                canvas.setPixel(
                    desc.Left + x, desc.Top + y, qRgb(colour.Red, colour.Green, colour.Blue));
            }
        result.frames.push_back(canvas.copy());
    }
    DGifCloseFile(gif, &error);
    result.ok = true;
    return result;
}

} // namespace marquis::testing
