#pragma once

#include <QString>

#include "tests/jobs/ComTestSupport.h"
#include "tests/support/GridInput.h"

namespace grid {
class GridEX;
}

// The quote, template, text-editor and preview windows under the stand-in main window, with units
// "h" (Ore) and "kg" (Chilogrammi), the lines V1 (2 h at 10, amount 20) and V2 (3 kg at 4,5, amount
// 13,5) on the job order C001, the job order C'02 without lines, and the template 1 "Cancello" with
// the lines B2 and A1. Message boxes are answered with `answer`.
class PrevTest : public ComTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  int answer = 1;
};

namespace prevtest {

// Lets the windows unloaded so far go, as the program's event loop does between two commands.
void settle();
// Makes the print button of the previews print into a PDF file in dir, without asking; returns the
// file's path. The fixture gives the print dialog back at the end of the test.
QString printIntoPdf(const QString& dir);

// Picks an item of a cell's list by its text, and leaves the cell with Tab.
void chooseInCell(grid::GridEX& g, int row, int column, const QString& itemText);
// Opens a cell's list and closes it again: its width less the width its widest item needs.
int listRoomLeft(grid::GridEX& g, int row, int column);
// The open editor of a cell of the grid, nullptr when none is open.
QWidget* cellEditor(grid::GridEX& g);
// Clicks the button of a cell.
void clickCellButton(grid::GridEX& g, int row, int column);
// A key on the grid's rows.
void pressInGrid(grid::GridEX& g, int key);

}  // namespace prevtest
