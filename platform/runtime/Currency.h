#pragma once

#include <QString>
#include <compare>
#include <cstdint>
#include <optional>

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

  constexpr Currency operator+(Currency o) const { return fromRaw(m_raw + o.m_raw); }
  constexpr Currency operator-(Currency o) const { return fromRaw(m_raw - o.m_raw); }
  constexpr Currency operator-() const { return fromRaw(-m_raw); }
  constexpr auto operator<=>(const Currency&) const = default;

  // Plain invariant text with up to four decimals and a point ("12.5", "-0.0001"); used for
  // storage and diagnostics, never for display (see Format).
  QString toInvariantString() const;

 private:
  std::int64_t m_raw = 0;
};
