#pragma once

#include <string>

namespace quillmere {

// The main window's palette check list as discovery sees it. Entry i (from 0)
// stands for table row i + 1. Setting a check mark here is the program's own
// act and never counts as the user's click.
class CheckList {
public:
    virtual ~CheckList() = default;

    virtual void Append(const std::string& text) = 0;
    virtual void RemoveFirst() = 0;
    virtual void SetChecked(int index, bool checked) = 0;
};

} // namespace quillmere
