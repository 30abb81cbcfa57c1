#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "platform/grid/GridTypes.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace grid {
class GridColumn;
class GridEX;
class SortKeyList;
}  // namespace grid

// The four levels that the sort and group dialogs edit: on each level a column ("(Vuoto)" for none)
// and a direction. A level shows only while the one above it names a column.
class GridLevelsDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kLevels = 4;

  std::array<QGroupBox*, kLevels> frames;
  std::array<QComboBox*, kLevels> cboGroups;
  // Level i: element 2i "Crescente", element 2i + 1 "Decrescente".
  std::array<QRadioButton*, 2 * kLevels> optOrder;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QPushButton* cmdClearAll;

 protected:
  GridLevelsDialog(const QString& caption, const QString& firstLevelTitle);

  // Offers the columns that `offered` accepts on every level, then shows the keys on the levels.
  void fill(const grid::GridEX& Grid, const grid::SortKeyList& keys,
            const std::function<bool(const grid::GridColumn*)>& offered);
  // Shows the dialog modally. After "OK" with levels that differ from the keys, the keys become the
  // levels and `afterChange` runs, under the hourglass.
  void editKeys(grid::SortKeyList& keys, const std::function<void()>& afterChange);
  // The column beside the buttons, for a dialog's own controls.
  QVBoxLayout* sideColumn() const { return m_side; }

 private:
  void selectLevel(int level, int entry);
  void levelRule(int level);
  bool differsFrom(const grid::SortKeyList& keys) const;
  std::vector<grid::SortKey> chosenKeys() const;
  int chosenOrder(int level) const;

  QVBoxLayout* m_side;
};
