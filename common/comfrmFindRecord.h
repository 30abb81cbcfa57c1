#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "platform/runtime/Variant.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace grid {
class GridEX;
}

// A modal dialog that lets the user pick one row of any query: the rows fill a grid, typing in the
// find box moves to the first row whose sorted column begins with the text, and a button or key
// returns what the user chose.
class comfrmFindRecord : public QDialog {
  Q_OBJECT

 public:
  // Element 0 is the action: "i" (choose), "e" (edit), "n" (new) or "c" (cancel); element 1 is the
  // key column's value of the chosen row, for "i" and "e" only (Null otherwise).
  using Result = std::array<Variant, 2>;

  // Buttons flags: 1 enables "Inserisci", 2 "Nuovo", 4 "Modifica"; "Annulla" is always enabled.
  // Layout: "sorted column;width of column 1;width of column 2;..." with widths in twips, or empty
  // (sorted on column 1). Start, when not Empty, is looked for in column 1 as the dialog opens.
  // Each call loads a dialog of its own and unloads it before returning.
  static Result Trova(const QString& Title, const QString& SQL, std::int16_t Buttons, const QString& Layout,
                      std::int16_t KeyColumn, const Variant& Start = Variant(), QWidget* Owner = nullptr);

  grid::GridEX* gexFind;
  QFrame* frmFind;
  QLabel* lblFindField;
  QLineEdit* txtFind;
  QPushButton* cmdInsert;
  QPushButton* cmdNew;
  QPushButton* cmdEdit;
  QPushButton* cmdCancel;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void reject() override;

 private:
  explicit comfrmFindRecord(QWidget* owner);
  // Binds the grid and applies the layout; false when the query cannot be read (already reported).
  bool load(const QString& SQL, const QString& Layout);
  void sortOn(int column);
  void markSortedColumn();
  void finish(const QString& action, const Variant& key = Variant::null());
  void choose(const QString& action);

  int m_KeyColumn = 1;
  int m_sortedColumn = 1;  // the column the find box searches: the grid's first sort key
  Result m_Result;
};
