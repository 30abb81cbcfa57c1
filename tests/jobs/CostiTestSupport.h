#pragma once

#include <QDate>

#include "jobs/frm_io_Costi.h"
#include "platform/grid/GridEX.h"
#include "tests/support/FormTestSupport.h"
#include "tests/support/GridInput.h"

// The cost window on a database with four job orders (A001 closed; B001 without a rate, B002 at
// 40 an hour, C003 without quote lines), two employees (Rossi at 25 an hour, Bianchi without a
// rate), two articles, two units and quote lines for B001 and B002, with cost rows of B001 on
// 5 March 2024 (a labour row and an other cost), 6 March 2024, and 5 March of 1930 and of 2030.
class CostiTest : public FormTest {
 protected:
  void SetUp() override;

  // Opens the single cost window on the day and waits until it is active.
  frm_io_Costi& open(const QDate& day = QDate(2024, 3, 5));
  frm_io_Costi& window();
};

// Clicks a cell of a row (-1: the new-row line), which leaves the row being edited.
void clickRow(grid::GridEX* grid, int row, int column);
// The captions of the visible columns, left to right.
QStringList visibleCaptions(grid::GridEX* grid);
