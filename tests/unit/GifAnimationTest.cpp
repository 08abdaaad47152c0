#include "app/GifAnimation.h"
#include "common/ProgramError.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>

namespace quillmere {
namespace {

// A tiny GIF written with giflib's encoder, frame by frame, for the decoder
// to read back. Colours: index 0 black, 1 red, 2 green, 3 blue.
struct TestFrame {
    int Left, Top, Width, Height;
    std::vector<GifPixelType> Pixels; // Width x Height, rows top to bottom
    int Disposal = DISPOSAL_UNSPECIFIED;
    int Transparent = NO_TRANSPARENT_COLOR;
    int Delay = 10;
    bool Interlaced = false;
    bool LocalColours = false; // 4 entries: index 1 becomes white
};

int Append(GifFileType* gif, const GifByteType* bytes, int length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

std::vector<std::uint8_t> WriteGif(int width, int height, int background, int loopCount,
                                   const std::vector<TestFrame>& frames) {
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, Append, &error);
    GifColorType global[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    GifColorType local[4] = {{0, 0, 0}, {255, 255, 255}, {0, 255, 0}, {0, 0, 255}};
    ColorMapObject* globalMap = GifMakeMapObject(4, global);
    ColorMapObject* localMap = GifMakeMapObject(4, local);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, width, height, 2, background, globalMap);
    if (loopCount >= 0) {
        const GifByteType name[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
        const GifByteType data[] = {1, static_cast<GifByteType>(loopCount & 0xFF),
                                    static_cast<GifByteType>(loopCount >> 8)};
        EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
        EGifPutExtensionBlock(gif, sizeof name, name);
        EGifPutExtensionBlock(gif, sizeof data, data);
        EGifPutExtensionTrailer(gif);
    }
    for (const TestFrame& frame : frames) {
        GraphicsControlBlock control{};
        control.DisposalMode = frame.Disposal;
        control.DelayTime = frame.Delay;
        control.TransparentColor = frame.Transparent;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
        EGifPutImageDesc(gif, frame.Left, frame.Top, frame.Width, frame.Height, frame.Interlaced,
                         frame.LocalColours ? localMap : nullptr);
        // Interlaced images are written in pass order: rows 0, 8, ...; 4, 12, ...; 2, 6, ...; 1, 3,
        // ...
        std::vector<int> rows;
        if (frame.Interlaced) {
            for (int pass : {0, 1, 2, 3}) {
                const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
                for (int y = start[pass]; y < frame.Height; y += step[pass]) {
                    rows.push_back(y);
                }
            }
        } else {
            for (int y = 0; y < frame.Height; ++y) {
                rows.push_back(y);
            }
        }
        for (int y : rows) {
            std::vector<GifPixelType> line(frame.Pixels.begin() + y * frame.Width,
                                           frame.Pixels.begin() + (y + 1) * frame.Width);
            EGifPutLine(gif, line.data(), frame.Width);
        }
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(globalMap);
    GifFreeMapObject(localMap);
    return out;
}

constexpr std::uint32_t kBlack = 0x000000, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF,
                        kWhite = 0xFFFFFF;

std::uint32_t PixelAt(const Animation& animation, std::size_t frame, int x, int y) {
    return animation.Frames[frame].Pixels[static_cast<std::size_t>(y * animation.Width + x)];
}

TEST(GifAnimation, ReadsScreenFramesDelaysAndLoopCount) {
    const auto bytes = WriteGif(3, 2, 2, 7,
                                {{0, 0, 3, 2, {1, 2, 3, 3, 2, 1}, DISPOSAL_UNSPECIFIED, -1, 25},
                                 {1, 0, 1, 1, {3}, DISPOSE_DO_NOT, -1, 40}});
    const Animation animation = DecodeGif(bytes);
    EXPECT_EQ(animation.Width, 3);
    EXPECT_EQ(animation.Height, 2);
    EXPECT_EQ(animation.GlobalColourCount, 4);
    EXPECT_EQ(animation.BackgroundIndex, 2);
    EXPECT_EQ(animation.LoopCount, 7);
    ASSERT_EQ(animation.Frames.size(), 2u);
    EXPECT_EQ(animation.Frames[0].DelayCentiseconds, 25);
    EXPECT_EQ(animation.Frames[1].DelayCentiseconds, 40);
    EXPECT_EQ(animation.Frames[1].Disposal, DISPOSE_DO_NOT);
    EXPECT_EQ(animation.Frames[1].Left, 1);
    EXPECT_EQ(animation.Frames[1].ImageWidth, 1);
    EXPECT_EQ(PixelAt(animation, 0, 0, 0), kRed);
    EXPECT_EQ(PixelAt(animation, 0, 1, 0), kGreen);
    EXPECT_EQ(PixelAt(animation, 0, 2, 1), kRed);
    // Frame 2 covers one pixel; the rest still shows frame 1.
    EXPECT_EQ(PixelAt(animation, 1, 1, 0), kBlue);
    EXPECT_EQ(PixelAt(animation, 1, 0, 0), kRed);
    EXPECT_EQ(PixelAt(animation, 1, 2, 1), kRed);
}

TEST(GifAnimation, WithoutLoopExtensionPlaysOnce) {
    const Animation animation = DecodeGif(WriteGif(1, 1, 0, -1, {{0, 0, 1, 1, {1}}}));
    EXPECT_EQ(animation.LoopCount, -1);
}

TEST(GifAnimation, LoopCountZeroMeansForever) {
    const Animation animation = DecodeGif(WriteGif(1, 1, 0, 0, {{0, 0, 1, 1, {1}}}));
    EXPECT_EQ(animation.LoopCount, 0);
}

TEST(GifAnimation, TransparentPixelsLetTheFrameBeforeShow) {
    const auto bytes = WriteGif(
        2, 1, 0, 0,
        {{0, 0, 2, 1, {1, 1}}, {0, 0, 2, 1, {3, 2}, DISPOSAL_UNSPECIFIED, /*transparent*/ 2}});
    const Animation animation = DecodeGif(bytes);
    EXPECT_EQ(animation.Frames[1].TransparentIndex, 2);
    EXPECT_EQ(PixelAt(animation, 1, 0, 0), kBlue);
    EXPECT_EQ(PixelAt(animation, 1, 1, 0), kRed);
}

TEST(GifAnimation, DisposeToBackgroundClearsTheFramesArea) {
    const auto bytes =
        WriteGif(2, 1, 3, 0,
                 {{0, 0, 2, 1, {1, 1}}, {0, 0, 1, 1, {2}, DISPOSE_BACKGROUND}, {1, 0, 1, 1, {0}}});
    const Animation animation = DecodeGif(bytes);
    EXPECT_EQ(PixelAt(animation, 1, 0, 0), kGreen);
    EXPECT_EQ(PixelAt(animation, 2, 0, 0), kBlue) << "background colour index 3";
    EXPECT_EQ(PixelAt(animation, 2, 1, 0), kBlack);
}

TEST(GifAnimation, DisposeToPreviousRestoresWhatWasThere) {
    const auto bytes = WriteGif(
        2, 1, 0, 0, {{0, 0, 2, 1, {1, 1}}, {0, 0, 1, 1, {2}, DISPOSE_PREVIOUS}, {1, 0, 1, 1, {3}}});
    const Animation animation = DecodeGif(bytes);
    EXPECT_EQ(PixelAt(animation, 1, 0, 0), kGreen);
    EXPECT_EQ(PixelAt(animation, 2, 0, 0), kRed);
    EXPECT_EQ(PixelAt(animation, 2, 1, 0), kBlue);
}

TEST(GifAnimation, InterlacedRowsComeOutInPlace) {
    TestFrame frame{0, 0, 1, 9, {0, 1, 2, 3, 0, 1, 2, 3, 0}};
    frame.Interlaced = true;
    const Animation animation = DecodeGif(WriteGif(1, 9, 0, 0, {frame}));
    EXPECT_TRUE(animation.Frames[0].Interlaced);
    const std::uint32_t expected[] = {kBlack, kRed,   kGreen, kBlue, kBlack,
                                      kRed,   kGreen, kBlue,  kBlack};
    for (int y = 0; y < 9; ++y) {
        EXPECT_EQ(PixelAt(animation, 0, 0, y), expected[y]) << "row " << y;
    }
}

TEST(GifAnimation, LocalColourTableWinsForItsFrame) {
    TestFrame local{0, 0, 1, 1, {1}};
    local.LocalColours = true;
    const Animation animation = DecodeGif(WriteGif(1, 1, 0, 0, {{0, 0, 1, 1, {1}}, local}));
    EXPECT_EQ(animation.Frames[0].LocalColourCount, 0);
    EXPECT_EQ(animation.Frames[1].LocalColourCount, 4);
    EXPECT_EQ(PixelAt(animation, 0, 0, 0), kRed);
    EXPECT_EQ(PixelAt(animation, 1, 0, 0), kWhite);
}

TEST(GifAnimation, FramesReachingPastTheScreenAreClipped) {
    const Animation animation = DecodeGif(WriteGif(2, 2, 0, 0, {{1, 1, 2, 2, {1, 2, 3, 1}}}));
    EXPECT_EQ(PixelAt(animation, 0, 1, 1), kRed);
    EXPECT_EQ(PixelAt(animation, 0, 0, 0), kBlack);
    EXPECT_EQ(animation.Frames[0].Pixels.size(), 4u);
}

TEST(GifAnimation, RejectsDataThatIsNoGif) {
    const std::vector<std::uint8_t> text = {'G', 'I', 'F', '8', '7', 'x', 0, 0};
    EXPECT_THROW(DecodeGif(text), ProgramError);
    EXPECT_THROW(DecodeGif({}), ProgramError);
}

TEST(GifAnimation, RejectsATruncatedFile) {
    std::vector<std::uint8_t> bytes =
        WriteGif(4, 4, 0, 0, {{0, 0, 4, 4, std::vector<GifPixelType>(16, 1)}});
    bytes.resize(bytes.size() - 6);
    EXPECT_THROW(DecodeGif(bytes), ProgramError);
}

} // namespace
} // namespace quillmere
