#include "common/comfrmSort.h"

#include <QComboBox>
#include <QPushButton>

#include "core/Globals.h"
#include "platform/forms/FocusTracker.h"
#include "platform/forms/MsgBox.h"
#include "platform/grid/GridEX.h"

comfrmSort::comfrmSort(grid::GridEX& Grid)
    : GridLevelsDialog(QStringLiteral("Ordina"), QStringLiteral("Ordina per")) {
  fill(Grid, Grid.sortKeys(), [](const grid::GridColumn*) { return true; });
  auto* focus = new forms::FocusTracker(this);
  forms::setCausesValidation(cmdCancel, false);
  focus->setRule(cboGroups[0], [this] {
    if (cboGroups[0]->currentIndex() > 0) return true;
    forms::MsgBox(QStringLiteral("Inserire almeno un Campo di ordinamento"), forms::vbOKOnly, AppTitle, this);
    return false;
  });
}

void comfrmSort::SortGrid(grid::GridEX& Grid) {
  comfrmSort form(Grid);
  form.editKeys(Grid.sortKeys(), [&Grid] { Grid.refreshSort(); });
}
