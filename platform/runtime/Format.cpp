#include "platform/runtime/Format.h"

#include <QHash>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "platform/runtime/DateTime.h"
#include "platform/runtime/DecimalNumber.h"
#include "platform/runtime/FormatPattern_p.h"
#include "platform/runtime/Numeric.h"

using namespace format_detail;

namespace {

constexpr int GeneralDigits = 15;

// The value as a number for a number pattern; nothing for text that is not a number.
std::optional<DecimalNumber> numberOf(const Variant& value, const QLocale& locale) {
  switch (value.type()) {
    case VarType::Currency: return DecimalNumber::fromScaled(value.toCurrency().raw(), 4);
    case VarType::Integer:
    case VarType::Long:
    case VarType::Boolean: return DecimalNumber::fromScaled(std::int64_t(value.toInt()), 0);
    case VarType::Double:
      if (!std::isfinite(value.toDouble())) return std::nullopt;
      return DecimalNumber::fromDouble(value.toDouble());
    case VarType::Date: return DecimalNumber::fromDouble(DateToSerial(value.toDateTime()));
    default:
      if (const std::optional<double> d = ParseNumber(value.toString(), locale))
        return DecimalNumber::fromDouble(*d);
      return std::nullopt;
  }
}

// The value as a date for a date pattern; nothing when it is neither a date nor a number.
std::optional<QDateTime> dateOf(const Variant& value, const QLocale& locale) {
  if (value.isDate()) return value.toDateTime();
  if (value.isNumber()) return SerialToDate(value.toDouble());
  if (!value.isText()) return std::nullopt;
  if (std::optional<QDateTime> d = DateFromText(value.toString(), locale)) return d;
  if (const std::optional<double> serial = ParseNumber(value.toString(), locale))
    return SerialToDate(*serial);
  return std::nullopt;
}

// Digits with the decimal point placed, without grouping: the general form of a number.
QString plainDigits(const DecimalNumber& n, const QLocale& locale) {
  if (n.isZero()) return QStringLiteral("0");
  QString out = n.negative() ? locale.negativeSign() : QString();
  const QByteArray& digits = n.digits();
  const int point = n.pointPosition();
  if (point > GeneralDigits || point < -4) {
    out += QChar(digits[0]);
    if (digits.size() > 1) out += locale.decimalPoint() + QString::fromLatin1(digits.mid(1));
    const int exponent = point - 1;
    return out +
           QStringLiteral("E%1%2").arg(exponent < 0 ? '-' : '+').arg(std::abs(exponent), 2, 10, QChar('0'));
  }
  const QByteArray whole = n.integerDigits();
  out += whole.isEmpty() ? QStringLiteral("0") : QString::fromLatin1(whole);
  const int decimals = int(digits.size()) - point;
  if (decimals > 0) out += locale.decimalPoint() + QString::fromLatin1(n.fractionDigits(decimals));
  return out;
}

QString generalFormat(const Variant& value, const QLocale& locale) {
  switch (value.type()) {
    case VarType::Empty:
    case VarType::Null: return {};
    case VarType::Boolean: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Date: return generalDate(value.toDateTime(), locale);
    case VarType::String: return value.toString();
    case VarType::Bytes: return QString::fromUtf8(value.toBytes());
    default:
      if (const std::optional<DecimalNumber> n = numberOf(value, locale)) return plainDigits(*n, locale);
      return value.toString();
  }
}

// One section of a pattern as read: its characters, whether it formats dates, and the renderer of a
// number section.
struct ReadSection {
  bool empty = true;
  PatternChars chars;
  bool date = false;
  std::optional<NumberSection> number;
};

// A pattern read into its sections once and kept, since windows and reports format many values
// with the same few patterns.
struct ReadPattern {
  std::vector<ReadSection> sections;
  bool has(std::size_t i) const { return sections.size() > i && !sections[i].empty; }
};

std::shared_ptr<const ReadPattern> readOnce(const QString& pattern) {
  constexpr qsizetype KeptPatterns = 256;
  thread_local QHash<QString, std::shared_ptr<const ReadPattern>> kept;
  if (const auto found = kept.constFind(pattern); found != kept.cend()) return *found;
  if (kept.size() >= KeptPatterns) kept.clear();
  auto read = std::make_shared<ReadPattern>();
  for (const QString& text : splitSections(pattern)) {
    ReadSection section{text.isEmpty(), readPattern(text), false, std::nullopt};
    section.date = isDateSection(section.chars);
    if (!section.empty && !section.date) section.number.emplace(section.chars);
    read->sections.push_back(std::move(section));
  }
  return *kept.insert(pattern, std::move(read));
}

QString formatNumber(const Variant& value, const ReadPattern& pattern, const QLocale& locale) {
  std::optional<DecimalNumber> n = numberOf(value, locale);
  if (!n) return generalFormat(value, locale);
  std::size_t chosen = 0;
  if (n->isZero() && pattern.has(2))
    chosen = 2;
  else if (n->negative() && pattern.has(1))
    chosen = 1;
  const ReadSection& read = pattern.sections[chosen];
  if (read.empty) return generalFormat(value, locale);
  if (read.date) {
    const std::optional<QDateTime> date = dateOf(value, locale);
    return date ? renderDate(read.chars, *date, locale) : generalFormat(value, locale);
  }
  const NumberSection& section = *read.number;
  section.prepare(*n);
  // Only the first section writes the minus itself, and not for a value that shows as zero.
  const bool minus = chosen == 0 && n->negative() && !n->isZero();
  return (minus ? locale.negativeSign() : QString()) + section.render(*n, locale);
}

QString currencyFormat(const Variant& value, const QLocale& locale) {
  std::optional<DecimalNumber> n = numberOf(value, locale);
  if (!n) return generalFormat(value, locale);
  n->roundTo(2, DecimalNumber::Rounding::HalfAwayFromZero);
  const QByteArray whole = n->integerDigits();
  const double rounded = (whole.isEmpty() ? 0.0 : whole.toDouble()) + n->fractionDigits(2).toDouble() / 100.0;
  return locale.toCurrencyString(n->negative() && !n->isZero() ? -rounded : rounded, QString(), 2);
}

std::optional<QString> namedFormat(const Variant& value, const QString& name, const QLocale& locale) {
  const auto is = [&](const char* text) {
    return name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0;
  };
  const auto asDate = [&](auto render) -> QString {
    const std::optional<QDateTime> d = dateOf(value, locale);
    return d ? render(*d) : generalFormat(value, locale);
  };
  if (is("General Number")) {
    const std::optional<DecimalNumber> n = numberOf(value, locale);
    return n ? plainDigits(*n, locale) : generalFormat(value, locale);
  }
  if (is("Currency")) return currencyFormat(value, locale);
  if (is("Fixed")) return Format(value, QStringLiteral("0.00"), locale);
  if (is("Standard")) return Format(value, QStringLiteral("#,##0.00"), locale);
  if (is("Percent")) return Format(value, QStringLiteral("0.00%"), locale);
  if (is("General Date")) return asDate([&](const QDateTime& d) { return generalDate(d, locale); });
  if (is("Short Date")) return asDate([&](const QDateTime& d) { return shortDate(d, locale); });
  if (is("Long Date"))
    return asDate([&](const QDateTime& d) { return locale.toString(d.date(), QLocale::LongFormat); });
  if (is("Long Time")) return asDate([](const QDateTime& d) { return longTime(d); });
  if (is("Short Time"))
    return asDate([](const QDateTime& d) { return d.time().toString(QStringLiteral("HH:mm")); });
  return std::nullopt;
}

}  // namespace

QString Format(const Variant& value, const QString& pattern, const QLocale& locale) {
  if (value.isEmpty()) return {};
  const std::shared_ptr<const ReadPattern> read = readOnce(pattern);
  if (value.isNull()) return read->sections.size() >= 4 ? literalText(read->sections[3].chars) : QString();
  if (pattern.isEmpty()) return generalFormat(value, locale);
  if (std::optional<QString> named = namedFormat(value, pattern, locale)) return *named;
  const ReadSection& first = read->sections[0];
  if (first.date) {
    const std::optional<QDateTime> date = dateOf(value, locale);
    return date ? renderDate(first.chars, *date, locale) : generalFormat(value, locale);
  }
  return formatNumber(value, *read, locale);
}
