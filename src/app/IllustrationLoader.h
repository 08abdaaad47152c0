#pragma once

#include <string_view>

namespace quillmere {

// Puts one of the embedded mode illustrations into the picture the loader is
// bound to (the main window's `img`). Names match the resource names without
// regard to letter case; the new animation starts from its first frame.
class IllustrationLoader {
public:
    virtual ~IllustrationLoader() = default;
    virtual void LoadIllustration(std::string_view name) = 0;
};

} // namespace quillmere
