#include "platform/runtime/FormatPattern_p.h"

namespace format_detail {

PatternChars readPattern(const QString& section) {
  PatternChars out;
  for (qsizetype i = 0; i < section.size(); ++i) {
    const QChar c = section[i];
    if (c == '\\') {
      if (i + 1 < section.size()) out.append({section[++i], true});
    } else if (c == '"') {
      while (++i < section.size() && section[i] != '"') out.append({section[i], true});
    } else {
      out.append({c, false});
    }
  }
  return out;
}

QStringList splitSections(const QString& pattern) {
  QStringList sections(QString{});
  bool quoted = false;
  for (qsizetype i = 0; i < pattern.size(); ++i) {
    const QChar c = pattern[i];
    if (c == ';' && !quoted) {
      sections.append(QString());
      continue;
    }
    sections.last().append(c);
    if (c == '"') {
      quoted = !quoted;
    } else if (c == '\\' && !quoted && i + 1 < pattern.size()) {
      sections.last().append(pattern[++i]);
    }
  }
  return sections;
}

bool isDateSection(const PatternChars& section) {
  for (const PatternChar& p : section)
    if (!p.literal && QStringLiteral("dwmqyhnsctDWMQYHNSCT").contains(p.ch)) return true;
  return false;
}

QString literalText(const PatternChars& section) {
  QString out;
  for (const PatternChar& p : section)
    if (p.literal || !QStringLiteral("0#.,%").contains(p.ch)) out.append(p.ch);
  return out;
}

}  // namespace format_detail
