#include "platform/forms/DataCombo.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/db/Recordset.h"

namespace forms {

namespace {
// Keys from the database compare as Jet does: numbers by value, text without regard to case.
bool sameKey(const Variant& a, const Variant& b) {
  if (a.isNumber() && b.isNumber()) return a.toDouble() == b.toDouble();
  if (a.isText() && b.isText()) return a.toString().compare(b.toString(), Qt::CaseInsensitive) == 0;
  return a == b;
}
}  // namespace

DataCombo::DataCombo(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  setMaxVisibleItems(16);
  // The combo box's own handling picks the first row showing the text when editing ends or Enter is
  // pressed, which swaps rows that show the same text: the list settles typed text itself.
  disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
  disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
    if (text.isEmpty()) {
      selectByUser(-1);
      return;
    }
    const int row = rowOfText(text);
    if (row >= 0) selectByUser(row);
  });
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int row) { selectByUser(row); });
}

void DataCombo::setRowSource(db::Recordset& rows) {
  const Variant held = boundValue();
  const QSignalBlocker block(this);
  clear();
  m_values.clear();
  const int shown = rows.FieldIndex(m_listField);
  const int bound = rows.FieldIndex(m_boundColumn);
  if (shown >= 0 && bound >= 0) {
    const int count = rows.RecordCount();
    m_values.reserve(static_cast<size_t>(count));
    for (int r = 0; r < count; ++r) {
      const Variant& text = rows.ValueAt(r, shown);
      addItem(text.isNull() ? QString() : text.toString());
      m_values.push_back(rows.ValueAt(r, bound));
    }
    if (count > 0) rows.MoveFirst();
  }
  setBoundValue(held);
}

Variant DataCombo::boundValue() const {
  const int row = m_heldRow;
  if (row < 0 || row >= static_cast<int>(m_values.size())) return Variant::null();
  return m_values[static_cast<size_t>(row)];
}

void DataCombo::setBoundValue(const Variant& value) {
  int found = -1;
  if (!value.isNull() && !value.isEmpty()) {
    for (size_t i = 0; i < m_values.size(); ++i) {
      if (sameKey(m_values[i], value)) {
        found = static_cast<int>(i);
        break;
      }
    }
  }
  const QSignalBlocker block(this);
  setCurrentIndex(found);
  m_heldRow = found;
  if (found < 0) setEditText(QString());
}

void DataCombo::settleTypedText() {
  const QString text = currentText();
  const int row = rowOfText(text);
  if (row >= 0 || text.isEmpty()) {
    selectByUser(row);
    return;
  }
  const QSignalBlocker block(this);
  setCurrentIndex(m_heldRow);
  setEditText(m_heldRow >= 0 ? itemText(m_heldRow) : QString());
}

int DataCombo::rowOfText(const QString& text) const {
  // Several rows may show the same text: the row held keeps its place. An empty text names only a
  // row already held, never the first row that happens to show nothing.
  if (m_heldRow >= 0 && itemText(m_heldRow).compare(text, Qt::CaseInsensitive) == 0) return m_heldRow;
  if (text.isEmpty()) return -1;
  for (int i = 0; i < count(); ++i)
    if (itemText(i).compare(text, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

void DataCombo::selectByUser(int row) {
  {
    const QSignalBlocker block(this);
    if (currentIndex() != row) setCurrentIndex(row);
    if (row < 0) setEditText(QString());
  }
  if (row == m_heldRow) return;
  m_heldRow = row;
  emit boundValueEdited();
}

void DataCombo::keyPressEvent(QKeyEvent* event) {
  bool handled = false;
  emit keyDown(event, &handled);
  if (handled) {
    event->accept();
    return;
  }
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !view()->isVisible())
    settleTypedText();
  QComboBox::keyPressEvent(event);
}

void DataCombo::focusOutEvent(QFocusEvent* event) {
  // Leaving the list for a popup of its own is not leaving it.
  if (event->reason() != Qt::PopupFocusReason) settleTypedText();
  QComboBox::focusOutEvent(event);
}

}  // namespace forms
