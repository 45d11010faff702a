// A small layout and a way to write fields as text for the Puzzle tests.
#pragma once

#include <string>
#include <vector>

#include "rules/puzzle/PuzzleField.h"
#include "rules/puzzle/PuzzleGeometry.h"

namespace puzzletest {

// Bubbles of 28 pixels, the field at the origin, the canon centred under
// column 3 so a straight shot starts exactly below cell (3, 0) at y 400.
// The line lies 10 rows down.
inline rules::TPuzzleGeometry Geometry() {
    rules::TPuzzleGeometry geometry;
    geometry.BubbleWidth = 28;
    geometry.BubbleHeight = 28;
    geometry.LineOffset = 10 * 22;
    geometry.Canon = {66, 400, 20, 10, 64, 64};
    return geometry;
}

// Rows from the top, one character per cell: '.' empty, '1'..'7' colours.
inline rules::TPuzzleField FieldOf(const std::vector<std::string>& rows) {
    rules::TPuzzleField field;
    for (int row = 0; row < static_cast<int>(rows.size()); ++row)
        for (int column = 0; column < static_cast<int>(rows[row].size()); ++column)
            if (rows[row][column] != '.') field.SetColour({column, row}, rows[row][column] - '0');
    return field;
}

}  // namespace puzzletest
