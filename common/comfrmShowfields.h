#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace grid {
class GridEX;
}

// The column chooser: which columns of a grid are shown and in which order. Columns without a
// caption are left alone.
class comfrmShowfields : public QDialog {
  Q_OBJECT

 public:
  // Fills a new dialog from the grid and shows it modally; on "OK" hides the columns left in
  // "Campi disponibili:" and shows the others in the list's order. True when confirmed with "OK".
  static bool ShowFields(grid::GridEX& Grid);

  QListWidget* lstAvail;
  QListWidget* lstVisible;
  QPushButton* cmdAdd;
  QPushButton* cmdRemove;
  QPushButton* cmdUp;
  QPushButton* cmdDown;
  QPushButton* cmdOK;
  QPushButton* cmdCancel;

 private:
  explicit comfrmShowfields(grid::GridEX& Grid);
  void apply(grid::GridEX& Grid) const;
  void updateButtons();
  void addField();
  void removeField();
  void moveField(int step);
};
