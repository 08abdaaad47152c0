#include "app/ErrorReporting.h"

namespace quillmere {

std::string FormatErrorMessage(const std::string& message) {
    // Characters compare as unsigned bytes, so letters of any code page count as after ".".
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        return message + ".";
    }
    return message;
}

} // namespace quillmere
