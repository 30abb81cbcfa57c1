#pragma once

#include <QStringList>
#include <functional>

#include "platform/grid/GridEX.h"
#include "tests/support/FormTestSupport.h"

// An unbound grid of six people for the grid-tool tests. Columns: 1 "Codice", 2 "Nome", 3 without a
// caption, 4 "Città", 5 "Stato" (an icon column).
class ToolGrid : public grid::GridEX {
 public:
  ToolGrid() {
    for (const char* caption : {"Codice", "Nome", "", "Città", "Stato"})
      addColumn(QString::fromUtf8(caption).isEmpty() ? QStringLiteral("Nota") : QString::fromUtf8(caption),
                QString::fromUtf8(caption));
    column(5)->setType(grid::ColumnIcon);
    connect(this, &grid::GridEX::unboundReadData, this, [](int row, grid::RowBuffer* values) {
      const char* people[][3] = {{"A1", "Rossi", "Milano"}, {"A2", "Bianchi", "Roma"},
                                 {"A3", "Verdi", "Milano"}, {"A4", "Bassi", "Roma"},
                                 {"A5", "Neri", "Torino"},  {"A6", "Conti", "Roma"}};
      values->setValue(1, Variant(QString::fromUtf8(people[row - 1][0])));
      values->setValue(2, Variant(QString::fromUtf8(people[row - 1][1])));
      values->setValue(4, Variant(QString::fromUtf8(people[row - 1][2])));
    });
    setItemCount(6);
  }

  // Column 2's texts as shown, "#" for a group row.
  QStringList names() {
    QStringList out;
    for (int r = 1; r <= rowCount(); ++r) out << (isGroupRow(r) ? QStringLiteral("#") : cellText(r, 2));
    return out;
  }
};

// A grid tool's test: the tool's entry runs on a shown ToolGrid, and drive works its dialog.
template <class Dialog, void (*Entry)(grid::GridEX&)>
class GridToolTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    grid.show();
  }
  void open(const std::function<void(Dialog*)>& drive) {
    runModal(
        [&] {
          Entry(grid);
          return Variant();
        },
        [&](QWidget* w) { drive(qobject_cast<Dialog*>(w)); });
  }

  // A top-level window: the fixture's tear-down deletes it with the other windows.
  ToolGrid& grid = *new ToolGrid;
};
