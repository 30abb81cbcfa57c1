#pragma once

#include <QDate>
#include <QStringList>
#include <QWidget>
#include <cstdint>

#include "jobs/CostQueries.h"
#include "platform/runtime/Currency.h"

class QPushButton;
class QTabWidget;

namespace grid {
class GridEX;
}

// The daily cost entry ("Dati Reali"): the cost rows of one open job order on one day, in three
// grids bound to Costi (labour, materials, other costs) that write their own rows. The window
// fills what the user does not type: an employee's hourly cost and the job's rate, an article's
// unit, prices and description, and, on every row written, its day, job order, class, whether it
// lies outside the quote and its value. One window in the program (forms::SharedInstance), modeless
// and owned by the main window, which it refreshes when it closes.
class frm_io_Costi : public QWidget {
  Q_OBJECT

 public:
  frm_io_Costi();

  // Opens the window on the first open job order by code and the given day, or starts it over on
  // them when it is already open. Without an open job order it says so and does not show; an
  // invalid day opens nothing.
  void Apri(const QDate& Data);
  // The hourly cost of an employee (0 for one that does not exist or has no rate).
  static Currency TarOP(std::int32_t CodImp);

  QTabWidget* SSTab1;
  grid::GridEX* gexMan;
  grid::GridEX* gexMat;
  grid::GridEX* gexAC;
  grid::GridEX* sgexImp;
  grid::GridEX* sgexStime;
  grid::GridEX* sgexMat;
  QPushButton* cmdComSelect;
  QPushButton* cmdDateApply;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void prepareGrids();
  void loadDay();
  void fillLists();
  void attachDropDowns();
  // Writes the rows still being edited, so that they keep the job order and day they were typed
  // for; false while one of them cannot be written (it stays in editing, and the user is told).
  bool settleRows();
  void cmdComSelect_Click();
  void cmdDateApply_Click();
  void showJobOrder();
  void showDay();
  void connectRules(grid::GridEX* grid, costs::CostClass costClass);
  void columnRule(grid::GridEX* grid, int column, bool* cancel);
  void rowRule(grid::GridEX* grid, costs::CostClass costClass, bool* cancel);
  // The captions of what a labour row still needs before it can be written.
  QStringList missingInLabourRow(grid::GridEX* grid) const;
  void jobOrderRule(bool* cancel);

  QString m_CodCom;
  QDate m_Data;
  Currency m_EcoTar;
  bool m_leaving = false;  // the rows are being written because the window moves on
};
