#pragma once

#include <QByteArray>
#include <cstdint>

// The magnitude of a number as decimal digits, for rounding the way money and displayed amounts are
// rounded: on the decimal digits a person reads, not on the binary value. A double is read with 15
// significant digits (so 2.675 is 2.675, not 2.67499999...).
class DecimalNumber {
 public:
  enum class Rounding { HalfAwayFromZero, HalfEven };

  static DecimalNumber fromDouble(double value);  // value must be finite
  static DecimalNumber fromScaled(std::int64_t raw, int decimals);

  bool negative() const { return m_negative; }
  bool isZero() const { return m_digits.isEmpty(); }

  void roundTo(int decimals, Rounding rounding);
  // Multiplies by 10^power (percent, thousands scaling).
  void shift(int power) {
    if (!isZero()) m_point += power;
  }

  // Digits before the decimal point, "" when there are none (values below one).
  QByteArray integerDigits() const;
  // Exactly count digits after the decimal point (truncated or padded with zeros).
  QByteArray fractionDigits(int count) const;
  // All significant digits and the position of the decimal point relative to the first one.
  const QByteArray& digits() const { return m_digits; }
  int pointPosition() const { return m_point; }

 private:
  void normalize();

  bool m_negative = false;
  QByteArray m_digits;  // no leading or trailing zeros; empty for zero
  int m_point = 0;
};
