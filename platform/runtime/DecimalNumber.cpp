#include "platform/runtime/DecimalNumber.h"

#include <cmath>

DecimalNumber DecimalNumber::fromDouble(double value) {
  DecimalNumber n;
  n.m_negative = std::signbit(value) && value != 0.0;
  // "d.dddddddddddddde+XX": 15 significant digits.
  const QByteArray text = QByteArray::number(std::fabs(value), 'e', 14);
  const qsizetype e = text.indexOf('e');
  n.m_digits = text.left(1) + text.mid(2, e - 2);
  n.m_point = text.mid(e + 1).toInt() + 1;
  n.normalize();
  return n;
}

DecimalNumber DecimalNumber::fromScaled(std::int64_t raw, int decimals) {
  DecimalNumber n;
  n.m_negative = raw < 0;
  const std::uint64_t magnitude =
      raw < 0 ? static_cast<std::uint64_t>(-(raw + 1)) + 1 : static_cast<std::uint64_t>(raw);
  n.m_digits = QByteArray::number(magnitude);
  n.m_point = int(n.m_digits.size()) - decimals;
  n.normalize();
  return n;
}

void DecimalNumber::normalize() {
  qsizetype lead = 0;
  while (lead < m_digits.size() && m_digits[lead] == '0') ++lead;
  m_digits.remove(0, lead);
  m_point -= int(lead);
  while (m_digits.endsWith('0')) m_digits.chop(1);
  if (m_digits.isEmpty()) m_point = 0;
}

void DecimalNumber::roundTo(int decimals, Rounding rounding) {
  const qsizetype keep = qsizetype(m_point) + decimals;
  if (keep >= m_digits.size()) return;
  if (keep < 0) {
    m_digits.clear();
    m_point = 0;
    return;
  }
  const char first = m_digits[keep];
  const bool restNonZero = keep + 1 < m_digits.size();  // trailing zeros are never stored
  const bool lastKeptOdd = keep > 0 && (m_digits[keep - 1] - '0') % 2 == 1;
  bool up = first > '5';
  if (first == '5') up = restNonZero || rounding == Rounding::HalfAwayFromZero || lastKeptOdd;
  m_digits.truncate(keep);
  if (up) {
    qsizetype i = keep - 1;
    while (i >= 0 && m_digits[i] == '9') m_digits[i--] = '0';
    if (i >= 0) {
      ++m_digits[i];
    } else {
      m_digits.prepend('1');
      ++m_point;
    }
  }
  normalize();
}

QByteArray DecimalNumber::integerDigits() const {
  if (m_point <= 0) return {};
  QByteArray out = m_digits.left(m_point);
  if (out.size() < m_point) out.append(QByteArray(m_point - out.size(), '0'));
  return out;
}

QByteArray DecimalNumber::fractionDigits(int count) const {
  QByteArray out(count, '0');
  for (int i = 0; i < count; ++i) {
    const qsizetype index = qsizetype(m_point) + i;
    if (index >= 0 && index < m_digits.size()) out[i] = m_digits[index];
  }
  return out;
}
