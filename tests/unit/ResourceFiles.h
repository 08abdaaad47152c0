#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace quillmere::testing {

// The bytes of a committed file under resources/, empty when it is missing.
inline std::vector<std::uint8_t> ReadResourceFile(const std::string& name) {
    std::ifstream in(std::string(QUILLMERE_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

} // namespace quillmere::testing
