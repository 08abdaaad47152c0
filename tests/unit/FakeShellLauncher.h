#pragma once

// A shell that records what it was asked to open, one line per call:
// "verb|file|directory" (an empty verb stays empty). Free of GoogleTest.

#include "app/ShellLauncher.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillmere::testing {

class RecordingShell final : public ShellLauncher {
public:
    void ShellOpen(std::string_view verb, const std::string& file,
                   std::string_view directory) override {
        Opened.push_back(std::string(verb) + "|" + file + "|" + std::string(directory));
    }
    std::vector<std::string> Opened;
};

} // namespace quillmere::testing
