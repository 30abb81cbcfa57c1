#pragma once

#include <QString>

namespace grid {
class GridEX;
}

// Types text into a cell of the grid (row -1: the new row) as the user does: F2 opens its editor, the
// text replaces what it held (the empty text clears it) and Tab leaves the cell. When the grid refuses
// the value its editor opens again.
void typeInCell(grid::GridEX& g, int row, int column, const QString& text);
inline void typeInCell(grid::GridEX* g, int row, int column, const QString& text) {
  typeInCell(*g, row, column, text);
}
