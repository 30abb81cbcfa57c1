#include "platform/db/ColumnType_p.h"

#include <sqlite3.h>

#include <QLocale>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/db/DbError.h"
#include "platform/runtime/DateTime.h"

namespace db {

namespace {

constexpr int kMemoSize = 536870910;
constexpr int kBinarySize = 1073741823;
constexpr int kComputedTextSize = 255;
constexpr sqlite3_int64 kMaxCurrencyUnits = std::numeric_limits<std::int64_t>::max() / Currency::Scale;

ColumnType make(ColumnKind kind, DataType type, int size) { return {kind, type, size}; }

// The amount a stored double holds, as Currency::fromDouble reads it. Most stored amounts are the
// double nearest to an amount of four decimals at most and fewer than 15 digits: that amount is
// what fromDouble finds through its decimal digits, and is found here at a fraction of the cost.
std::optional<Currency> storedCurrency(double value) {
  if (std::fabs(value) < 1e10) {
    const double units = std::round(value * Currency::Scale);
    if (units / Currency::Scale == value) return Currency::fromRaw(std::int64_t(units));
  }
  return Currency::fromDouble(value);
}

// Digits of a fixed-width number starting at `p`; -1 when a character is not a digit.
int digits(const char* p, int count) {
  int value = 0;
  for (int i = 0; i < count; ++i) {
    if (p[i] < '0' || p[i] > '9') return -1;
    value = value * 10 + (p[i] - '0');
  }
  return value;
}

// "YYYY-MM-DD" with an optional " HH:MM:SS" (or "T"): a Date value, or Empty when the text is not
// such a date.
Variant parseStoredDate(const char* text, int length) {
  if (length < 10 || text[4] != '-' || text[7] != '-') return {};
  const QDate date(digits(text, 4), digits(text + 5, 2), digits(text + 8, 2));
  if (!date.isValid()) return {};
  if (length == 10) return Variant(date);
  if (length < 16 || (text[10] != ' ' && text[10] != 'T') || text[13] != ':') return {};
  const int seconds = length >= 19 && text[16] == ':' ? digits(text + 17, 2) : 0;
  const QTime time(digits(text + 11, 2), digits(text + 14, 2), seconds);
  if (!time.isValid()) return {};
  if (time == QTime(0, 0)) return Variant(date);
  return Variant(QDateTime(date, time, Qt::UTC));
}

Variant storedText(const StoredValue& v) {
  if (v.storage == SQLITE_INTEGER) return Variant(QString::number(v.integer));
  return Variant(QString::fromUtf8(v.bytes, v.length));
}

Variant storedInteger(sqlite3_int64 v) {
  if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max())
    return Variant(static_cast<std::int32_t>(v));
  return Variant(static_cast<double>(v));
}

Variant raw(const StoredValue& v) {
  switch (v.storage) {
    case SQLITE_INTEGER: return storedInteger(v.integer);
    case SQLITE_FLOAT: return Variant(v.real);
    case SQLITE_BLOB: return Variant(QByteArray(v.bytes, v.length));
    default: return storedText(v);
  }
}

// A number from text, read as the user writes it (Italian "12,5") or as SQL writes it ("12.5").
std::optional<double> numberFromText(const QString& text) {
  const QString t = text.trimmed();
  bool ok = false;
  double d = QLocale().toDouble(t, &ok);
  if (!ok) d = QLocale::c().toDouble(t, &ok);
  if (!ok || !std::isfinite(d)) return std::nullopt;
  return d;
}

std::optional<double> numberOf(const Variant& v) {
  if (v.isText()) return numberFromText(v.toString());
  if (v.isNumber()) return v.toDouble();
  return std::nullopt;
}

std::optional<QDateTime> dateOf(const Variant& v) {
  if (v.isDate()) return v.toDateTime();
  if (!v.isText()) return std::nullopt;
  const QString t = v.toString().trimmed();
  const QByteArray utf8 = t.toUtf8();
  const Variant stored = parseStoredDate(utf8.constData(), int(utf8.size()));
  if (stored.isDate()) return stored.toDateTime();
  return DateFromText(t);
}

std::optional<bool> boolOf(const Variant& v) {
  if (v.type() == VarType::Boolean) return v.toBool();
  if (const auto d = numberOf(v)) return *d != 0.0;
  const QString t = v.toString().trimmed();
  for (const char* yes : {"true", "vero", "sì", "si"})
    if (t.compare(QString::fromUtf8(yes), Qt::CaseInsensitive) == 0) return true;
  for (const char* no : {"false", "falso", "no"})
    if (t.compare(QLatin1String(no), Qt::CaseInsensitive) == 0) return false;
  return std::nullopt;
}

[[noreturn]] void mismatch(const QString& field, const Variant& value, const QString& expected) {
  throw DbError(
      DbError::TypeMismatch,
      QString("Valore non valido per il campo %1: \"%2\" non è %3.").arg(field, value.toString(), expected));
}

}  // namespace

ColumnType columnTypeFromDeclared(const QString& declaredType) {
  const QString decl = declaredType.trimmed().toUpper();
  const qsizetype paren = decl.indexOf('(');
  const QString base = decl.left(paren < 0 ? decl.size() : paren).section(' ', 0, 0).trimmed();
  // The size is the first number in the parentheses: VARCHAR(40), DECIMAL(19, 4).
  qsizetype sizeEnd = paren + 1;
  while (paren >= 0 && sizeEnd < decl.size() && decl[sizeEnd] != ',' && decl[sizeEnd] != ')') ++sizeEnd;
  const int size = paren < 0 ? 0 : QStringView(decl).mid(paren + 1, sizeEnd - paren - 1).trimmed().toInt();

  if (base == "VARCHAR" || base == "NVARCHAR" || base == "CHAR" || base == "NCHAR" || base == "TEXT" ||
      base == "CHARACTER")
    return make(ColumnKind::Text, adVarWChar, size > 0 ? size : 255);
  if (base == "LONGTEXT" || base == "MEMO" || base == "LONGCHAR" || base == "NOTE" || base == "NTEXT" ||
      base == "CLOB")
    return make(ColumnKind::Memo, adLongVarWChar, kMemoSize);
  if (base == "LONG" || base == "INTEGER" || base == "INT" || base == "COUNTER" || base == "AUTOINCREMENT")
    return make(ColumnKind::Int32, adInteger, 4);
  if (base == "SHORT" || base == "SMALLINT" || base == "BYTE" || base == "TINYINT")
    return make(ColumnKind::Int16, adSmallInt, 2);
  if (base == "DOUBLE" || base == "FLOAT" || base == "REAL" || base == "SINGLE" || base == "NUMERIC" ||
      base == "DECIMAL")
    return make(ColumnKind::Double, adDouble, 8);
  if (base == "CURRENCY" || base == "MONEY") return make(ColumnKind::Currency, adCurrency, 8);
  if (base == "DATETIME" || base == "DATE" || base == "TIME" || base == "TIMESTAMP")
    return make(ColumnKind::Date, adDate, 8);
  if (base == "BOOLEAN" || base == "BIT" || base == "YESNO" || base == "LOGICAL")
    return make(ColumnKind::Boolean, adBoolean, 2);
  if (base == "BLOB" || base == "OLEOBJECT" || base == "LONGBINARY" || base == "BINARY" ||
      base == "VARBINARY" || base == "IMAGE")
    return make(ColumnKind::Binary, adLongVarBinary, kBinarySize);
  return {};
}

ColumnType columnTypeOfValues(ColumnKind kind) {
  switch (kind) {
    case ColumnKind::Int32: return make(ColumnKind::Int32, adInteger, 4);
    case ColumnKind::Double: return make(ColumnKind::Double, adDouble, 8);
    case ColumnKind::Binary: return make(ColumnKind::Binary, adLongVarBinary, kBinarySize);
    default: return make(ColumnKind::Text, adVarWChar, kComputedTextSize);
  }
}

StoredValue storedValue(sqlite3_stmt* s, int i) {
  // The column's value object is read directly: a connection is used by one thread at a time.
  sqlite3_value* value = sqlite3_column_value(s, i);
  StoredValue v;
  v.storage = sqlite3_value_type(value);
  switch (v.storage) {
    case SQLITE_INTEGER:
      v.integer = sqlite3_value_int64(value);
      v.real = static_cast<double>(v.integer);
      break;
    case SQLITE_FLOAT: v.real = sqlite3_value_double(value); break;
    case SQLITE_BLOB:
      v.bytes = static_cast<const char*>(sqlite3_value_blob(value));
      v.length = sqlite3_value_bytes(value);
      break;
    case SQLITE_TEXT:
      v.bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
      v.length = sqlite3_value_bytes(value);
      break;
    default: break;
  }
  return v;
}

Variant convertStored(const StoredValue& v, ColumnKind kind) {
  const int storage = v.storage;
  if (storage == SQLITE_NULL) return Variant::null();
  const bool number = storage == SQLITE_INTEGER || storage == SQLITE_FLOAT;
  switch (kind) {
    case ColumnKind::Text:
    case ColumnKind::Memo:
      return storage == SQLITE_FLOAT ? Variant(Variant(v.real).toString()) : storedText(v);
    case ColumnKind::Int32:
      if (storage == SQLITE_INTEGER) return storedInteger(v.integer);
      if (storage == SQLITE_FLOAT) return storedInteger(std::llround(v.real));
      return raw(v);
    case ColumnKind::Int16:
      if (number) {
        const auto n = std::llround(v.real);
        if (n >= std::numeric_limits<std::int16_t>::min() && n <= std::numeric_limits<std::int16_t>::max())
          return Variant(static_cast<std::int16_t>(n));
        return storedInteger(n);
      }
      return raw(v);
    case ColumnKind::Double:
      if (number) return Variant(v.real);
      return raw(v);
    case ColumnKind::Currency:
      if (storage == SQLITE_INTEGER && v.integer >= -kMaxCurrencyUnits && v.integer <= kMaxCurrencyUnits)
        return Variant(Currency::fromInt(v.integer));
      if (number) {
        if (const auto c = storedCurrency(v.real)) return Variant(*c);
      }
      return raw(v);
    case ColumnKind::Date:
      if (storage == SQLITE_TEXT) {
        const Variant d = parseStoredDate(v.bytes, v.length);
        if (!d.isEmpty()) return d;
      }
      return raw(v);
    case ColumnKind::Boolean:
      if (number) return Variant(v.real != 0.0);
      return raw(v);
    case ColumnKind::Binary:
    case ColumnKind::Computed: return raw(v);
  }
  return raw(v);
}

Variant readColumn(sqlite3_stmt* s, int i, ColumnKind kind) { return convertStored(storedValue(s, i), kind); }

int bindValue(sqlite3_stmt* s, int i, const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
    case VarType::Null: return sqlite3_bind_null(s, i);
    case VarType::Boolean: return sqlite3_bind_int(s, i, v.toBool() ? 1 : 0);
    case VarType::Integer:
    case VarType::Long: return sqlite3_bind_int64(s, i, v.toInt());
    case VarType::Double: return sqlite3_bind_double(s, i, v.toDouble());
    case VarType::Currency: return sqlite3_bind_double(s, i, v.toCurrency().toDouble());
    case VarType::Bytes: {
      const QByteArray bytes = v.toBytes();
      return sqlite3_bind_blob64(s, i, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
    }
    case VarType::Date:
    case VarType::String: {
      const QByteArray utf8 = v.toString().toUtf8();
      return sqlite3_bind_text64(s, i, utf8.constData(), sqlite3_uint64(utf8.size()), SQLITE_TRANSIENT,
                                 SQLITE_UTF8);
    }
  }
  return sqlite3_bind_null(s, i);
}

Variant convertForColumn(const Variant& value, const ColumnType& type, const QString& field) {
  // A Yes/No column has no Null: no value is No.
  if (value.isNull() || value.isEmpty())
    return type.kind == ColumnKind::Boolean ? Variant(false) : Variant::null();
  const bool blankText = value.isText() && value.toString().trimmed().isEmpty();
  switch (type.kind) {
    case ColumnKind::Text:
    case ColumnKind::Memo: {
      const QString text = value.toString();
      if (type.kind == ColumnKind::Text && type.definedSize > 0 && text.size() > type.definedSize)
        throw DbError(
            DbError::TypeMismatch,
            QString("Il campo %1 accetta al massimo %2 caratteri.").arg(field).arg(type.definedSize));
      return Variant(text);
    }
    case ColumnKind::Int16:
    case ColumnKind::Int32: {
      if (blankText) return Variant::null();
      const auto d = numberOf(value);
      if (!d) mismatch(field, value, "un numero intero");
      const double rounded = std::nearbyint(*d);
      const double limit = type.kind == ColumnKind::Int16 ? 32767.0 : 2147483647.0;
      if (rounded > limit || rounded < -limit - 1)
        mismatch(field, value, "un numero nell'intervallo ammesso");
      if (type.kind == ColumnKind::Int16) return Variant(static_cast<std::int16_t>(rounded));
      return Variant(static_cast<std::int32_t>(rounded));
    }
    case ColumnKind::Double: {
      if (blankText) return Variant::null();
      const auto d = numberOf(value);
      if (!d) mismatch(field, value, "un numero");
      return Variant(*d);
    }
    case ColumnKind::Currency: {
      if (blankText) return Variant::null();
      if (value.type() == VarType::Currency) return value;
      const auto d = numberOf(value);
      const auto c = d ? Currency::fromDouble(*d) : std::nullopt;
      if (!c) mismatch(field, value, "un importo");
      return Variant(*c);
    }
    case ColumnKind::Date: {
      if (blankText) return Variant::null();
      const auto d = dateOf(value);
      if (!d || !d->isValid()) mismatch(field, value, "una data");
      return d->time() == QTime(0, 0) ? Variant(d->date()) : Variant(*d);
    }
    case ColumnKind::Boolean: {
      if (blankText) return Variant(false);
      const auto b = boolOf(value);
      if (!b) mismatch(field, value, "un valore Sì/No");
      return Variant(*b);
    }
    case ColumnKind::Binary: return Variant(value.toBytes());
    case ColumnKind::Computed: return value;
  }
  return value;
}

}  // namespace db
