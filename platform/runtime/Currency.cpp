#include "platform/runtime/Currency.h"

#include <cmath>
#include <limits>

std::optional<Currency> Currency::fromDouble(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double scaled = value * Scale;
  // The currency range is +-922 337 203 685 477.5807.
  if (std::fabs(scaled) >= 9.2233720368547758e18) return std::nullopt;
  // nearbyint rounds half to even under the default rounding mode.
  return fromRaw(static_cast<std::int64_t>(std::nearbyint(scaled)));
}

QString Currency::toInvariantString() const {
  const bool negative = m_raw < 0;
  const std::uint64_t magnitude =
      negative ? static_cast<std::uint64_t>(-(m_raw + 1)) + 1 : static_cast<std::uint64_t>(m_raw);
  QString text = QString::number(magnitude / Scale);
  std::uint64_t frac = magnitude % Scale;
  if (frac != 0) {
    QString digits = QString::number(frac).rightJustified(4, '0');
    while (digits.endsWith('0')) digits.chop(1);
    text += '.' + digits;
  }
  return negative ? '-' + text : text;
}
