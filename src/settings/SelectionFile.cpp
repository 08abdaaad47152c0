#include "settings/SelectionFile.h"

#include <algorithm>
#include <vector>

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

void SaveSelection(const PaletteTable& table, const IniFile& selectionFile) {
    std::vector<std::string> rowValues;
    for (std::int32_t i = 1; i <= table.Count(); ++i) {
        rowValues.push_back(SelectionValue(table.Row(i)));
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

    selectionFile.EraseSection(kSelectionSection);
    for (std::int32_t i = 1; i <= table.Count(); ++i) {
        if (!table.Row(i).Selected) {
            selectionFile.WriteValue(kSelectionSection, std::to_string(i - 1),
                                     rowValues[static_cast<std::size_t>(i - 1)]);
        }
    }
    std::int32_t name = table.Count();
    for (const std::string& value : kept) {
        selectionFile.WriteValue(kSelectionSection, std::to_string(name++), value);
    }
}

} // namespace quillmere
