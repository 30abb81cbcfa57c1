#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "platform/runtime/Variant.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace db {
class Recordset;
}

namespace forms {

class DataCombo;
class DatePicker;

// Binds controls to the current row of a recordset by column name. A control shows its column's
// value when the binding is connected and whenever the column changes through the binding. Check
// boxes, date pickers and look-up lists write the user's change at once; a text box writes its text
// when it is committed (the form commits the control the focus leaves, and every control before a
// save). Connecting also limits each text box bound to a text column to the column's defined size.
class RecordBinding : public QObject {
  Q_OBJECT

 public:
  explicit RecordBinding(QObject* parent = nullptr);

  // A text box shows its value through the display format (the runtime's Format patterns), or in
  // the general form when there is none.
  void bindText(QLineEdit* box, const QString& column, const QString& format = QString());
  void bindText(QPlainTextEdit* box, const QString& column);
  void bindCheck(QCheckBox* box, const QString& column);
  void bindDate(DatePicker* picker, const QString& column);
  void bindList(DataCombo* list, const QString& column);

  // Connects the controls to the recordset's current row and shows it; nullptr disconnects and
  // leaves the controls showing what they show.
  void connectTo(db::Recordset* rows);
  bool connected() const { return m_rows != nullptr; }

  Variant value(const QString& column) const;
  // Writes the value into the row and shows it in the controls bound to the column; false when the
  // row does not take it (no such column, a value of the wrong kind).
  bool setValue(const QString& column, const Variant& value);
  // Puts text into a bound text box as if typed: the row takes it when the box is committed.
  void setText(QWidget* box, const QString& text);

  // Writes a text box's edited text into the row. False when the text does not convert to the
  // column's type (the row keeps its value and the box its text).
  bool commit(QWidget* control);
  // Commits every edited text box; the first that fails is returned, nullptr when all succeeded.
  QWidget* commitAll();

  // The column a control is bound to; empty for a control that is not bound.
  QString columnOf(const QWidget* control) const;
  // The first control bound to a column (ignoring case); nullptr when none is.
  QWidget* controlOf(const QString& column) const;

 private:
  enum class Kind { Line, Memo, Check, Date, List };
  struct Bound {
    QWidget* control;
    Kind kind;
    QString column;
    QString format;
    bool edited = false;
  };

  void add(QWidget* control, Kind kind, const QString& column, const QString& format = QString());
  Bound* find(const QWidget* control);
  const Bound* find(const QWidget* control) const;
  void show(Bound& bound);
  void writeFromUser(const Bound& bound, const Variant& value);

  std::vector<Bound> m_bound;
  db::Recordset* m_rows = nullptr;
  bool m_showing = false;
};

}  // namespace forms
