#include "settings/IniFile.h"

namespace quillmere {

std::string LocationBesideExecutable(std::string_view executablePath, std::string_view fileName) {
    const auto cut = executablePath.find_last_of("\\/");
    const bool windowsStyle = executablePath.find('\\') != std::string_view::npos ||
                              executablePath.find('/') == std::string_view::npos;
    const char separator = windowsStyle ? '\\' : '/';

    if (cut == std::string_view::npos) {
        return std::string(fileName);
    }
    std::string directory(executablePath.substr(0, cut + 1));
    if (directory.back() != separator) {
        directory += separator;
    }
    return directory + std::string(fileName);
}

} // namespace quillmere
