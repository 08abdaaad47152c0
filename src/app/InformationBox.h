#pragma once

#include <string_view>

namespace quillmere {

// The application's modal message box for a notice that is no error: the
// text and caption as given, an OK button and the information icon.
class InformationBox {
public:
    virtual ~InformationBox() = default;
    virtual void ShowInformation(std::string_view text, std::string_view caption) = 0;
};

} // namespace quillmere
