#pragma once

#include <QString>

namespace grid {
class GridEX;
}

// What the grid of a job order's quote lines (CommessePre) and the grid of a template's lines
// (PreVoci) have in common: their first nine columns, the unit list, the extended description behind
// the description's button, how they print, and their print preview.
namespace quotelines {

enum Column {
  colIdVocePre = 1,
  colParent,  // CodCom of a quote line, IdModelloPre of a template line
  colCodice,
  colDescrizione,
  colDescEstesa,
  colOrdine,
  colUM,
  colTariffa,
  colCostoStimato,
};

// Columns 1 to 9, the rate shown with rateFormat, and the grid's editing, order, navigator, preview
// row (the extended description, up to 20 lines) and print settings.
void setUp(grid::GridEX& gex, const QString& parentKey, const QString& rateFormat);

// Reads the units into the unit column's list (the code stored, the description shown) and fits the
// column to them, then binds the grid to its lines. A failure is told to the user and gives false.
bool load(grid::GridEX& gex, const QString& recordSource);

// The description's button: the extended description goes to the long-text editor, and a text that
// comes back not empty replaces it (an empty one means cancelled, so it changes nothing).
void editExtendedDescription(grid::GridEX& gex);

// Renders the grid's print preview into the preview window and shows it, modal or modeless.
void showPreview(grid::GridEX& gex, bool modal);

}  // namespace quotelines
