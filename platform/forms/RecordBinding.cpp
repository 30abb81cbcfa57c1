#include "platform/forms/RecordBinding.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <cmath>
#include <optional>

#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/forms/DataCombo.h"
#include "platform/forms/DatePicker.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Numeric.h"

namespace forms {

namespace {

// The value a text stands for in a column of the given type; nothing when it does not convert.
// An empty text stands for Null whatever the type.
std::optional<Variant> fromText(const QString& text, db::DataType type) {
  if (text.isEmpty()) return Variant::null();
  switch (type) {
    case db::adVarWChar:
    case db::adLongVarWChar:
    case db::adEmpty: return Variant(text);
    case db::adSmallInt:
    case db::adInteger:
    case db::adDouble:
    case db::adCurrency: {
      const std::optional<double> number = ParseNumber(text);
      if (!number) return std::nullopt;
      if (type == db::adDouble) return Variant(*number);
      if (type == db::adCurrency) {
        const std::optional<Currency> money = Currency::fromDouble(*number);
        if (!money) return std::nullopt;
        return Variant(*money);
      }
      const double whole = std::nearbyint(*number);
      const double limit = type == db::adSmallInt ? 32767.0 : 2147483647.0;
      if (whole > limit || whole < -limit - 1) return std::nullopt;
      if (type == db::adSmallInt) return Variant(static_cast<std::int16_t>(whole));
      return Variant(static_cast<std::int32_t>(whole));
    }
    case db::adDate: {
      const std::optional<QDateTime> date = DateFromText(text);
      if (!date) return std::nullopt;
      return Variant(*date);
    }
    default: return std::nullopt;
  }
}

// Text is shown as stored (a code such as "0012" must not be read as a number); other values through
// the display format.
QString display(const Variant& value, const QString& format) {
  return value.isText() ? value.toString() : Format(value, format);
}

QString textOf(const QWidget* control) {
  if (auto* line = qobject_cast<const QLineEdit*>(control)) return line->text();
  if (auto* memo = qobject_cast<const QPlainTextEdit*>(control)) return memo->toPlainText();
  return QString();
}

}  // namespace

RecordBinding::RecordBinding(QObject* parent) : QObject(parent) {}

void RecordBinding::bindText(QLineEdit* box, const QString& column, const QString& format) {
  add(box, Kind::Line, column, format);
  connect(box, &QLineEdit::textEdited, this, [this, box] {
    if (Bound* b = find(box)) b->edited = true;
  });
}

void RecordBinding::bindText(QPlainTextEdit* box, const QString& column) {
  add(box, Kind::Memo, column);
  connect(box, &QPlainTextEdit::textChanged, this, [this, box] {
    if (Bound* b = find(box); b && !m_showing) b->edited = true;
  });
}

void RecordBinding::bindCheck(QCheckBox* box, const QString& column) {
  add(box, Kind::Check, column);
  connect(box, &QCheckBox::clicked, this, [this, box](bool checked) {
    if (const Bound* b = find(box)) writeFromUser(*b, Variant(checked));
  });
}

void RecordBinding::bindDate(DatePicker* picker, const QString& column) {
  add(picker, Kind::Date, column);
  connect(picker, &DatePicker::valueEdited, this, [this, picker] {
    if (const Bound* b = find(picker)) writeFromUser(*b, picker->value());
  });
}

void RecordBinding::bindList(DataCombo* list, const QString& column) {
  add(list, Kind::List, column);
  connect(list, &DataCombo::boundValueEdited, this, [this, list] {
    if (const Bound* b = find(list)) writeFromUser(*b, list->boundValue());
  });
}

void RecordBinding::add(QWidget* control, Kind kind, const QString& column, const QString& format) {
  m_bound.push_back(Bound{control, kind, column, format});
}

RecordBinding::Bound* RecordBinding::find(const QWidget* control) {
  for (Bound& b : m_bound)
    if (b.control == control) return &b;
  return nullptr;
}

const RecordBinding::Bound* RecordBinding::find(const QWidget* control) const {
  for (const Bound& b : m_bound)
    if (b.control == control) return &b;
  return nullptr;
}

QString RecordBinding::columnOf(const QWidget* control) const {
  const Bound* b = find(control);
  return b ? b->column : QString();
}

QWidget* RecordBinding::controlOf(const QString& column) const {
  for (const Bound& b : m_bound)
    if (b.column.compare(column, Qt::CaseInsensitive) == 0) return b.control;
  return nullptr;
}

void RecordBinding::connectTo(db::Recordset* rows) {
  m_rows = rows;
  if (!m_rows) return;
  for (Bound& b : m_bound) {
    if (b.kind == Kind::Line) {
      auto* line = static_cast<QLineEdit*>(b.control);
      const int index = m_rows->FieldIndex(b.column);
      const bool sized =
          index >= 0 && m_rows->Field(index).type == db::adVarWChar && m_rows->Field(index).definedSize > 0;
      line->setMaxLength(sized ? m_rows->Field(index).definedSize : 32767);
    }
    show(b);
  }
}

Variant RecordBinding::value(const QString& column) const {
  if (!m_rows || m_rows->isEOF() || m_rows->isBOF()) return Variant::null();
  const int index = m_rows->FieldIndex(column);
  return index < 0 ? Variant::null() : m_rows->Value(index);
}

bool RecordBinding::setValue(const QString& column, const Variant& value) {
  if (!m_rows) return false;
  try {
    m_rows->SetValue(column, value);
  } catch (const db::DbError&) {
    return false;
  }
  for (Bound& b : m_bound)
    if (b.column.compare(column, Qt::CaseInsensitive) == 0) show(b);
  return true;
}

void RecordBinding::setText(QWidget* box, const QString& text) {
  Bound* b = find(box);
  if (!b) return;
  m_showing = true;
  if (auto* line = qobject_cast<QLineEdit*>(box)) line->setText(text);
  if (auto* memo = qobject_cast<QPlainTextEdit*>(box)) memo->setPlainText(text);
  m_showing = false;
  b->edited = true;
}

bool RecordBinding::commit(QWidget* control) {
  Bound* b = find(control);
  if (!b || !b->edited || !m_rows) return true;
  const int index = m_rows->FieldIndex(b->column);
  if (index < 0) return false;
  const std::optional<Variant> value = fromText(textOf(control), m_rows->Field(index).type);
  if (!value) return false;
  try {
    m_rows->SetValue(index, *value);
  } catch (const db::DbError&) {
    return false;
  }
  b->edited = false;
  show(*b);
  return true;
}

QWidget* RecordBinding::commitAll() {
  for (Bound& b : m_bound)
    if (!commit(b.control)) return b.control;
  return nullptr;
}

void RecordBinding::writeFromUser(const Bound& bound, const Variant& value) {
  if (!m_rows || m_showing) return;
  try {
    m_rows->SetValue(bound.column, value);
  } catch (const db::DbError&) {
    // The control was bound to a column the row cannot take: the row keeps its value and the
    // save writes that.
  }
}

void RecordBinding::show(Bound& b) {
  const Variant v = value(b.column);
  m_showing = true;
  switch (b.kind) {
    case Kind::Line: static_cast<QLineEdit*>(b.control)->setText(display(v, b.format)); break;
    case Kind::Memo: static_cast<QPlainTextEdit*>(b.control)->setPlainText(display(v, QString())); break;
    case Kind::Check: static_cast<QCheckBox*>(b.control)->setChecked(!v.isNull() && v.toBool()); break;
    case Kind::Date: static_cast<DatePicker*>(b.control)->setValue(v); break;
    case Kind::List: static_cast<DataCombo*>(b.control)->setBoundValue(v); break;
  }
  m_showing = false;
  b.edited = false;
}

}  // namespace forms
