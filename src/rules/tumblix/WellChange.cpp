#include "rules/tumblix/WellChange.h"

namespace rules::tumblix {

namespace {

struct TApplier {
    TCells& Cells;

    void operator()(const TCellsSet& set) const {
        for (const TCellChange& cell : set.Cells)
            if (cell.X >= 0 && cell.X < kWellColumns && cell.Y >= 0 && cell.Y < kWellRows)
                Cells[cell.Y][cell.X] = cell.Colour;
    }
    void operator()(const TRowAdded& added) const {
        for (int row = 0; row < kWellRows - 1; ++row) Cells[row] = Cells[row + 1];
        Cells[kWellRows - 1] = added.Row;
    }
    void operator()(const TRowRemoved& removed) const {
        if (removed.Row < 0 || removed.Row >= kWellRows) return;
        for (int row = removed.Row; row >= 1; --row) Cells[row] = Cells[row - 1];
        Cells[0] = TRow{};
    }
};

}  // namespace

void ApplyChanges(TCells& cells, const std::vector<TWellChange>& changes) {
    for (const TWellChange& change : changes) std::visit(TApplier{cells}, change);
}

}  // namespace rules::tumblix
