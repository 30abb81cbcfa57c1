#pragma once

#include <QDialog>

class QComboBox;
class QLabel;

namespace grid {
class GridEX;
}

// The table browser: any table of the database, chosen from a list, with all its rows and columns
// in a grid where they can be edited, added and deleted. A change the database refuses is reported
// and stays in editing.
class comfrmManData : public QDialog {
  Q_OBJECT

 public:
  // Lists the tables of the database behind ConnString (none while it is empty).
  explicit comfrmManData(QWidget* parent = nullptr);

  // The narrowest the window can be, in twips.
  static constexpr int kMinWidth = 6105;

  QComboBox* cmbTables;
  grid::GridEX* gexTable;
  QLabel* picBottom;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // Leaving the window writes the row being edited; a row the database refuses keeps it open.
  void reject() override;

 private:
  void listTables();
  void showTable(const QString& name);
};
