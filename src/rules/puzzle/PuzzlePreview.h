// A Puzzle field as the lobby's live previews show it: a grid of 7 columns
// by 10 rows, odd rows with 6 cells, the same staggering as the field. The
// preview shows the top-left part of the field, where the bubbles hang;
// cells outside it are not shown, so their changes send nothing.
#pragma once

#include <optional>
#include <string>

#include "rules/puzzle/PuzzleField.h"

namespace rules {

constexpr int kPreviewColumns = 7;
constexpr int kPreviewRows = 10;

// The preview cell that shows a field cell, if any.
std::optional<TPuzzleCell> PreviewCellOf(TPuzzleCell cell);

// The snapshot of one seat: 70 bytes, 10 rows of 7 from the top, one
// colour byte per cell without offset (the 7th byte of odd rows is 0).
std::string PreviewGrid(const TPuzzleField& field);

}  // namespace rules
