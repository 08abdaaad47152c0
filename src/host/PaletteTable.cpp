#include "host/PaletteTable.h"

#include <cassert>

namespace quillmere {

PSinfo& PaletteTable::Row(std::int32_t i) {
    assert(i >= 1 && i <= m_count);
    return m_rows[static_cast<std::size_t>(i)];
}

const PSinfo& PaletteTable::Row(std::int32_t i) const {
    assert(i >= 1 && i <= m_count);
    return m_rows[static_cast<std::size_t>(i)];
}

PSinfo& PaletteTable::Append() {
    ++m_count;
    m_rows.resize(static_cast<std::size_t>(m_count) + 1);
    PSinfo& row = m_rows.back();
    row = PSinfo{};
    return row;
}

std::int32_t PaletteTable::FindByHandle(WindowHandle window) const {
    for (std::int32_t i = 1; i <= m_count; ++i) {
        if (m_rows[static_cast<std::size_t>(i)].Handle == window) {
            return i;
        }
    }
    return 0;
}

void PaletteTable::ReplaceWith(const PaletteTable& other) {
    m_rows.assign(other.m_rows.begin(), other.m_rows.begin() + other.m_count + 1);
    m_count = other.m_count;
    m_classifiedOn = other.m_classifiedOn;
}

} // namespace quillmere
