#include "platform/runtime/DateTime.h"

#include <QRegularExpression>
#include <cmath>

namespace {
const QDate SerialZero(1899, 12, 30);
constexpr double SecondsPerDay = 86400.0;
constexpr double MaxSerial = 3e6;  // beyond the year 9999 either way
}  // namespace

QDate Today() { return QDate::currentDate(); }

QDateTime Now() {
  const QDateTime now = QDateTime::currentDateTime();
  return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()), Qt::UTC);
}

// Before the zero day the time still counts forwards: -1.25 is 29 December 1899, 06:00.
double DateToSerial(const QDateTime& value) {
  const double days = double(SerialZero.daysTo(value.date()));
  const double fraction = value.time().msecsSinceStartOfDay() / 1000.0 / SecondsPerDay;
  return days < 0 ? days - fraction : days + fraction;
}

std::optional<QDateTime> SerialToDate(double serial) {
  if (!std::isfinite(serial) || std::fabs(serial) > MaxSerial) return std::nullopt;
  const double days = std::trunc(serial);
  const QDate date = SerialZero.addDays(qint64(days));
  if (!date.isValid() || date.year() < 100 || date.year() > 9999) return std::nullopt;
  const qint64 seconds = std::llround(std::fabs(serial - days) * SecondsPerDay);
  if (seconds >= 86400) return QDateTime(date.addDays(days < 0 ? -1 : 1), QTime(0, 0), Qt::UTC);
  return QDateTime(date, QTime(0, 0).addSecs(int(seconds)), Qt::UTC);
}

int FullYear(int year, qsizetype digits) {
  if (digits > 2) return year;
  return year < 30 ? 2000 + year : 1900 + year;
}

namespace {

// Where day, month and year stand in the locale's short date form ("dd/MM/yy": day, month, year).
struct DateOrder {
  int day = 0, month = 1, year = 2;
};

DateOrder orderOf(const QLocale& locale) {
  const QString form = locale.dateFormat(QLocale::ShortFormat);
  const qsizetype d = form.indexOf('d'), m = form.indexOf('M'), y = form.indexOf('y');
  if (d < 0 || m < 0 || y < 0) return {};
  auto rank = [&](qsizetype at) { return int(at > d) + int(at > m) + int(at > y); };
  return {rank(d), rank(m), rank(y)};
}

std::optional<QTime> timeFromText(const QString& hours, const QString& minutes, const QString& seconds) {
  if (hours.isEmpty()) return QTime(0, 0);
  const QTime time(hours.toInt(), minutes.toInt(), seconds.toInt());
  if (!time.isValid()) return std::nullopt;
  return time;
}

std::optional<QDateTime> numericDate(const QString& text, const QLocale& locale) {
  static const QRegularExpression pattern(
      R"(^(\d{1,4})([/.-])(\d{1,2})\2(\d{1,4})(?:[ T]+(\d{1,2})[:.](\d{2})(?:[:.](\d{2}))?)?$)");
  const QRegularExpressionMatch m = pattern.match(text);
  if (!m.hasMatch()) return std::nullopt;
  const QString parts[3] = {m.captured(1), m.captured(3), m.captured(4)};
  // A first part of four digits is a year: the stored form 2024-03-05 and its like.
  const DateOrder order = parts[0].size() > 2 ? DateOrder{2, 1, 0} : orderOf(locale);
  const QString& year = parts[order.year];
  if (year.size() == 3 || parts[order.day].size() > 2 || parts[order.month].size() > 2) return std::nullopt;
  const QDate date(FullYear(year.toInt(), year.size()), parts[order.month].toInt(), parts[order.day].toInt());
  const std::optional<QTime> time = timeFromText(m.captured(5), m.captured(6), m.captured(7));
  if (!date.isValid() || !time) return std::nullopt;
  return QDateTime(date, *time, Qt::UTC);
}

}  // namespace

std::optional<QDateTime> DateFromText(const QString& text, const QLocale& locale) {
  const QString t = text.trimmed();
  if (const std::optional<QDateTime> numeric = numericDate(t, locale)) return numeric;
  const QDate written = locale.toDate(t, QLocale::LongFormat);
  if (written.isValid()) return QDateTime(written, QTime(0, 0), Qt::UTC);
  return std::nullopt;
}
