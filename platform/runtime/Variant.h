#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <variant>

#include "platform/runtime/Currency.h"

// The type codes of a Variant, numbered as the program's windows read them (VarType).
enum class VarType : int {
  Empty = 0,
  Null = 1,
  Integer = 2,  // 16-bit
  Long = 3,     // 32-bit
  Double = 5,
  Currency = 6,
  Date = 7,
  String = 8,
  Boolean = 11,
  Bytes = 8209,  // byte array
};

// A dynamically typed value as database fields, grid cells and registry values carry it. Empty (never
// assigned) and Null (no data) are distinct states.
class Variant {
 public:
  Variant() = default;  // Empty
  static Variant null();
  Variant(bool v);
  Variant(std::int16_t v);
  Variant(std::int32_t v);
  Variant(double v);
  Variant(Currency v);
  Variant(const QDate& v);
  Variant(const QDateTime& v);
  Variant(const QString& v);
  Variant(const char* v);
  Variant(const QByteArray& v);

  VarType type() const;
  bool isEmpty() const { return type() == VarType::Empty; }
  bool isNull() const { return type() == VarType::Null; }
  bool isText() const { return type() == VarType::String; }
  // Numbers of any kind (Integer, Long, Double, Currency, Boolean), not text that looks like one.
  bool isNumber() const;
  bool isDate() const { return type() == VarType::Date; }

  // Conversions. They never throw: a value that does not convert yields the neutral value (false, 0,
  // an invalid date, the empty text). Use the runtime's IsNumeric / CDbl helpers where text
  // must be read with the user's decimal separators.
  bool toBool() const;
  std::int32_t toInt() const;
  double toDouble() const;
  Currency toCurrency() const;
  QDate toDate() const;
  QDateTime toDateTime() const;
  QString toString() const;  // invariant text: numbers with a point, dates as ISO
  QByteArray toBytes() const;

  bool operator==(const Variant& other) const;
  bool operator!=(const Variant& other) const { return !(*this == other); }

 private:
  struct NullTag {
    bool operator==(const NullTag&) const = default;
  };
  using Storage = std::variant<std::monostate, NullTag, std::int16_t, std::int32_t, double, Currency,
                               QDateTime, QString, bool, QByteArray>;
  Storage m_v;
};
