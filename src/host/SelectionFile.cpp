#include "host/SelectionFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>
#include <utility>
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
    // Read before anything is erased: what cannot be read is never lost.
    const std::vector<std::string> lines = selectionFile.ReadSection(kSelectionSection);

    std::vector<std::string> untickedValues;
    std::vector<std::string> tickedByUserValues;
    for (const PSinfo& row : table.Rows()) {
        if (!row.Selected) {
            untickedValues.push_back(SelectionValue(row));
        } else if (row.TickedByUser) {
            tickedByUserValues.push_back(SelectionValue(row));
        }
    }
    const auto holds = [](const std::vector<std::string>& values, std::string_view value) {
        return std::find(values.begin(), values.end(), value) != values.end();
    };

    // Names match without regard to case, as the profile service matches them.
    const auto key = [](std::string_view name) {
        std::string lower(name);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return lower;
    };
    std::vector<std::string> kept;
    std::set<std::string> keptNames;
    for (const std::string& line : lines) {
        const auto equals = line.find('=');
        const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
        // An unticked row writes its own entry; the user's tick drops it.
        if (holds(untickedValues, value) || holds(tickedByUserValues, value)) {
            continue;
        }
        keptNames.insert(key(line.substr(0, equals)));
        kept.push_back(line);
    }

    std::vector<std::string> section;
    std::int32_t spareName = table.Count();
    for (std::int32_t i = 1; i <= table.Count(); ++i) {
        if (table.Row(i).Selected) {
            continue;
        }
        std::string name = std::to_string(i - 1);
        while (keptNames.count(name) != 0) {
            name = std::to_string(spareName++);
        }
        section.push_back(name + "=" + SelectionValue(table.Row(i)));
    }
    section.insert(section.end(), kept.begin(), kept.end());
    // One write for the whole section: a refusal part-way through a line by
    // line rewrite would lose the saved choices.
    if (section.empty()) {
        selectionFile.EraseSection(kSelectionSection);
    } else {
        selectionFile.WriteSection(kSelectionSection, section);
    }
}

} // namespace quillmere
