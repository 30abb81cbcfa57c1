#include "platform/db/JetTokens_p.h"

#include "platform/db/DbError.h"

namespace db::jet {

namespace {

bool isWordStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

[[noreturn]] void fail(const QString& what, const QString& sql) {
  throw DbError(DbError::SqlError, "Errore nel comando SQL: " + what + ".\n" + sql);
}

// Position just after the literal that opens at `start` and is closed by `close`; a doubled closing
// character inside the literal stands for itself when `doubled` is set.
qsizetype literalEnd(const QString& sql, qsizetype start, QChar close, bool doubled) {
  qsizetype i = start + 1;
  while (i < sql.size()) {
    if (sql[i] == close) {
      if (doubled && i + 1 < sql.size() && sql[i + 1] == close) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return -1;
}

bool previousEndsName(const std::vector<Token>& tokens) {
  for (auto it = tokens.rbegin(); it != tokens.rend(); ++it) {
    if (it->kind == TokenKind::Space) continue;
    return it->kind == TokenKind::Word || it->kind == TokenKind::Bracketed || it->kind == TokenKind::RParen;
  }
  return false;
}

qsizetype numberEnd(const QString& sql, qsizetype i) {
  while (i < sql.size() && sql[i].isDigit()) ++i;
  if (i < sql.size() && sql[i] == u'.') {
    ++i;
    while (i < sql.size() && sql[i].isDigit()) ++i;
  }
  if (i < sql.size() && (sql[i] == u'e' || sql[i] == u'E')) {
    qsizetype j = i + 1;
    if (j < sql.size() && (sql[j] == u'+' || sql[j] == u'-')) ++j;
    if (j < sql.size() && sql[j].isDigit()) {
      while (j < sql.size() && sql[j].isDigit()) ++j;
      i = j;
    }
  }
  return i;
}

}  // namespace

std::vector<Token> tokenize(const QString& sql) {
  static const QString twoCharOperators[] = {"<=", ">=", "<>", "!=", "||", "=="};
  std::vector<Token> tokens;
  qsizetype i = 0;
  while (i < sql.size()) {
    const QChar c = sql[i];
    qsizetype end = i + 1;
    TokenKind kind = TokenKind::Operator;
    if (c.isSpace()) {
      kind = TokenKind::Space;
      while (end < sql.size() && sql[end].isSpace()) ++end;
    } else if (isWordStart(c)) {
      kind = TokenKind::Word;
      while (end < sql.size() && isWordChar(sql[end])) ++end;
    } else if (c.isDigit() ||
               (c == u'.' && i + 1 < sql.size() && sql[i + 1].isDigit() && !previousEndsName(tokens))) {
      kind = TokenKind::Number;
      end = numberEnd(sql, i);
    } else if (c == u'\'' || c == u'"') {
      kind = TokenKind::String;
      end = literalEnd(sql, i, c, true);
      if (end < 0) fail("testo tra virgolette non chiuso", sql);
    } else if (c == u'[') {
      kind = TokenKind::Bracketed;
      end = literalEnd(sql, i, u']', false);
      if (end < 0) fail("nome tra parentesi quadre non chiuso", sql);
    } else if (c == u'#') {
      kind = TokenKind::Date;
      end = literalEnd(sql, i, u'#', false);
      if (end < 0) fail("data tra # non chiusa", sql);
    } else if (c == u'(') {
      kind = TokenKind::LParen;
    } else if (c == u')') {
      kind = TokenKind::RParen;
    } else if (c == u',') {
      kind = TokenKind::Comma;
    } else if (c == u';') {
      kind = TokenKind::Semicolon;
    } else {
      for (const QString& op : twoCharOperators) {
        if (QStringView(sql).mid(i, 2) == op) {
          end = i + 2;
          break;
        }
      }
    }
    tokens.push_back({kind, sql.mid(i, end - i)});
    i = end;
  }
  return tokens;
}

namespace {

// Deeper nesting is refused rather than followed to the end of the stack; SQLite itself takes no
// expression deeper than this.
constexpr int kMaxDepth = 1000;

std::vector<Node> parseLevel(const std::vector<Token>& tokens, std::size_t& pos, int depth,
                             const QString& sql) {
  if (depth > kMaxDepth)
    fail("troppe parentesi annidate (al massimo " + QString::number(kMaxDepth) + ")", sql);
  const bool nested = depth > 0;
  std::vector<Node> nodes;
  while (pos < tokens.size()) {
    const Token& token = tokens[pos++];
    if (token.kind == TokenKind::RParen) {
      if (!nested) fail("parentesi chiusa in eccesso", sql);
      return nodes;
    }
    Node node{token, {}};
    if (token.kind == TokenKind::LParen) node.children = parseLevel(tokens, pos, depth + 1, sql);
    nodes.push_back(std::move(node));
  }
  if (nested) fail("parentesi non chiusa", sql);
  return nodes;
}

}  // namespace

std::vector<Node> parse(const std::vector<Token>& tokens) {
  QString sql;
  for (const Token& t : tokens) sql += t.text;
  std::size_t pos = 0;
  return parseLevel(tokens, pos, 0, sql);
}

std::vector<Node> parse(const QString& sql) { return parse(tokenize(sql)); }

bool isWord(const Node& node, const char* upperWord) {
  return node.token.kind == TokenKind::Word &&
         node.token.text.compare(QLatin1String(upperWord), Qt::CaseInsensitive) == 0;
}

bool isOperator(const Node& node, const char* op) {
  return node.token.kind == TokenKind::Operator && node.token.text == QLatin1String(op);
}

bool isSpace(const Node& node) { return node.token.kind == TokenKind::Space; }

QString nameOf(const Node& node) {
  if (node.token.kind == TokenKind::Word) return node.token.text;
  if (node.token.kind == TokenKind::Bracketed) return node.token.text.mid(1, node.token.text.size() - 2);
  return {};
}

QString stringValue(const Token& token) {
  const QChar quote = token.text.front();
  QString inner = token.text.mid(1, token.text.size() - 2);
  inner.replace(QString(2, quote), QString(quote));
  return inner;
}

std::vector<std::vector<Node>> splitArguments(const std::vector<Node>& children) {
  std::vector<std::vector<Node>> args(1);
  for (const Node& n : children) {
    if (n.token.kind == TokenKind::Comma)
      args.emplace_back();
    else
      args.back().push_back(n);
  }
  return args;
}

std::size_t skipSpace(const std::vector<Node>& nodes, std::size_t from) {
  while (from < nodes.size() && isSpace(nodes[from])) ++from;
  return from;
}

}  // namespace db::jet
