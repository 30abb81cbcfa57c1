#pragma once

#include <QChar>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include "platform/runtime/DecimalNumber.h"

// The pieces Format is built from: a pattern split into sections and characters, and the renderers
// of one number section and one date section.
namespace format_detail {

// One character of a pattern; literal when it was quoted or escaped with a backslash.
struct PatternChar {
  QChar ch;
  bool literal;
};
using PatternChars = QList<PatternChar>;

PatternChars readPattern(const QString& section);
// Sections separated by ";" outside quotes and escapes.
QStringList splitSections(const QString& pattern);
bool isDateSection(const PatternChars& section);
// The characters of a section that are text, without its placeholders (the Null section).
QString literalText(const PatternChars& section);

class NumberSection {
 public:
  explicit NumberSection(const PatternChars& section);
  // Applies percent and thousands scaling and rounds to the section's decimals.
  void prepare(DecimalNumber& magnitude) const;
  // The text of a prepared magnitude (its sign is the caller's business).
  QString render(const DecimalNumber& magnitude, const QLocale& locale) const;

 private:
  enum class Kind { Literal, Zero, Hash, Point, Comma };
  struct Item {
    Kind kind;
    QChar ch;
  };
  void resolveCommas();

  QList<Item> m_items;
  bool m_grouping = false;
  bool m_percent = false;
  int m_scaleThousands = 0;
  int m_integerPlaceholders = 0;
  int m_decimals = 0;
};

QString renderDate(const PatternChars& section, const QDateTime& value, const QLocale& locale);
QString shortDate(const QDateTime& value, const QLocale& locale);
QString longTime(const QDateTime& value);
QString generalDate(const QDateTime& value, const QLocale& locale);

}  // namespace format_detail
