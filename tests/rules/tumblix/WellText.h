// Wells written as text for the Tumblix tests: the given rows are the
// bottom rows of the well, the last one row 25; '.' is empty, '#' colour 1,
// a digit that colour.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "rules/tumblix/Well.h"

namespace tumblix_test {

inline rules::tumblix::TWell WellOf(std::initializer_list<std::string_view> rows) {
    using rules::tumblix::TWell;
    TWell well;
    int y = TWell::kRows - static_cast<int>(rows.size());
    for (std::string_view row : rows) {
        for (int x = 0; x < TWell::kColumns && x < static_cast<int>(row.size()); ++x) {
            char c = row[x];
            if (c == '#') well.SetCell(x, y, 1);
            else if (c >= '1' && c <= '9') well.SetCell(x, y, static_cast<uint8_t>(c - '0'));
        }
        ++y;
    }
    well.DiscardChanges();
    return well;
}

// The well as text, one line per row, for failure messages.
inline std::string TextOf(const rules::tumblix::TWell& well) {
    std::string text;
    for (int y = 0; y < rules::tumblix::TWell::kRows; ++y) {
        for (int x = 0; x < rules::tumblix::TWell::kColumns; ++x) {
            int colour = well.Cell(x, y);
            text.push_back(colour ? static_cast<char>('0' + colour) : '.');
        }
        text.push_back('\n');
    }
    return text;
}

}  // namespace tumblix_test
