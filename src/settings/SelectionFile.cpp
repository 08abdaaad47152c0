#include "settings/SelectionFile.h"

#include <array>

namespace quillmere {

namespace {

// Every edge that has a name; any other text reads back as None.
constexpr std::array kNamedEdges{ScreenEdge::Left, ScreenEdge::Right, ScreenEdge::Bottom};

} // namespace

std::string_view EdgeName(ScreenEdge edge) {
    std::string_view name;
    switch (edge) {
    case ScreenEdge::Left:
        name = "left";
        break;
    case ScreenEdge::Right:
        name = "right";
        break;
    case ScreenEdge::Bottom:
        name = "bottom";
        break;
    case ScreenEdge::None: // A row no scan has set is written with an empty edge.
        break;
    }
    return name;
}

ScreenEdge ParseEdge(std::string_view text) {
    // Read back through EdgeName so that the names are spelled in one place only.
    for (const ScreenEdge edge : kNamedEdges) {
        if (text == EdgeName(edge)) {
            return edge;
        }
    }
    return ScreenEdge::None;
}

std::string SelectionValue(const PSinfo& row) {
    std::int32_t position = 0;
    switch (row.Edge) {
    case ScreenEdge::Left:
    case ScreenEdge::Right:
        position = row.Home.Top;
        break;
    case ScreenEdge::Bottom:
    case ScreenEdge::None: // Known by its place along the bottom, as moves treat it.
        position = row.Home.Left;
        break;
    }
    return std::string(EdgeName(row.Edge)) + "," + std::to_string(position);
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
