#include "platform/grid/CellValues.h"

#include <QLocale>

#include "platform/db/AdoTypes.h"
#include "platform/grid/GridColumn.h"
#include "platform/runtime/DateTime.h"
#include "platform/runtime/Format.h"
#include "platform/runtime/Numeric.h"

namespace grid {
namespace {

bool isNumberType(VarType t) {
  return t == VarType::Integer || t == VarType::Long || t == VarType::Double || t == VarType::Currency ||
         t == VarType::Boolean;
}

bool isNumberField(int adoType) {
  return adoType == db::adSmallInt || adoType == db::adInteger || adoType == db::adDouble ||
         adoType == db::adCurrency;
}

std::optional<QDateTime> parseDate(const QString& text) { return DateFromText(text); }

}  // namespace

bool sameValue(const Variant& a, const Variant& b) {
  const bool aNull = a.isNull() || a.isEmpty();
  const bool bNull = b.isNull() || b.isEmpty();
  if (aNull || bNull) return aNull && bNull;
  if (isNumberType(a.type()) && isNumberType(b.type())) {
    if (a.type() == VarType::Currency && b.type() == VarType::Currency)
      return a.toCurrency() == b.toCurrency();
    return a.toDouble() == b.toDouble();
  }
  if (a.isDate() && b.isDate()) return a.toDateTime() == b.toDateTime();
  return QString::compare(a.toString(), b.toString(), Qt::CaseInsensitive) == 0;
}

Variant convertToField(const Variant& value, int adoType) {
  if (!value.isText()) {
    if (value.isEmpty()) return Variant::null();
    return value;
  }
  const QString text = value.toString();
  if (adoType == db::adVarWChar || adoType == db::adLongVarWChar || adoType == 0) {
    if (text.isEmpty() && adoType != 0) return Variant::null();
    return value;
  }
  if (text.trimmed().isEmpty()) return Variant::null();
  switch (adoType) {
    case db::adSmallInt:
    case db::adInteger: {
      const auto n = ParseNumber(text);
      if (!n || *n != std::floor(*n) || *n > 2147483647.0 || *n < -2147483648.0) return value;
      if (adoType == db::adSmallInt) {
        if (*n > 32767 || *n < -32768) return value;
        return Variant(static_cast<std::int16_t>(*n));
      }
      return Variant(static_cast<std::int32_t>(*n));
    }
    case db::adDouble: {
      const auto n = ParseNumber(text);
      return n ? Variant(*n) : value;
    }
    case db::adCurrency: {
      const auto n = ParseNumber(text);
      if (!n) return value;
      const auto c = Currency::fromDouble(*n);
      return c ? Variant(*c) : value;
    }
    case db::adBoolean: {
      const QString t = text.trimmed().toLower();
      if (t == "vero" || t == "true" || t == "sì" || t == "si" || t == "-1" || t == "1") return Variant(true);
      if (t == "falso" || t == "false" || t == "no" || t == "0") return Variant(false);
      return value;
    }
    case db::adDate: {
      const auto d = parseDate(text);
      return d ? Variant(*d) : value;
    }
    default: return value;
  }
}

Variant typedCellValue(const QString& text, int adoType) {
  if (adoType == db::adDate) {
    static const QLocale dayFirst(QLocale::Italian, QLocale::Italy);
    if (const auto d = DateFromText(text, dayFirst)) return Variant(*d);
    return Variant(text);
  }
  const QString decimal = QLocale().decimalPoint();
  if (isNumberField(adoType) && text.count('.') == 1 && !text.contains(decimal))
    return Variant(QString(text).replace('.', decimal));
  return Variant(text);
}

bool fitsField(const Variant& value, int adoType) {
  if (value.isNull() || value.isEmpty()) return true;
  switch (adoType) {
    case db::adSmallInt:
    case db::adInteger:
    case db::adDouble:
    case db::adCurrency:
    case db::adBoolean: return value.isNumber();
    case db::adDate: return value.isDate();
    default: return true;
  }
}

QString formatCell(const Variant& value, const QString& pattern) {
  if (value.isNull() || value.isEmpty()) return QString();
  if (value.type() == VarType::Boolean && pattern.isEmpty())
    return value.toBool() ? QStringLiteral("Vero") : QStringLiteral("Falso");
  if (value.isText() && pattern.isEmpty()) return value.toString();
  return Format(value, pattern);
}

bool rightAligned(const GridColumn* c) {
  return isNumberField(c->dataType()) && !c->hasValueList() && !c->dropDown();
}

}  // namespace grid
