#include "host/SelectionFile.h"

#include <algorithm>
#include <array>
#include <vector>

namespace quillmere {

namespace {

// Every edge that has a name; any other text reads back as None.
constexpr std::array kNamedEdges{ScreenEdge::Left, ScreenEdge::Right, ScreenEdge::Bottom};

} // namespace

IniFile SelectionFileFor(IniStore& store, std::string_view executablePath) {
    return IniFile(store, LocationBesideExecutable(executablePath, kSelectionFileName));
}

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

void SaveSelection(const PaletteTable& table, const IniFile& selectionFile) {
    std::vector<std::string> rowValues;
    for (const PSinfo& row : table.Rows()) {
        rowValues.push_back(SelectionValue(row));
    }

    // Read before the erase: the entries of palettes the table does not hold.
    std::vector<std::string> kept;
    for (const std::string& line : selectionFile.ReadSection(kSelectionSection)) {
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        std::string value = line.substr(equals + 1);
        if (std::find(rowValues.begin(), rowValues.end(), value) == rowValues.end()) {
            kept.push_back(std::move(value));
        }
    }

    std::vector<std::string> lines;
    // Named by the row's index from 0, as the file has always been written.
    for (std::size_t i = 0; i < rowValues.size(); ++i) {
        if (!table.Rows()[i].Selected) {
            lines.push_back(std::to_string(i) + "=" + rowValues[i]);
        }
    }
    std::int32_t name = table.Count();
    for (const std::string& value : kept) {
        lines.push_back(std::to_string(name++) + "=" + value);
    }
    // One write for the whole section: a refusal part-way through a line by
    // line rewrite would lose the saved choices.
    if (lines.empty()) {
        selectionFile.EraseSection(kSelectionSection);
    } else {
        selectionFile.WriteSection(kSelectionSection, lines);
    }
}

} // namespace quillmere
