#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gifgen {

struct GeneratedFile {
    std::string FileName; // inside resources/
    std::vector<std::uint8_t> Bytes;
};

// Every file this tool makes: the three mode illustrations and the icon.
// The output is a function of this code and giflib alone, so the committed
// files can be checked against it byte for byte.
std::vector<GeneratedFile> GenerateResources();

} // namespace gifgen
