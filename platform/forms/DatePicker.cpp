#include "platform/forms/DatePicker.h"

#include <QKeyEvent>
#include <QLocale>

namespace forms {

namespace {
// The earliest date the box offers stands for "no date" and is shown empty.
const QDate NoDate(1752, 9, 14);
}  // namespace

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent) {
  setCalendarPopup(true);
  setMinimumDate(NoDate);
  setSpecialValueText(QStringLiteral(" "));
  // The short date of the user's locale with the year in four digits: a two-digit year would take
  // only the first two digits of a year typed in full ("2025" would enter as 20).
  QString format = QLocale().dateFormat(QLocale::ShortFormat);
  if (!format.contains(QLatin1String("yyyy"))) format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  setDisplayFormat(format);
  setDate(NoDate);
  connect(this, &QDateEdit::dateChanged, this, [this] {
    if (!m_loading) emit valueEdited();
  });
}

Variant DatePicker::value() const { return date() == NoDate ? Variant::null() : Variant(date()); }

void DatePicker::setValue(const Variant& value) {
  m_loading = true;
  const QDate d = value.isDate() ? value.toDate() : QDate();
  setDate(d.isValid() && d > NoDate ? d : NoDate);
  m_loading = false;
}

bool DatePicker::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }

void DatePicker::keyPressEvent(QKeyEvent* event) {
  // An empty box has no sections to type into: the first digit starts from today's date, with the
  // day selected, so that the date typed replaces it section by section.
  const QString typed = event->text();
  if (value().isNull() && typed.size() == 1 && typed.at(0).isDigit()) {
    setDate(QDate::currentDate());
    setSelectedSection(QDateTimeEdit::DaySection);
  }
  QDateEdit::keyPressEvent(event);
}

}  // namespace forms
