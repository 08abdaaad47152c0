#include "ResourceFiles.h"
#include "app/GifAnimation.h"

#include <gtest/gtest.h>

#include <string>

namespace quillmere {
namespace {

struct IllustrationFile {
    const char* FileName;
    int FrameCount;
};

constexpr IllustrationFile kFiles[] = {
    {"together.gif", 2}, {"separately.gif", 5}, {"mixed.gif", 5}};

Animation Load(const char* fileName) {
    const std::vector<std::uint8_t> bytes = testing::ReadResourceFile(fileName);
    EXPECT_FALSE(bytes.empty()) << fileName;
    return DecodeGif(bytes);
}

TEST(IllustrationFiles, HeaderIsGif89aWithoutAspectRatio) {
    for (const IllustrationFile& file : kFiles) {
        const std::vector<std::uint8_t> bytes = testing::ReadResourceFile(file.FileName);
        ASSERT_GE(bytes.size(), 13u) << file.FileName;
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a") << file.FileName;
        EXPECT_EQ(bytes[6] | (bytes[7] << 8), 102) << file.FileName;
        EXPECT_EQ(bytes[8] | (bytes[9] << 8), 73) << file.FileName;
        EXPECT_EQ(bytes[10] & 0x87, 0x87) << file.FileName << ": global table of 256 entries";
        EXPECT_EQ(bytes[11], 0) << file.FileName << ": background index";
        EXPECT_EQ(bytes[12], 0) << file.FileName << ": aspect ratio";
    }
}

TEST(IllustrationFiles, FormatOfEveryFrame) {
    for (const IllustrationFile& file : kFiles) {
        SCOPED_TRACE(file.FileName);
        const Animation animation = Load(file.FileName);
        EXPECT_EQ(animation.Width, 102);
        EXPECT_EQ(animation.Height, 73);
        EXPECT_EQ(animation.GlobalColourCount, 256);
        EXPECT_EQ(animation.BackgroundIndex, 0);
        EXPECT_EQ(animation.AspectByte, 0);
        EXPECT_EQ(animation.LoopCount, 0) << "repeat for ever";
        ASSERT_EQ(static_cast<int>(animation.Frames.size()), file.FrameCount);
        for (const AnimationFrame& frame : animation.Frames) {
            EXPECT_EQ(frame.DelayCentiseconds, 50);
            EXPECT_EQ(frame.Disposal, 0);
            EXPECT_EQ(frame.TransparentIndex, -1);
            EXPECT_EQ(frame.Left, 0);
            EXPECT_EQ(frame.Top, 0);
            EXPECT_EQ(frame.ImageWidth, 102);
            EXPECT_EQ(frame.ImageHeight, 73);
            EXPECT_FALSE(frame.Interlaced);
            EXPECT_TRUE(frame.LocalColourCount == 0 || frame.LocalColourCount == 256);
            EXPECT_EQ(frame.Pixels.size(), 102u * 73u);
        }
    }
}

// A palette panel found at the right edge of a frame: rows where the frame
// differs from the empty workspace of frame 1, next to the edge.
struct Panel {
    int Top = 0;
    int Bottom = 0; // exclusive
    bool TouchesEdge = true;
    bool DarkStripOnTop = false;
    bool LightBody = false;
};

int Luma(std::uint32_t pixel) {
    const int red = (pixel >> 16) & 0xFF, green = (pixel >> 8) & 0xFF, blue = pixel & 0xFF;
    return (red * 299 + green * 587 + blue * 114) / 1000;
}

std::vector<Panel> PanelsAtRightEdge(const Animation& animation, std::size_t frame) {
    const std::vector<std::uint32_t>& empty = animation.Frames[0].Pixels;
    const std::vector<std::uint32_t>& shown = animation.Frames[frame].Pixels;
    const int width = animation.Width;
    const int stripLeft = width * 2 / 3;
    const auto at = [width](const std::vector<std::uint32_t>& pixels, int x, int y) {
        return pixels[static_cast<std::size_t>(y * width + x)];
    };
    // For each row: the changed pixels in the strip along the right edge, or none.
    std::vector<std::vector<std::uint32_t>> changed(static_cast<std::size_t>(animation.Height));
    for (int y = 0; y < animation.Height; ++y) {
        for (int x = stripLeft; x < width; ++x) {
            if (at(shown, x, y) != at(empty, x, y)) {
                changed[static_cast<std::size_t>(y)].push_back(at(shown, x, y));
            }
        }
    }
    const auto share = [](const std::vector<std::uint32_t>& pixels, bool dark) {
        int count = 0;
        for (std::uint32_t pixel : pixels) {
            count += dark ? Luma(pixel) < 100 : Luma(pixel) > 160;
        }
        return pixels.empty() ? 0.0 : static_cast<double>(count) / pixels.size();
    };

    std::vector<Panel> panels;
    for (int y = 0; y < animation.Height;) {
        if (changed[static_cast<std::size_t>(y)].empty()) {
            ++y;
            continue;
        }
        Panel panel;
        panel.Top = y;
        while (y < animation.Height && !changed[static_cast<std::size_t>(y)].empty()) {
            panel.TouchesEdge =
                panel.TouchesEdge && at(shown, width - 1, y) != at(empty, width - 1, y);
            ++y;
        }
        panel.Bottom = y;
        panel.DarkStripOnTop = share(changed[static_cast<std::size_t>(panel.Top)], true) >= 0.8;
        // The body: the lower two thirds, taken together, are mostly light.
        std::vector<std::uint32_t> body;
        for (int row = panel.Top + (panel.Bottom - panel.Top) / 3; row < panel.Bottom; ++row) {
            const auto& pixels = changed[static_cast<std::size_t>(row)];
            body.insert(body.end(), pixels.begin(), pixels.end());
        }
        panel.LightBody = share(body, false) >= 0.5;
        panels.push_back(panel);
    }
    return panels;
}

std::vector<Panel> CheckedPanels(const Animation& animation, std::size_t frame) {
    std::vector<Panel> panels = PanelsAtRightEdge(animation, frame);
    for (const Panel& panel : panels) {
        EXPECT_TRUE(panel.TouchesEdge) << "frame " << frame + 1 << ", panel at " << panel.Top;
        EXPECT_TRUE(panel.DarkStripOnTop) << "frame " << frame + 1 << ", panel at " << panel.Top;
        EXPECT_TRUE(panel.LightBody) << "frame " << frame + 1 << ", panel at " << panel.Top;
        EXPECT_GE(panel.Bottom - panel.Top, 6) << "a panel, not a stray pixel";
    }
    return panels;
}

// Frame 1 shows the bare workspace: the right edge is one plain colour
// wherever a later frame puts a palette.
void ExpectNoPaletteInFirstFrame(const Animation& animation, const std::vector<Panel>& places) {
    const std::vector<std::uint32_t>& empty = animation.Frames[0].Pixels;
    for (const Panel& place : places) {
        for (int y = place.Top; y < place.Bottom; ++y) {
            for (int x = animation.Width * 2 / 3; x < animation.Width; ++x) {
                EXPECT_EQ(empty[static_cast<std::size_t>(y * animation.Width + x)],
                          empty[static_cast<std::size_t>(place.Top * animation.Width +
                                                         animation.Width - 1)])
                    << "frame 1 at " << x << "," << y;
            }
        }
    }
}

TEST(IllustrationFiles, TogetherShowsAllPalettesAtOnce) {
    const Animation together = Load("together.gif");
    ASSERT_EQ(together.Frames.size(), 2u);
    const std::vector<Panel> all = CheckedPanels(together, 1);
    ASSERT_EQ(all.size(), 4u);
    for (std::size_t i = 1; i < all.size(); ++i) {
        EXPECT_GT(all[i].Top, all[i - 1].Top);
    }
    ExpectNoPaletteInFirstFrame(together, all);
}

TEST(IllustrationFiles, SeparatelyShowsOnePaletteAtATimeEachLower) {
    const Animation separately = Load("separately.gif");
    const Animation together = Load("together.gif");
    ASSERT_EQ(separately.Frames.size(), 5u);
    const std::vector<Panel> all = PanelsAtRightEdge(together, 1);
    ASSERT_EQ(all.size(), 4u);
    int previousTop = -1;
    for (std::size_t frame = 1; frame < 5; ++frame) {
        const std::vector<Panel> panels = CheckedPanels(separately, frame);
        ASSERT_EQ(panels.size(), 1u) << "frame " << frame + 1;
        EXPECT_GT(panels[0].Top, previousTop) << "frame " << frame + 1;
        previousTop = panels[0].Top;
        EXPECT_EQ(panels[0].Top, all[frame - 1].Top) << "the same places as in Together";
        EXPECT_EQ(panels[0].Bottom, all[frame - 1].Bottom);
    }
    ExpectNoPaletteInFirstFrame(separately, all);
}

TEST(IllustrationFiles, MixedAddsOnePalettePerFrameDownTheEdge) {
    const Animation mixed = Load("mixed.gif");
    ASSERT_EQ(mixed.Frames.size(), 5u);
    std::vector<Panel> previous;
    for (std::size_t frame = 1; frame < 5; ++frame) {
        const std::vector<Panel> panels = CheckedPanels(mixed, frame);
        ASSERT_EQ(panels.size(), frame) << "frame " << frame + 1;
        for (std::size_t i = 0; i < previous.size(); ++i) {
            EXPECT_EQ(panels[i].Top, previous[i].Top) << "earlier palettes stay put";
            EXPECT_EQ(panels[i].Bottom, previous[i].Bottom);
        }
        if (!previous.empty()) {
            EXPECT_GT(panels.back().Top, previous.back().Bottom) << "the new one is lowest";
        }
        previous = panels;
    }
    ExpectNoPaletteInFirstFrame(mixed, previous);
}

TEST(IllustrationFiles, AllShareTheSameEmptyWorkspace) {
    const Animation together = Load("together.gif");
    const Animation separately = Load("separately.gif");
    const Animation mixed = Load("mixed.gif");
    EXPECT_EQ(together.Frames[0].Pixels, separately.Frames[0].Pixels);
    EXPECT_EQ(together.Frames[0].Pixels, mixed.Frames[0].Pixels);
}

} // namespace
} // namespace quillmere
