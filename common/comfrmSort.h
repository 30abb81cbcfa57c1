#pragma once

#include "common/GridLevelsDialog.h"

// The sort dialog: up to four sort keys of a grid, every column offered. The first level may not be
// left empty.
class comfrmSort : public GridLevelsDialog {
  Q_OBJECT

 public:
  // Fills a new dialog from the grid and shows it modally; after "OK" with changed levels the grid's
  // sort keys become the levels and the grid sorts again.
  static void SortGrid(grid::GridEX& Grid);

 private:
  explicit comfrmSort(grid::GridEX& Grid);
};
