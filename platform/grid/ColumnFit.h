#pragma once

#include <QString>
#include <QStringList>

namespace grid {

class GridEX;

// Column widths, in twips, at which a grid shows texts whole at its current fonts and style.

// A header section showing the caption, with room for the sort arrow.
int headingWidth(const GridEX& grid, const QString& caption);
// A plain cell showing any of the texts.
int textCellWidth(const GridEX& grid, const QStringList& texts);
// A cell edited through a drop-down list: any of the texts beside the list's arrow.
int listCellWidth(const GridEX& grid, const QStringList& texts);

}  // namespace grid
