// NumberSection (FormatPattern_p.h): one section of a number pattern, applied to a value.
#include "platform/runtime/FormatPattern_p.h"

namespace format_detail {

NumberSection::NumberSection(const PatternChars& section) {
  bool afterPoint = false;
  for (const PatternChar& p : section) {
    Kind kind = Kind::Literal;
    if (!p.literal) {
      switch (p.ch.unicode()) {
        case '0': kind = Kind::Zero; break;
        case '#': kind = Kind::Hash; break;
        case '.': kind = afterPoint ? Kind::Literal : Kind::Point; break;
        case ',': kind = afterPoint ? Kind::Literal : Kind::Comma; break;
        case '%': m_percent = true; break;
        default: break;
      }
    }
    if (kind == Kind::Point) afterPoint = true;
    if (kind == Kind::Zero || kind == Kind::Hash) {
      if (afterPoint)
        ++m_decimals;
      else
        ++m_integerPlaceholders;
    }
    m_items.append({kind, p.ch});
  }
  resolveCommas();
}

// A comma between two integer placeholders turns on grouping; each comma after the last one divides
// by a thousand; a comma before any placeholder is plain text.
void NumberSection::resolveCommas() {
  qsizetype first = -1, last = -1;
  for (qsizetype i = 0; i < m_items.size() && m_items[i].kind != Kind::Point; ++i) {
    if (m_items[i].kind == Kind::Zero || m_items[i].kind == Kind::Hash) {
      if (first < 0) first = i;
      last = i;
    }
  }
  QList<Item> items;
  for (qsizetype i = 0; i < m_items.size(); ++i) {
    Item item = m_items[i];
    if (item.kind == Kind::Comma) {
      if (first < 0 || i < first) {
        item.kind = Kind::Literal;
      } else if (i < last) {
        m_grouping = true;
        continue;
      } else {
        ++m_scaleThousands;
        continue;
      }
    }
    items.append(item);
  }
  m_items = items;
}

void NumberSection::prepare(DecimalNumber& magnitude) const {
  magnitude.shift((m_percent ? 2 : 0) - 3 * m_scaleThousands);
  magnitude.roundTo(m_decimals, DecimalNumber::Rounding::HalfAwayFromZero);
}

QString NumberSection::render(const DecimalNumber& magnitude, const QLocale& locale) const {
  const QByteArray whole = magnitude.integerDigits();
  const QByteArray fraction = magnitude.fractionDigits(m_decimals);
  const qsizetype n = m_integerPlaceholders;
  const qsizetype wholeSize = whole.size();

  // The digits each integer placeholder shows; the first one also takes the digits that do not fit.
  QList<QByteArray> placed;
  qsizetype totalDigits = 0;
  for (qsizetype k = 0, placeholder = 0; k < m_items.size(); ++k) {
    const Kind kind = m_items[k].kind;
    if (kind == Kind::Point) break;
    if (kind != Kind::Zero && kind != Kind::Hash) continue;
    const qsizetype fromRight = n - 1 - placeholder;
    QByteArray digits;
    if (placeholder == 0 && wholeSize > n) digits = whole.left(wholeSize - n);
    if (fromRight < wholeSize)
      digits += whole[wholeSize - 1 - fromRight];
    else if (kind == Kind::Zero)
      digits += '0';
    totalDigits += digits.size();
    placed.append(digits);
    ++placeholder;
  }
  if (n == 0) totalDigits = wholeSize;

  // Trailing # decimals that are zero are left out.
  qsizetype shownDecimals = m_decimals;
  {
    qsizetype d = m_decimals;
    for (qsizetype k = m_items.size() - 1; k >= 0 && d > 0; --k) {
      const Kind kind = m_items[k].kind;
      if (kind == Kind::Zero) break;
      if (kind != Kind::Hash) continue;
      if (fraction[--d] != '0') break;
      shownDecimals = d;
    }
  }

  const QString group = locale.groupSeparator();
  QString out;
  qsizetype emitted = 0;
  auto emitDigits = [&](const QByteArray& digits) {
    for (char c : digits) {
      out += QChar(c);
      ++emitted;
      if (m_grouping && emitted < totalDigits && (totalDigits - emitted) % 3 == 0) out += group;
    }
  };
  qsizetype placeholder = 0, decimal = 0;
  bool afterPoint = false;
  for (const Item& item : m_items) {
    switch (item.kind) {
      case Kind::Literal:
      case Kind::Comma: out += item.ch; break;
      case Kind::Point:
        if (n == 0) emitDigits(whole);
        out += locale.decimalPoint();
        afterPoint = true;
        break;
      case Kind::Zero:
      case Kind::Hash:
        if (!afterPoint) {
          emitDigits(placed[placeholder++]);
        } else {
          if (decimal < shownDecimals) out += QChar(fraction[decimal]);
          ++decimal;
        }
        break;
    }
  }
  return out;
}

}  // namespace format_detail
