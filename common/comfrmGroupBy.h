#pragma once

#include "common/GridLevelsDialog.h"

class QComboBox;

// The group dialog: up to four groups of a grid (icon columns are not offered), and whether the
// group rows open expanded or collapsed after a change.
class comfrmGroupBy : public GridLevelsDialog {
  Q_OBJECT

 public:
  // Fills a new dialog from the grid and shows it modally; after "OK" with changed levels the grid's
  // groups become the levels and every group row is expanded or collapsed as chosen.
  static void GroupGrid(grid::GridEX& Grid);

  QComboBox* cboExpand;

 private:
  explicit comfrmGroupBy(grid::GridEX& Grid);
};
