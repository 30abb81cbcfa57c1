#include "platform/runtime/DateTime.h"

#include <cmath>

namespace {
const QDate SerialZero(1899, 12, 30);
constexpr double SecondsPerDay = 86400.0;
constexpr double MaxSerial = 3e6;  // beyond the year 9999 either way
}  // namespace

QDate Today() { return QDate::currentDate(); }

QDateTime Now() {
  const QDateTime now = QDateTime::currentDateTime();
  return QDateTime(now.date(), QTime(now.time().hour(), now.time().minute(), now.time().second()),
                   Qt::UTC);
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
