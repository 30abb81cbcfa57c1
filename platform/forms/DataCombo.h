#pragma once

#include <QComboBox>
#include <QString>
#include <vector>

#include "platform/runtime/Variant.h"

namespace db {
class Recordset;
}

namespace forms {

// A look-up list: offers the rows of a row source, shows one column of them (the list field) and
// holds another (the bound column) as its value. The user may pick a row or type its shown text;
// typed text that names no row gives way to the row held before when the list is left, and an empty
// text holds Null. Rows may show the same text (or none): the row picked or held stays held as long
// as its text is shown. F4 opens the list.
class DataCombo : public QComboBox {
  Q_OBJECT

 public:
  explicit DataCombo(QWidget* parent = nullptr);

  void setListField(const QString& column) { m_listField = column; }
  void setBoundColumn(const QString& column) { m_boundColumn = column; }
  QString listField() const { return m_listField; }
  QString boundColumn() const { return m_boundColumn; }

  // Copies the rows of the recordset (from the first, leaving it positioned there); the value held
  // stays selected when it is among the new rows.
  void setRowSource(db::Recordset& rows);

  // The bound column of the selected row; Null when no row is selected.
  Variant boundValue() const;
  // Selects the row holding the value (none when no row does) without raising boundValueEdited.
  void setBoundValue(const Variant& value);
  // The position of the selected row in the row source; -1 for none.
  int selectedRow() const { return m_heldRow; }

  // Settles typed text: the held row stays when it shows the text, else a text naming a row selects
  // the first such row, an empty text selects none, and any other text is replaced by the held row's.
  void settleTypedText();

 signals:
  // The user selected another row (or cleared the list).
  void boundValueEdited();
  // A key went down in the list; the handler sets handled to keep the list from acting on it.
  void keyDown(QKeyEvent* event, bool* handled);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int rowOfText(const QString& text) const;
  void selectByUser(int row);

  QString m_listField;
  QString m_boundColumn;
  std::vector<Variant> m_values;
  int m_heldRow = -1;  // the selected row as the owner knows it
};

}  // namespace forms
