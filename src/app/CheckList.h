#pragma once

#include <string>

namespace quillmere {

// The main window's palette check list as discovery sees it. Entry i (from 0)
// stands for table row i + 1. Setting a check mark here is the program's own
// act and never counts as the user's click. Each call changes one entry, so
// that a change of one palette costs the list one or two calls, whatever the
// number of palettes.
class CheckList {
public:
    virtual ~CheckList() = default;

    // A new entry, unchecked, at the end or before entry index.
    virtual void Append(const std::string& text) = 0;
    virtual void Insert(int index, const std::string& text) = 0;
    virtual void Remove(int index) = 0;
    virtual void SetText(int index, const std::string& text) = 0;
    virtual void SetChecked(int index, bool checked) = 0;
};

} // namespace quillmere
