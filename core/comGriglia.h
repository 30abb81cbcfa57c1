#pragma once

#include <QString>

namespace grid {
class GridEX;
}

// Grid layouts of the views: stored in the database (_Pars rows "gridlayout", the layout text as
// UTF-16LE bytes in m01) or read from the default layout file "<Nome>.lyt" in the program folder.
// Database and grid failures are not caught: they reach the caller (db::DbError, grid::GridError).
namespace comGriglia {

// Restores the layout Nome: from the database when DaDatabase and a row exists, otherwise from the
// layout file. A missing file shows "Attenzione!" with the file's path and empties the grid of its
// rows and columns.
void CaricaLayout(grid::GridEX& Grid, const QString& ConnString, const QString& Nome, bool DaDatabase,
                  bool Opzione);

// Applies the default layout file of Nome to the grid (nothing is stored).
void CaricaLayoutFile(grid::GridEX& Grid, const QString& ConnString, const QString& Nome);

// Stores the grid's current layout under Nome, adding the row the first time.
void SalvaLayout(grid::GridEX& Grid, const QString& ConnString, const QString& Nome);

}  // namespace comGriglia
