#include "GeneratedResources.h"
#include "ResourceFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillmere {
namespace {

TEST(ResourceGenerator, CommittedFilesMatchTheGeneratorByteForByte) {
    const std::vector<gifgen::GeneratedFile> generated = gifgen::GenerateResources();
    ASSERT_EQ(generated.size(), 4u);
    for (const gifgen::GeneratedFile& file : generated) {
        const std::vector<std::uint8_t> committed = testing::ReadResourceFile(file.FileName);
        ASSERT_FALSE(committed.empty()) << "resources/" << file.FileName << " is missing";
        EXPECT_EQ(committed.size(), file.Bytes.size()) << file.FileName;
        const auto mismatch =
            std::mismatch(committed.begin(), committed.end(), file.Bytes.begin(), file.Bytes.end());
        EXPECT_TRUE(mismatch.first == committed.end() && mismatch.second == file.Bytes.end())
            << file.FileName << " differs at byte " << (mismatch.first - committed.begin())
            << "; rebuild the target regenerate_resources and commit the result";
    }
}

TEST(ResourceGenerator, GenerationIsRepeatable) {
    const auto first = gifgen::GenerateResources();
    const auto second = gifgen::GenerateResources();
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i].Bytes, second[i].Bytes) << first[i].FileName;
    }
}

std::uint32_t Dword(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

TEST(ResourceGenerator, IconIsOne32By32ImageOf256Colours) {
    const std::vector<std::uint8_t> icon = testing::ReadResourceFile("quillmere.ico");
    ASSERT_EQ(icon.size(), 6u + 16u + 40u + 256u * 4u + 32u * 32u + 32u * 4u);
    EXPECT_EQ(icon[2], 1) << "resource type: icon";
    EXPECT_EQ(icon[4], 1) << "one image";
    EXPECT_EQ(icon[6], 32);
    EXPECT_EQ(icon[7], 32);
    EXPECT_EQ(icon[8], 0) << "256 colours are written as 0";
    EXPECT_EQ(Dword(icon, 14), icon.size() - 22);
    EXPECT_EQ(Dword(icon, 18), 22u);
    EXPECT_EQ(Dword(icon, 22), 40u);
    EXPECT_EQ(Dword(icon, 26), 32u);
    EXPECT_EQ(Dword(icon, 30), 64u) << "colour rows plus mask rows";
    EXPECT_EQ(icon[36], 8) << "bits per pixel";

    // The corners are see-through, the middle is not.
    const std::size_t mask = 22 + 40 + 1024 + 1024;
    const auto maskBit = [&](int x, int y) {
        const std::size_t row = mask + static_cast<std::size_t>(31 - y) * 4;
        return (icon[row + static_cast<std::size_t>(x / 8)] >> (7 - x % 8)) & 1;
    };
    EXPECT_EQ(maskBit(0, 0), 1);
    EXPECT_EQ(maskBit(31, 31), 1);
    EXPECT_EQ(maskBit(16, 16), 0);
    EXPECT_EQ(maskBit(16, 0), 0);
}

} // namespace
} // namespace quillmere
