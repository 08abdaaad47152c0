#include "settings/SelectionFile.h"

namespace quillmere {

std::string SelectionValue(const PSinfo& row) {
    const bool alongSide = row.Edge == kEdgeLeft || row.Edge == kEdgeRight;
    return row.Edge + "," + std::to_string(alongSide ? row.Top : row.Left);
}

bool IsListedInSelection(const std::vector<std::string>& lines, std::string_view value) {
    bool listed = false;
    for (const std::string& line : lines) {
        const auto equals = line.find('=');
        if (equals != std::string::npos && std::string_view(line).substr(equals + 1) == value) {
            listed = true;
        }
    }
    return listed;
}

} // namespace quillmere
