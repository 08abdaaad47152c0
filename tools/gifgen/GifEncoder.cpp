#include "GifEncoder.h"

#include <gif_lib.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace gifgen {
namespace {

int AppendToVector(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

struct ColourMapFreer {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

void Check(int result, GifFileType* gif, const char* step) {
    if (result != GIF_OK) {
        throw std::runtime_error(std::string("GIF encoder failed at ") + step + ": " +
                                 GifErrorString(gif->Error));
    }
}

} // namespace

std::vector<std::uint8_t> EncodeLoopingGif(const std::vector<IndexedImage>& frames,
                                           const std::vector<Rgb>& colours, int delayCentiseconds) {
    if (frames.empty() || colours.size() != 256) {
        throw std::runtime_error("GIF encoder needs frames and 256 colours");
    }
    std::vector<std::uint8_t> out;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&out, AppendToVector, &error));
    if (!gif) {
        throw std::runtime_error(std::string("GIF encoder did not open: ") + GifErrorString(error));
    }

    std::vector<GifColorType> table;
    for (const Rgb& colour : colours) {
        table.push_back(GifColorType{colour.Red, colour.Green, colour.Blue});
    }
    std::unique_ptr<ColorMapObject, ColourMapFreer> map(
        GifMakeMapObject(static_cast<int>(table.size()), table.data()));
    if (!map) {
        throw std::runtime_error("GIF encoder: out of memory");
    }

    const int width = frames.front().Width;
    const int height = frames.front().Height;
    EGifSetGifVersion(gif.get(), true);
    gif->AspectByte = 0;
    Check(EGifPutScreenDesc(gif.get(), width, height, 8, 0, map.get()), gif.get(), "screen");

    // "NETSCAPE2.0" with sub-block 1 and loop count 0: repeat for ever.
    static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A',
                                               'P', 'E', '2', '.', '0'};
    static const GifByteType kLoopForever[] = {1, 0, 0};
    Check(EGifPutExtensionLeader(gif.get(), APPLICATION_EXT_FUNC_CODE), gif.get(), "loop");
    Check(EGifPutExtensionBlock(gif.get(), sizeof kApplication, kApplication), gif.get(), "loop");
    Check(EGifPutExtensionBlock(gif.get(), sizeof kLoopForever, kLoopForever), gif.get(), "loop");
    Check(EGifPutExtensionTrailer(gif.get()), gif.get(), "loop");

    for (const IndexedImage& frame : frames) {
        if (frame.Width != width || frame.Height != height) {
            throw std::runtime_error("GIF encoder: frames differ in size");
        }
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSAL_UNSPECIFIED;
        control.UserInputFlag = false;
        control.DelayTime = delayCentiseconds;
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        const std::size_t length = EGifGCBToExtension(&control, extension);
        Check(EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length),
                               extension),
              gif.get(), "graphic control");
        Check(EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr), gif.get(), "image");
        std::vector<GifPixelType> row(static_cast<std::size_t>(width));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                row[static_cast<std::size_t>(x)] =
                    frame.Pixels[static_cast<std::size_t>(y * width + x)];
            }
            Check(EGifPutLine(gif.get(), row.data(), width), gif.get(), "pixels");
        }
    }

    GifFileType* raw = gif.release();
    if (EGifCloseFile(raw, &error) != GIF_OK) {
        throw std::runtime_error(std::string("GIF encoder failed to finish: ") +
                                 GifErrorString(error));
    }
    return out;
}

} // namespace gifgen
