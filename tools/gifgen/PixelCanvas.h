#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gifgen {

struct Rgb {
    std::uint8_t Red;
    std::uint8_t Green;
    std::uint8_t Blue;
};

// A palette-indexed picture, rows top to bottom, each row left to right.
struct IndexedImage {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels;
};

// Drawing on an indexed picture. Rectangles are pixels, right/bottom exclusive;
// everything is clipped to the picture.
class PixelCanvas {
public:
    PixelCanvas(int width, int height, std::uint8_t fill)
        : m_image{width, height,
                  std::vector<std::uint8_t>(static_cast<std::size_t>(width * height), fill)} {}

    int Width() const { return m_image.Width; }
    int Height() const { return m_image.Height; }

    void Set(int x, int y, std::uint8_t index) {
        if (x >= 0 && y >= 0 && x < m_image.Width && y < m_image.Height) {
            m_image.Pixels[static_cast<std::size_t>(y * m_image.Width + x)] = index;
        }
    }

    std::uint8_t At(int x, int y) const {
        return m_image.Pixels[static_cast<std::size_t>(y * m_image.Width + x)];
    }

    void FillRect(int left, int top, int right, int bottom, std::uint8_t index) {
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                Set(x, y, index);
            }
        }
    }

    void HorizontalLine(int left, int right, int y, std::uint8_t index) {
        FillRect(left, y, right, y + 1, index);
    }

    void VerticalLine(int x, int top, int bottom, std::uint8_t index) {
        FillRect(x, top, x + 1, bottom, index);
    }

    // One-pixel outline just inside the rectangle.
    void FrameRect(int left, int top, int right, int bottom, std::uint8_t index) {
        HorizontalLine(left, right, top, index);
        HorizontalLine(left, right, bottom - 1, index);
        VerticalLine(left, top, bottom, index);
        VerticalLine(right - 1, top, bottom, index);
    }

    const IndexedImage& Image() const { return m_image; }

private:
    IndexedImage m_image;
};

} // namespace gifgen
