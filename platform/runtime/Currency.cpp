#include "platform/runtime/Currency.h"

#include <cmath>
#include <limits>

#include "platform/runtime/DecimalNumber.h"

std::optional<Currency> Currency::fromDouble(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  DecimalNumber n = DecimalNumber::fromDouble(value);
  n.roundTo(4, DecimalNumber::Rounding::HalfEven);
  const QByteArray whole = n.integerDigits();
  // The currency range is +-922 337 203 685 477.5807.
  if (whole.size() > 15) return std::nullopt;
  const std::uint64_t magnitude =
      (whole.isEmpty() ? 0 : whole.toULongLong()) * Scale + n.fractionDigits(4).toULongLong();
  const std::uint64_t max = std::uint64_t(std::numeric_limits<std::int64_t>::max());
  if (magnitude > max + (n.negative() ? 1 : 0)) return std::nullopt;
  if (!n.negative() || magnitude == 0) return fromRaw(std::int64_t(magnitude));
  return fromRaw(-std::int64_t(magnitude - 1) - 1);
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
