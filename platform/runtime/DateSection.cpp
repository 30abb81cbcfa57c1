// The date and time sections of a format pattern (FormatPattern_p.h), applied to a value.
#include "platform/runtime/FormatPattern_p.h"

namespace format_detail {

namespace {

QString twoDigits(int value) { return QStringLiteral("%1").arg(value, 2, 10, QChar('0')); }

// Week of the year counted from the week (Sunday to Saturday) that holds 1 January.
int weekOfYear(const QDate& date) {
  const int firstWeekday = QDate(date.year(), 1, 1).dayOfWeek() % 7;  // Sunday = 0
  return (date.dayOfYear() - 1 + firstWeekday) / 7 + 1;
}

bool startsWithCi(const PatternChars& chars, qsizetype pos, const char* word) {
  for (qsizetype i = 0; word[i]; ++i) {
    if (pos + i >= chars.size() || chars[pos + i].literal ||
        chars[pos + i].ch.toLower() != QChar(word[i]).toLower())
      return false;
  }
  return true;
}

qsizetype runLength(const PatternChars& chars, qsizetype pos) {
  const QChar c = chars[pos].ch.toLower();
  qsizetype n = 0;
  while (pos + n < chars.size() && !chars[pos + n].literal && chars[pos + n].ch.toLower() == c) ++n;
  return n;
}

// The marker forms that switch hours to the 12-hour clock.
struct AmPmMarker {
  const char* text;
  bool full;  // AM/PM and AMPM show the locale's texts; A/P shows one letter
};
constexpr AmPmMarker AmPmMarkers[] = {{"am/pm", true}, {"a/p", false}, {"ampm", true}};

const AmPmMarker* amPmAt(const PatternChars& chars, qsizetype pos) {
  for (const AmPmMarker& m : AmPmMarkers)
    if (startsWithCi(chars, pos, m.text)) return &m;
  return nullptr;
}

bool usesTwelveHours(const PatternChars& chars) {
  for (qsizetype i = 0; i < chars.size(); ++i)
    if (amPmAt(chars, i)) return true;
  return false;
}

}  // namespace

QString shortDate(const QDateTime& value, const QLocale& locale) {
  return locale.toString(value.date(), QLocale::ShortFormat);
}

QString longTime(const QDateTime& value) { return value.time().toString(QStringLiteral("HH:mm:ss")); }

QString generalDate(const QDateTime& value, const QLocale& locale) {
  const bool hasTime = value.time() != QTime(0, 0);
  if (value.date() == QDate(1899, 12, 30) && hasTime) return longTime(value);
  return hasTime ? shortDate(value, locale) + ' ' + longTime(value) : shortDate(value, locale);
}

QString renderDate(const PatternChars& chars, const QDateTime& value, const QLocale& locale) {
  const QDate date = value.date();
  const QTime time = value.time();
  const bool twelveHours = usesTwelveHours(chars);
  const int hour = twelveHours ? (time.hour() % 12 == 0 ? 12 : time.hour() % 12) : time.hour();
  QString out;
  bool afterHour = false;
  for (qsizetype i = 0; i < chars.size();) {
    const PatternChar p = chars[i];
    if (p.literal) {
      out += p.ch;
      ++i;
      continue;
    }
    if (const AmPmMarker* marker = amPmAt(chars, i)) {
      const bool pm = time.hour() >= 12;
      if (marker->full) {
        out += pm ? locale.pmText() : locale.amText();
      } else {
        const PatternChar letter = chars[i + (pm ? 2 : 0)];
        out += letter.ch;
      }
      i += qsizetype(qstrlen(marker->text));
      continue;
    }
    const qsizetype run = runLength(chars, i);
    qsizetype used = run;
    bool hourToken = false;
    switch (p.ch.toLower().unicode()) {
      case 'd':
        used = std::min<qsizetype>(run, 6);
        if (used == 1)
          out += QString::number(date.day());
        else if (used == 2)
          out += twoDigits(date.day());
        else if (used == 3)
          out += locale.dayName(date.dayOfWeek(), QLocale::ShortFormat);
        else if (used == 4)
          out += locale.dayName(date.dayOfWeek(), QLocale::LongFormat);
        else if (used == 5)
          out += shortDate(value, locale);
        else
          out += locale.toString(date, QLocale::LongFormat);
        break;
      case 'w':
        used = std::min<qsizetype>(run, 2);
        out += QString::number(used == 1 ? date.dayOfWeek() % 7 + 1 : weekOfYear(date));
        break;
      case 'm':
        used = std::min<qsizetype>(run, 4);
        if (afterHour && used <= 2)
          out += used == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
        else if (used == 1)
          out += QString::number(date.month());
        else if (used == 2)
          out += twoDigits(date.month());
        else if (used == 3)
          out += locale.monthName(date.month(), QLocale::ShortFormat);
        else
          out += locale.monthName(date.month(), QLocale::LongFormat);
        break;
      case 'q':
        used = 1;
        out += QString::number((date.month() - 1) / 3 + 1);
        break;
      case 'y':
        used = run >= 4 ? 4 : (run >= 2 ? 2 : 1);
        if (used == 1)
          out += QString::number(date.dayOfYear());
        else if (used == 2)
          out += twoDigits(date.year() % 100);
        else
          out += QStringLiteral("%1").arg(date.year(), 4, 10, QChar('0'));
        break;
      case 'h':
        used = std::min<qsizetype>(run, 2);
        out += used == 1 ? QString::number(hour) : twoDigits(hour);
        hourToken = true;
        break;
      case 'n':
        used = std::min<qsizetype>(run, 2);
        out += used == 1 ? QString::number(time.minute()) : twoDigits(time.minute());
        break;
      case 's':
        used = std::min<qsizetype>(run, 2);
        out += used == 1 ? QString::number(time.second()) : twoDigits(time.second());
        break;
      case 't':
        if (run >= 5) {
          used = 5;
          out += longTime(value);
        } else {
          out += QString(run, p.ch);
        }
        break;
      case 'c':
        used = 1;
        out += generalDate(value, locale);
        break;
      default:
        used = 1;
        out += p.ch;
        break;
    }
    // Literal separators between an hour and "m" keep the minute meaning.
    if (hourToken)
      afterHour = true;
    else if (QStringLiteral("dwmqynstc").contains(p.ch.toLower()))
      afterHour = false;
    i += used;
  }
  return out;
}

}  // namespace format_detail
