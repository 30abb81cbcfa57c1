#pragma once

#include <QString>

namespace grid {
class GridEX;
}

// Grid layouts of the views: stored in the database (_Pars rows "gridlayout", the layout text as
// UTF-16LE bytes in m01) or read from the default layout file "<Nome>.lyt" in the program folder.
// A layout that cannot be read is reported (once per run for the same content) and the next source
// is taken: the stored layout gives way to the file, the file to one column per field. Database
// failures are not caught: they reach the caller (db::DbError).
namespace comGriglia {

// Restores the layout Nome: from the database when DaDatabase and a row exists, otherwise from the
// layout file. A row without a layout applies none (one column per field). A missing file shows
// "Attenzione!" with the file's path and empties the grid of its rows and columns.
void CaricaLayout(grid::GridEX& Grid, const QString& ConnString, const QString& Nome, bool DaDatabase,
                  bool Opzione);

// Applies the default layout file of Nome to the grid (nothing is stored).
void CaricaLayoutFile(grid::GridEX& Grid, const QString& ConnString, const QString& Nome);

// Stores the grid's current layout under Nome, adding the row the first time.
void SalvaLayout(grid::GridEX& Grid, const QString& ConnString, const QString& Nome);

}  // namespace comGriglia
