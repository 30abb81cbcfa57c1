#include "platform/report/Expression_p.h"

#include "platform/report/ReportError.h"
#include "platform/runtime/Format.h"

namespace report {

namespace {

[[noreturn]] void malformed(const QString& expression) {
  throw ReportError(QStringLiteral("Espressione non valida: \"%1\".").arg(expression));
}

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'.'; }

// Reads one operand at `pos` and moves past it.
Variant operand(const QString& e, qsizetype& pos, const std::function<Variant(const QString&)>& column) {
  if (pos >= e.size()) malformed(e);
  if (e[pos] == u'"') {
    QString text;
    for (++pos; pos < e.size(); ++pos) {
      if (e[pos] != u'"') {
        text += e[pos];
      } else if (pos + 1 < e.size() && e[pos + 1] == u'"') {
        text += u'"';
        ++pos;
      } else {
        ++pos;
        return Variant(text);
      }
    }
    malformed(e);
  }
  if (e[pos] == u'[') {
    const qsizetype end = e.indexOf(u']', pos);
    if (end < 0) malformed(e);
    const QString name = e.mid(pos + 1, end - pos - 1);
    pos = end + 1;
    return column(name);
  }
  const qsizetype start = pos;
  while (pos < e.size() && isNameChar(e[pos])) ++pos;
  if (pos == start) malformed(e);
  return column(e.mid(start, pos - start));
}

void skipBlanks(const QString& e, qsizetype& pos) {
  while (pos < e.size() && e[pos].isSpace()) ++pos;
}

}  // namespace

Variant evaluateExpression(const QString& expression, const std::function<Variant(const QString&)>& column) {
  qsizetype pos = 0;
  skipBlanks(expression, pos);
  Variant result = operand(expression, pos, column);
  skipBlanks(expression, pos);
  if (pos == expression.size()) return result;
  QString joined = Format(result);
  while (pos < expression.size()) {
    if (expression[pos] != u'&') malformed(expression);
    ++pos;
    skipBlanks(expression, pos);
    joined += Format(operand(expression, pos, column));
    skipBlanks(expression, pos);
  }
  return Variant(joined);
}

}  // namespace report
