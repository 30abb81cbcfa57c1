#include "common/comfrmGroupBy.h"

#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/grid/GridEX.h"

comfrmGroupBy::comfrmGroupBy(grid::GridEX& Grid)
    : GridLevelsDialog(QStringLiteral("Raggruppa"), QStringLiteral("Raggruppa per")) {
  cboExpand = new QComboBox(this);
  cboExpand->addItem(QStringLiteral("Espandi tutto"), 0);
  cboExpand->addItem(QStringLiteral("Unisci tutto"), -1);
  cboExpand->setCurrentIndex(0);
  sideColumn()->addWidget(new QLabel(QStringLiteral("Espandi/Unisci:"), this));
  sideColumn()->addWidget(cboExpand);
  fill(Grid, Grid.groups(),
       [](const grid::GridColumn* column) { return column->type() != grid::ColumnIcon; });
}

void comfrmGroupBy::GroupGrid(grid::GridEX& Grid) {
  comfrmGroupBy form(Grid);
  form.editKeys(Grid.groups(), [&] { Grid.collapseAll(form.cboExpand->currentData().toInt() != 0); });
}
