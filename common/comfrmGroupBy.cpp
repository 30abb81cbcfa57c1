#include "common/comfrmGroupBy.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/grid/GridEX.h"

namespace {

// Icon columns are not offered for grouping, except one the grid is already grouped by: every
// level then shows the grid's groups, and "OK" without changes keeps them.
bool groupedBy(grid::GridEX& Grid, int column) {
  const std::vector<grid::SortKey>& groups = Grid.groups().keys();
  return std::any_of(groups.begin(), groups.end(),
                     [column](const grid::SortKey& key) { return key.column == column; });
}

}  // namespace

comfrmGroupBy::comfrmGroupBy(grid::GridEX& Grid)
    : GridLevelsDialog(QStringLiteral("Raggruppa"), QStringLiteral("Raggruppa per")) {
  cboExpand = new QComboBox(this);
  cboExpand->addItem(QStringLiteral("Espandi tutto"), 0);
  cboExpand->addItem(QStringLiteral("Unisci tutto"), -1);
  cboExpand->setCurrentIndex(0);
  sideColumn()->addWidget(new QLabel(QStringLiteral("Espandi/Unisci:"), this));
  sideColumn()->addWidget(cboExpand);
  fill(Grid, Grid.groups(), [&Grid](const grid::GridColumn* column) {
    return column->type() != grid::ColumnIcon || groupedBy(Grid, column->index());
  });
}

void comfrmGroupBy::GroupGrid(grid::GridEX& Grid) {
  comfrmGroupBy form(Grid);
  form.editKeys(Grid.groups(), [&] { Grid.collapseAll(form.cboExpand->currentData().toInt() != 0); });
}
