#include "platform/runtime/Numeric.h"

#include <cmath>

namespace {

bool isSpaceLike(const QString& separator) {
  return separator == QStringLiteral("\u00A0") || separator == QStringLiteral("\u202F");
}

class NumberReader {
 public:
  NumberReader(const QString& text, const QLocale& locale)
      : m_text(text.trimmed()),
        m_decimal(locale.decimalPoint()),
        m_group(locale.groupSeparator()),
        m_minus(locale.negativeSign()),
        m_plus(locale.positiveSign()) {}

  // The number in C notation ("-1234.5e3"), or nothing when the text is not a number.
  std::optional<QByteArray> read() {
    QByteArray out;
    if (take(m_minus) || take(QStringLiteral("-"))) {
      out += '-';
      skipSpaces();
    } else if (take(m_plus) || take(QStringLiteral("+"))) {
      skipSpaces();
    }
    const qsizetype integerDigits = readGroupedDigits(out);
    if (integerDigits < 0) return std::nullopt;
    qsizetype fractionDigits = 0;
    if (take(m_decimal)) {
      out += '.';
      fractionDigits = readDigits(out);
    }
    if (integerDigits + fractionDigits == 0) return std::nullopt;
    if (atAnyOf("eEdD")) {
      ++m_pos;
      out += 'e';
      if (take(QStringLiteral("-")) || take(m_minus))
        out += '-';
      else
        take(QStringLiteral("+"));
      if (readDigits(out) == 0) return std::nullopt;
    }
    if (m_pos != m_text.size()) return std::nullopt;
    return out;
  }

 private:
  bool take(const QString& token) {
    if (token.isEmpty() || !m_text.mid(m_pos).startsWith(token)) return false;
    m_pos += token.size();
    return true;
  }
  bool takeGroup() {
    if (take(m_group)) return true;
    return isSpaceLike(m_group) && take(QStringLiteral(" "));
  }
  bool atAnyOf(const char* chars) const {
    return m_pos < m_text.size() && QByteArray(chars).contains(char(m_text[m_pos].unicode()));
  }
  void skipSpaces() {
    while (m_pos < m_text.size() && m_text[m_pos].isSpace()) ++m_pos;
  }
  qsizetype readDigits(QByteArray& out) {
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9')
      out += char(m_text[m_pos++].unicode());
    return m_pos - start;
  }
  // Digits with thousands separators: a first group of one to three digits, then groups of
  // exactly three. -1 when a separator is misplaced.
  qsizetype readGroupedDigits(QByteArray& out) {
    qsizetype total = readDigits(out);
    bool grouped = false;
    while (total > 0 && takeGroup()) {
      if ((!grouped && total > 3) || readDigits(out) != 3) return -1;
      grouped = true;
      total += 3;
    }
    return total;
  }

  QString m_text;
  qsizetype m_pos = 0;
  QString m_decimal, m_group, m_minus, m_plus;
};

}  // namespace

std::optional<double> ParseNumber(const QString& text, const QLocale& locale) {
  const std::optional<QByteArray> plain = NumberReader(text, locale).read();
  if (!plain) return std::nullopt;
  bool ok = false;
  const double value = plain->toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

bool IsNumeric(const QString& text, const QLocale& locale) { return ParseNumber(text, locale).has_value(); }

bool IsNumeric(const Variant& value) {
  if (value.isNumber()) return true;
  return value.isText() && IsNumeric(value.toString(), QLocale());
}
