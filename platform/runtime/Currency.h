#pragma once

#include <QString>
#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>

// Fixed-point money: a 64-bit integer scaled by 10 000 (four decimals). Conversion from a double
// rounds half to even on its decimal digits (1.00015 becomes 1.0002, 1.00005 becomes 1.0000); sums
// and differences stay exact.
class Currency {
 public:
  static constexpr std::int64_t Scale = 10000;

  constexpr Currency() = default;
  static constexpr Currency fromRaw(std::int64_t raw) {
    Currency c;
    c.m_raw = raw;
    return c;
  }
  static constexpr Currency fromInt(std::int64_t units) { return fromRaw(units * Scale); }
  // Rounds to four decimals, halves to the even digit. Empty when the value is not finite or does
  // not fit the currency range (an overflow).
  static std::optional<Currency> fromDouble(double value);

  constexpr std::int64_t raw() const { return m_raw; }
  double toDouble() const { return static_cast<double>(m_raw) / Scale; }

  // Sums beyond the currency range throw std::overflow_error instead of wrapping round.
  constexpr Currency operator+(Currency o) const {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(m_raw, o.m_raw, &sum)) throw std::overflow_error("Overflow");
    return fromRaw(sum);
  }
  constexpr Currency operator-(Currency o) const {
    std::int64_t difference = 0;
    if (__builtin_sub_overflow(m_raw, o.m_raw, &difference)) throw std::overflow_error("Overflow");
    return fromRaw(difference);
  }
  constexpr Currency operator-() const { return Currency() - *this; }
  constexpr auto operator<=>(const Currency&) const = default;

  // Plain invariant text with up to four decimals and a point ("12.5", "-0.0001"); used for
  // storage and diagnostics, never for display (see Format).
  QString toInvariantString() const;

 private:
  std::int64_t m_raw = 0;
};
