#pragma once

#include "jobs/CostQueries.h"

namespace grid {
class GridEX;
}

// The columns of the cost window's grids, apart from the window's rules.
namespace costs {

// Columns of Costi as the grids number them.
enum Column : int {
  colClasse = 2,
  colTipo = 3,
  colCodCom = 5,
  colInEconomia = 6,
  colIdStima = 7,
  colData = 8,
  colCodImp = 9,
  colCodice = 21,
  colDescrizione = 22,
  colUM = 23,
  colQuantita = 24,
  colCostoUnitario = 25,
  colValore = 27,
  colPrezzoUnitario = 28,
};

// A cost grid of one class: the 28 columns of Costi in table order, the class's visible columns with
// their captions, formats and defaults, rows that can be added and deleted, and its navigator.
void setUpCostGrid(grid::GridEX& grid, CostClass costClass);

// The hidden drop-down lists: employees (stores CodImp, shows the name), quote lines (stores
// IdVocePre, shows the code) and articles (stores and shows the code).
void setUpEmployeeList(grid::GridEX& grid);
void setUpQuoteLineList(grid::GridEX& grid);
void setUpArticleList(grid::GridEX& grid);

}  // namespace costs
