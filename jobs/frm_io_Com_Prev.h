#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "platform/runtime/Currency.h"
#include "platform/runtime/Variant.h"

class QLabel;
class QPushButton;

namespace db {
class Connection;
}

namespace grid {
class GridEX;
}

// The quoted lines of one job order in a grid that writes its own rows: what was quoted (code,
// description, unit, rate, quoted quantity) and what is billed (quantity, amount = quantity x rate).
// Keeps the quote total, edits a line's extended description, saves the lines as a new quotation
// template and previews them for printing. Modal; the program has one, reached through
// forms::SharedInstance.
class frm_io_Com_Prev : public QDialog {
  Q_OBJECT

 public:
  explicit frm_io_Com_Prev(QWidget* parent = nullptr);

  // Shows the lines of the job order CodCom, with Caption as the title, and returns when the window
  // is closed (the window is unloaded then).
  void Apri(const QString& CodCom, const QString& Caption = QStringLiteral("Preventivo"));

  grid::GridEX* gex;
  QLabel* lblTot;
  QPushButton* cmdModello;
  QPushButton* cmdPrint;

 private:
  enum { colQPrev = 10, colQuantita, colPrezzo };

  void gex_BeforeColUpdate(int column, bool* cancel);
  void gex_AfterColUpdate(int column);
  void gex_BeforeUpdate(bool* cancel);
  // The captions of what the line in editing still needs before it can be written.
  QStringList missingInLine() const;
  void updateTotal();
  void cmdModello_Click();
  // Copies the job order's lines, as stored, into the template being written on cn.
  void copyLines(db::Connection& cn, std::int32_t IdModello);
  void cmdPrint_Click();

  QString m_CodCom;
};
