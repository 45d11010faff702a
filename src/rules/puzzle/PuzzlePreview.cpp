#include "rules/puzzle/PuzzlePreview.h"

namespace rules {
namespace {

constexpr int PreviewColumnsInRow(int row) { return row % 2 == 0 ? kPreviewColumns : kPreviewColumns - 1; }

}  // namespace

std::optional<TPuzzleCell> PreviewCellOf(TPuzzleCell cell) {
    if (!TPuzzleField::IsCell(cell) || cell.Row >= kPreviewRows || cell.Column >= PreviewColumnsInRow(cell.Row))
        return std::nullopt;
    return cell;
}

std::string PreviewGrid(const TPuzzleField& field) {
    std::string grid;
    for (int row = 0; row < kPreviewRows; ++row)
        for (int column = 0; column < kPreviewColumns; ++column) {
            int colour = column < PreviewColumnsInRow(row) ? field.Colour({column, row}) : 0;
            grid.push_back(static_cast<char>(colour));
        }
    return grid;
}

}  // namespace rules
