// What changed in a Tumblix well, in the three forms a watcher can replay:
// cells set to new colours, a row pushed in at the bottom (everything moves
// up one row, the top row falls out), a row removed (the rows above move
// down one, the top row becomes empty). Applied in order to a copy of the
// well as it was, they give the well as it is now.
#pragma once

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

namespace rules::tumblix {

constexpr int kWellColumns = 12;
constexpr int kWellRows = 26;

using TRow = std::array<uint8_t, kWellColumns>;
using TCells = std::array<TRow, kWellRows>;

struct TCellChange {
    int X = 0, Y = 0;
    uint8_t Colour = 0;
    bool operator==(const TCellChange&) const = default;
};

struct TCellsSet {
    std::vector<TCellChange> Cells;
};

struct TRowAdded {
    TRow Row{};
};

struct TRowRemoved {
    int Row = 0;
};

using TWellChange = std::variant<TCellsSet, TRowAdded, TRowRemoved>;

// Replays changes onto a plain copy of the cells (what a preview does).
void ApplyChanges(TCells& cells, const std::vector<TWellChange>& changes);

}  // namespace rules::tumblix
