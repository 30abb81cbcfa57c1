#include "platform/db/JetSql.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include "platform/db/DbError.h"
#include "platform/db/JetTokens_p.h"
#include "platform/db/QueryShape_p.h"
#include "platform/db/SqlFunctions.h"
#include "platform/runtime/DateTime.h"

namespace db {

using jet::Node;
using jet::TokenKind;

namespace {

[[noreturn]] void fail(const QString& what, const QString& sql) {
  throw DbError(DbError::SqlError, "Errore nel comando SQL: " + what + ".\n" + sql);
}

// Keywords and operators that bind looser than &: they end the operands of a concatenation.
bool endsOperand(const Node& node) {
  static const QSet<QString> words = {
      "SELECT", "FROM",  "WHERE", "AND",      "OR",     "NOT",    "AS",     "ON",     "JOIN",    "INNER",
      "LEFT",   "RIGHT", "OUTER", "GROUP",    "ORDER",  "BY",     "HAVING", "LIKE",   "BETWEEN", "IS",
      "IN",     "THEN",  "ELSE",  "WHEN",     "END",    "CASE",   "SET",    "VALUES", "INTO",    "DESC",
      "ASC",    "UNION", "ALL",   "DISTINCT", "UPDATE", "DELETE", "INSERT", "XOR",    "EQV",     "IMP"};
  static const QSet<QString> comparisons = {"=", "<>", "<", ">", "<=", ">=", "!=", "=="};
  switch (node.token.kind) {
    case TokenKind::Comma:
    case TokenKind::Semicolon: return true;
    case TokenKind::Operator: return comparisons.contains(node.token.text);
    case TokenKind::Word: return words.contains(node.token.text.toUpper());
    default: return false;
  }
}

// #mm/dd/yy#, #mm/dd/yyyy#, each with an optional time hh:mm[:ss], as stored text.
QString dateLiteral(const QString& literal, const QString& sql) {
  static const QRegularExpression pattern(
      R"(^#\s*(\d{1,2})/(\d{1,2})/(\d{2}|\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*#$)");
  const QRegularExpressionMatch m = pattern.match(literal);
  if (!m.hasMatch()) fail("data non valida " + literal, sql);
  const QDate date(FullYear(m.captured(3).toInt(), m.captured(3).size()), m.captured(1).toInt(),
                   m.captured(2).toInt());
  const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
  if (!date.isValid() || !time.isValid()) fail("data non valida " + literal, sql);
  QString text = isoDate(date);
  if (time != QTime(0, 0)) text += time.toString(" HH:mm:ss");
  return '\'' + text + '\'';
}

QString quotedName(const QString& name) { return '"' + QString(name).replace('"', "\"\"") + '"'; }

class Translator {
 public:
  explicit Translator(const QString& sql) : m_sql(sql) {}

  QString run(std::vector<Node> nodes) {
    dropDeleteStar(nodes);
    unqualifyUpdateTargets(nodes);
    return sequence(nodes);
  }

 private:
  // A sequence of nodes: runs between loose-binding keywords and operators, each run possibly a
  // concatenation.
  QString sequence(const std::vector<Node>& nodes) {
    QString out;
    std::size_t runStart = 0;
    for (std::size_t i = 0; i <= nodes.size(); ++i) {
      if (i < nodes.size() && !endsOperand(nodes[i])) continue;
      out += run(nodes, runStart, i);
      if (i < nodes.size()) out += nodes[i].token.text;
      runStart = i + 1;
    }
    return out;
  }

  QString run(const std::vector<Node>& nodes, std::size_t from, std::size_t to) {
    std::vector<std::size_t> ampersands;
    for (std::size_t i = from; i < to; ++i)
      if (jet::isOperator(nodes[i], "&")) ampersands.push_back(i);
    if (ampersands.empty()) return plain(nodes, from, to);

    std::size_t first = from;
    while (first < to && jet::isSpace(nodes[first])) ++first;
    std::size_t last = to;
    while (last > first && jet::isSpace(nodes[last - 1])) --last;

    QString result;
    std::size_t operandStart = first;
    ampersands.push_back(last);
    for (std::size_t amp : ampersands) {
      std::size_t a = operandStart, b = amp;
      while (a < b && jet::isSpace(nodes[a])) ++a;
      while (b > a && jet::isSpace(nodes[b - 1])) --b;
      if (a == b) fail("operando mancante accanto a &", m_sql);
      const QString operand = plain(nodes, a, b);
      result = result.isNull() ? operand : QString("%1(%2, %3)").arg(kConcatFunction, result, operand);
      operandStart = amp + 1;
    }
    return plain(nodes, from, first) + result + plain(nodes, last, to);
  }

  QString plain(const std::vector<Node>& nodes, std::size_t from, std::size_t to) {
    QString out;
    for (std::size_t i = from; i < to; ++i) {
      const Node& node = nodes[i];
      const std::size_t next = jet::skipSpace(nodes, i + 1);
      const bool callsGroup = next < to && nodes[next].isGroup();
      if (node.token.kind == TokenKind::Word && callsGroup) {
        if (jet::isWord(node, "IIF")) {
          out += iif(nodes[next]);
          i = next;
          continue;
        }
        if (jet::isWord(node, "ISNULL")) {
          out += isNull(nodes[next]);
          i = next;
          continue;
        }
      }
      if ((jet::isWord(node, "TRUE") || jet::isWord(node, "FALSE")) && !callsGroup && !followsDot(nodes, i)) {
        out += jet::isWord(node, "TRUE") ? "1" : "0";
        continue;
      }
      out += token(node);
    }
    return out;
  }

  QString token(const Node& node) {
    switch (node.token.kind) {
      case TokenKind::LParen: return '(' + sequence(node.children) + ')';
      case TokenKind::Bracketed: return quotedName(jet::nameOf(node));
      case TokenKind::String:
        return node.token.text.startsWith('"') ? jetText(jet::stringValue(node.token)) : node.token.text;
      case TokenKind::Date: return dateLiteral(node.token.text, m_sql);
      default: return node.token.text;
    }
  }

  QString iif(const Node& group) {
    const auto args = jet::splitArguments(group.children);
    if (args.size() != 3) fail("IIf richiede tre argomenti", m_sql);
    return "(CASE WHEN " + sequence(args[0]) + " THEN " + sequence(args[1]) + " ELSE " + sequence(args[2]) +
           " END)";
  }

  QString isNull(const Node& group) {
    const auto args = jet::splitArguments(group.children);
    if (args.size() != 1) fail("IsNull richiede un argomento", m_sql);
    return "((" + sequence(args[0]) + ") IS NULL)";
  }

  static bool followsDot(const std::vector<Node>& nodes, std::size_t i) {
    while (i > 0) {
      --i;
      if (!jet::isSpace(nodes[i])) return jet::isOperator(nodes[i], ".");
    }
    return false;
  }

  // DELETE * FROM t -> DELETE FROM t.
  static void dropDeleteStar(std::vector<Node>& nodes) {
    const std::size_t first = jet::skipSpace(nodes, 0);
    if (first >= nodes.size() || !jet::isWord(nodes[first], "DELETE")) return;
    const std::size_t star = jet::skipSpace(nodes, first + 1);
    if (star >= nodes.size() || !jet::isOperator(nodes[star], "*")) return;
    const bool spaceAfter = star + 1 < nodes.size() && jet::isSpace(nodes[star + 1]);
    nodes.erase(nodes.begin() + static_cast<std::ptrdiff_t>(star),
                nodes.begin() + static_cast<std::ptrdiff_t>(star + (spaceAfter ? 2 : 1)));
  }

  // UPDATE t SET t.c = v -> UPDATE t SET c = v (SQLite takes no qualified target).
  static void unqualifyUpdateTargets(std::vector<Node>& nodes) {
    const std::size_t first = jet::skipSpace(nodes, 0);
    if (first >= nodes.size() || !jet::isWord(nodes[first], "UPDATE")) return;
    bool inSet = false;
    for (std::size_t i = first; i < nodes.size(); ++i) {
      if (jet::isWord(nodes[i], "WHERE")) return;
      const bool startsTarget =
          jet::isWord(nodes[i], "SET") || (inSet && nodes[i].token.kind == TokenKind::Comma);
      if (!startsTarget) continue;
      inSet = true;
      const std::size_t name = jet::skipSpace(nodes, i + 1);
      if (name + 2 < nodes.size() && !jet::nameOf(nodes[name]).isEmpty() &&
          jet::isOperator(nodes[name + 1], ".") && !jet::nameOf(nodes[name + 2]).isEmpty())
        nodes.erase(nodes.begin() + static_cast<std::ptrdiff_t>(name),
                    nodes.begin() + static_cast<std::ptrdiff_t>(name + 2));
    }
  }

  const QString& m_sql;
};

}  // namespace

QString translateJet(const QString& jetSql) { return Translator(jetSql).run(jet::parse(jetSql)); }

namespace {

JetQuery parseJetQuery(const QString& jetSql) {
  std::vector<Node> nodes = jet::parse(jetSql);
  QueryShape shape = analyzeSelect(nodes);
  return {std::move(shape), Translator(jetSql).run(std::move(nodes)), {}};
}

// Marks where a text literal was taken out of a query: '\x01<number>\x01'.
constexpr QChar kMark(0x01);

// A query with its 'text' literals replaced by numbered marks, so that queries that differ only in
// their literals share one reading. Empty when the text is not plain enough for it.
QString withoutLiterals(const QString& jetSql, QStringList& literals) {
  if (jetSql.contains(kMark)) return {};
  QString key;
  key.reserve(jetSql.size());
  const qsizetype n = jetSql.size();
  for (qsizetype i = 0; i < n;) {
    const QChar c = jetSql[i];
    if (c == '"') return {};
    const qsizetype start = i;
    if (c == '[' || c == '#') {
      i = jetSql.indexOf(c == '[' ? QChar(']') : QChar('#'), i + 1);
      if (i < 0) return {};
      key += QStringView(jetSql).mid(start, ++i - start);
      continue;
    }
    if (c != '\'') {
      key += c;
      ++i;
      continue;
    }
    for (++i; i < n && (jetSql[i] != '\'' || (i + 1 < n && jetSql[i + 1] == '\'')); ++i)
      if (jetSql[i] == '\'') ++i;
    if (i >= n) return {};
    literals << jetSql.mid(start, ++i - start);
    key += '\'' + kMark + QString::number(literals.size() - 1) + kMark + '\'';
  }
  return key;
}

// A text literal as its value: without its quotes, doubled apostrophes single.
QString literalValue(const QString& literal) { return literal.mid(1, literal.size() - 2).replace("''", "'"); }

// The literals put back in place of their marks. A literal compared with something becomes a
// parameter instead, its value in `parameters`, so that queries that differ only in the values they
// look for share one prepared statement.
QString withLiterals(const QString& sql, const QStringList& literals, QStringList& parameters) {
  QString out;
  out.reserve(sql.size() + 16 * literals.size());
  qsizetype from = 0;
  for (qsizetype mark = sql.indexOf(kMark); mark >= 0; mark = sql.indexOf(kMark, from)) {
    const qsizetype end = sql.indexOf(kMark, mark + 1);
    out += QStringView(sql).mid(from, mark - 1 - from);
    const QString& literal = literals[QStringView(sql).mid(mark + 1, end - mark - 1).toInt()];
    const QStringView before = QStringView(out).trimmed();
    if (before.endsWith(u'=') || before.endsWith(u'<') || before.endsWith(u'>')) {
      parameters << literalValue(literal);
      out += "?" + QString::number(parameters.size());
    } else {
      out += literal;
    }
    from = end + 2;
  }
  out += QStringView(sql).mid(from);
  return out;
}

}  // namespace

JetQuery readJetQuery(const QString& jetSql) {
  constexpr int kKeptReadings = 512;
  thread_local QHash<QString, JetQuery> readings;
  QStringList literals;
  const QString key = withoutLiterals(jetSql, literals);
  if (key.isEmpty()) return parseJetQuery(jetSql);
  auto it = readings.constFind(key);
  if (it == readings.constEnd()) {
    JetQuery reading;
    try {
      reading = parseJetQuery(key);
    } catch (const DbError&) {
      return parseJetQuery(jetSql);  // fails again, telling the user's own text
    }
    if (readings.size() >= kKeptReadings) readings.clear();
    it = readings.insert(key, std::move(reading));
  }
  JetQuery query{it->shape, {}, {}};
  query.sqliteSql = withLiterals(it->sqliteSql, literals, query.parameters);
  return query;
}

QString isoDate(const QDate& date) { return date.toString(Qt::ISODate); }

QString jetText(const QString& text) { return '\'' + QString(text).replace('\'', "''") + '\''; }

}  // namespace db
