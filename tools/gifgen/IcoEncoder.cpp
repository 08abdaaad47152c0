#include "IcoEncoder.h"

#include <stdexcept>

namespace gifgen {
namespace {

void PutWord(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void PutDword(std::vector<std::uint8_t>& out, unsigned value) {
    PutWord(out, value & 0xFFFF);
    PutWord(out, value >> 16);
}

} // namespace

std::vector<std::uint8_t> EncodeIcon(const IndexedImage& image, const std::vector<Rgb>& colours,
                                     std::uint8_t transparentIndex) {
    if (colours.size() != 256 || image.Width <= 0 || image.Width > 256 || image.Height <= 0 ||
        image.Height > 256) {
        throw std::runtime_error("icon encoder needs 256 colours and a size up to 256");
    }
    const unsigned width = static_cast<unsigned>(image.Width);
    const unsigned height = static_cast<unsigned>(image.Height);
    const unsigned colourStride = (width + 3) / 4 * 4;
    const unsigned maskStride = (width + 31) / 32 * 4;
    const unsigned imageBytes = 40 + 256 * 4 + (colourStride + maskStride) * height;

    std::vector<std::uint8_t> out;
    // ICONDIR and its one ICONDIRENTRY; a 256 in width, height or colours is written as 0.
    PutWord(out, 0);
    PutWord(out, 1);
    PutWord(out, 1);
    out.push_back(static_cast<std::uint8_t>(width & 0xFF));
    out.push_back(static_cast<std::uint8_t>(height & 0xFF));
    out.push_back(0);
    out.push_back(0);
    PutWord(out, 1);
    PutWord(out, 8);
    PutDword(out, imageBytes);
    PutDword(out, 6 + 16);

    // BITMAPINFOHEADER: the height counts the colour rows and the mask rows.
    PutDword(out, 40);
    PutDword(out, width);
    PutDword(out, height * 2);
    PutWord(out, 1);
    PutWord(out, 8);
    PutDword(out, 0);
    PutDword(out, (colourStride + maskStride) * height);
    PutDword(out, 0);
    PutDword(out, 0);
    PutDword(out, 0);
    PutDword(out, 0);
    for (const Rgb& colour : colours) {
        out.push_back(colour.Blue);
        out.push_back(colour.Green);
        out.push_back(colour.Red);
        out.push_back(0);
    }
    for (unsigned row = 0; row < height; ++row) {
        const unsigned y = height - 1 - row;
        for (unsigned x = 0; x < colourStride; ++x) {
            out.push_back(x < width ? image.Pixels[y * width + x] : 0);
        }
    }
    for (unsigned row = 0; row < height; ++row) {
        const unsigned y = height - 1 - row;
        std::vector<std::uint8_t> mask(maskStride, 0);
        for (unsigned x = 0; x < width; ++x) {
            if (image.Pixels[y * width + x] == transparentIndex) {
                mask[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), mask.begin(), mask.end());
    }
    return out;
}

} // namespace gifgen
