#include "GifAnimation.h"

#include "common/ProgramError.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace quillmere {
namespace {

// giflib pulls the file through this callback, from a cursor over the bytes.
struct MemoryReader {
    const std::vector<std::uint8_t>* Bytes;
    std::size_t Position;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
    auto* reader = static_cast<MemoryReader*>(gif->UserData);
    const std::size_t available = reader->Bytes->size() - reader->Position;
    const std::size_t count = std::min(available, static_cast<std::size_t>(std::max(length, 0)));
    if (count > 0) {
        std::memcpy(buffer, reader->Bytes->data() + reader->Position, count);
    }
    reader->Position += count;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

[[noreturn]] void Fail(int error) {
    const char* text = GifErrorString(error);
    throw ProgramError(std::string("Invalid GIF image: ") + (text ? text : "unknown error"));
}

std::uint32_t ToPixel(const GifColorType& colour) {
    return (static_cast<std::uint32_t>(colour.Red) << 16) |
           (static_cast<std::uint32_t>(colour.Green) << 8) | colour.Blue;
}

// The loop count of a "NETSCAPE2.0" (or "ANIMEXTS1.0") application extension
// among the blocks, or -1 when there is none. Its data block is the one after
// the identifier: sub-block id 1, then the count, least significant byte first.
int FindLoopCount(const ExtensionBlock* blocks, int count) {
    for (int i = 0; i + 1 < count; ++i) {
        const ExtensionBlock& block = blocks[i];
        if (block.Function != APPLICATION_EXT_FUNC_CODE || block.ByteCount != 11) {
            continue;
        }
        const bool looping = std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 ||
                             std::memcmp(block.Bytes, "ANIMEXTS1.0", 11) == 0;
        const ExtensionBlock& data = blocks[i + 1];
        if (looping && data.Function == CONTINUE_EXT_FUNC_CODE && data.ByteCount >= 3 &&
            data.Bytes[0] == 1) {
            return data.Bytes[1] | (data.Bytes[2] << 8);
        }
    }
    return -1;
}

} // namespace

Animation DecodeGif(const std::vector<std::uint8_t>& bytes) {
    MemoryReader reader{&bytes, 0};
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&reader, ReadFromMemory, &error));
    if (!gif) {
        Fail(error);
    }
    if (DGifSlurp(gif.get()) != GIF_OK) {
        Fail(gif->Error);
    }
    if (gif->SWidth <= 0 || gif->SHeight <= 0 || gif->ImageCount <= 0) {
        throw ProgramError("Invalid GIF image: no frames");
    }

    Animation animation;
    animation.Width = gif->SWidth;
    animation.Height = gif->SHeight;
    animation.BackgroundIndex = gif->SBackGroundColor;
    animation.AspectByte = gif->AspectByte;
    if (gif->SColorMap) {
        animation.GlobalColourCount = gif->SColorMap->ColorCount;
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
            animation.GlobalColours.push_back(ToPixel(gif->SColorMap->Colors[i]));
        }
    }
    animation.LoopCount = FindLoopCount(gif->ExtensionBlocks, gif->ExtensionBlockCount);
    for (int i = 0; i < gif->ImageCount && animation.LoopCount < 0; ++i) {
        animation.LoopCount = FindLoopCount(gif->SavedImages[i].ExtensionBlocks,
                                            gif->SavedImages[i].ExtensionBlockCount);
    }

    // Disposal "restore to background" clears to the background colour; a
    // viewer without alpha has nothing more transparent to show.
    const std::size_t screenSize = static_cast<std::size_t>(animation.Width) * animation.Height;
    const std::uint32_t background =
        animation.BackgroundIndex < animation.GlobalColourCount
            ? animation.GlobalColours[static_cast<std::size_t>(animation.BackgroundIndex)]
            : 0;
    std::vector<std::uint32_t> screen(screenSize, background);

    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        const GifImageDesc& desc = image.ImageDesc;
        const ColorMapObject* colours = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!colours || !image.RasterBits) {
            throw ProgramError("Invalid GIF image: a frame has no colour table");
        }

        AnimationFrame frame;
        GraphicsControlBlock control{};
        control.TransparentColor = NO_TRANSPARENT_COLOR;
        if (DGifSavedExtensionToGCB(gif.get(), i, &control) == GIF_OK) {
            frame.DelayCentiseconds = control.DelayTime;
            frame.Disposal = control.DisposalMode;
            frame.TransparentIndex = control.TransparentColor;
        }
        frame.Left = desc.Left;
        frame.Top = desc.Top;
        frame.ImageWidth = desc.Width;
        frame.ImageHeight = desc.Height;
        frame.Interlaced = desc.Interlace;
        frame.LocalColourCount = desc.ColorMap ? desc.ColorMap->ColorCount : 0;

        const std::vector<std::uint32_t> beforeFrame = screen;
        for (int y = 0; y < desc.Height; ++y) {
            const int screenY = desc.Top + y;
            if (screenY < 0 || screenY >= animation.Height) {
                continue;
            }
            for (int x = 0; x < desc.Width; ++x) {
                const int screenX = desc.Left + x;
                if (screenX < 0 || screenX >= animation.Width) {
                    continue;
                }
                const int index = image.RasterBits[static_cast<std::size_t>(y) * desc.Width + x];
                if (index == frame.TransparentIndex || index >= colours->ColorCount) {
                    continue;
                }
                screen[static_cast<std::size_t>(screenY) * animation.Width + screenX] =
                    ToPixel(colours->Colors[index]);
            }
        }
        frame.Pixels = screen;
        animation.Frames.push_back(std::move(frame));

        // What the next frame is drawn over.
        const int disposal = animation.Frames.back().Disposal;
        if (disposal == DISPOSE_BACKGROUND) {
            for (int y = std::max(desc.Top, 0);
                 y < std::min(desc.Top + desc.Height, animation.Height); ++y) {
                for (int x = std::max(desc.Left, 0);
                     x < std::min(desc.Left + desc.Width, animation.Width); ++x) {
                    screen[static_cast<std::size_t>(y) * animation.Width + x] = background;
                }
            }
        } else if (disposal == DISPOSE_PREVIOUS) {
            screen = beforeFrame;
        }
    }
    return animation;
}

} // namespace quillmere
