#include "platform/db/QueryShape_p.h"

#include "platform/db/JetTokens_p.h"

namespace db {

using jet::Node;
using jet::TokenKind;

namespace {

bool isName(const Node& n) { return n.token.kind == TokenKind::Word || n.token.kind == TokenKind::Bracketed; }

std::vector<Node> withoutSpace(const std::vector<Node>& nodes) {
  std::vector<Node> out;
  for (const Node& n : nodes)
    if (!jet::isSpace(n)) out.push_back(n);
  return out;
}

// Unwraps redundant parentheses: ((x)) -> x.
std::vector<Node> unwrap(std::vector<Node> nodes) {
  while (nodes.size() == 1 && nodes[0].isGroup()) nodes = withoutSpace(nodes[0].children);
  return nodes;
}

// Sum(T.c), Max([c]) and the like, also rounded: Round(Sum(c), 4).
bool aggregateOf(const std::vector<Node>& expression, ColumnRef& ref) {
  const std::vector<Node> e = unwrap(expression);
  if (e.size() != 2 || e[0].token.kind != TokenKind::Word || !e[1].isGroup()) return false;
  const QString function = e[0].token.text.toUpper();
  if (function == "ROUND") return aggregateOf(withoutSpace(jet::splitArguments(e[1].children).front()), ref);
  if (function != "SUM" && function != "MIN" && function != "MAX" && function != "FIRST" &&
      function != "LAST")
    return false;
  const std::vector<Node> arg = unwrap(withoutSpace(e[1].children));
  ref.function = function;
  if (arg.size() == 1 && isName(arg[0])) {
    ref.column = jet::nameOf(arg[0]);
    return true;
  }
  if (arg.size() == 3 && isName(arg[0]) && jet::isOperator(arg[1], ".") && isName(arg[2])) {
    ref.table = jet::nameOf(arg[0]);
    ref.column = jet::nameOf(arg[2]);
    return true;
  }
  return false;
}

void collectNames(const std::vector<Node>& nodes, QStringList& names) {
  for (const Node& n : nodes) {
    if (isName(n)) names << jet::nameOf(n);
    if (n.isGroup()) collectNames(n.children, names);
  }
}

void readSelectList(const std::vector<Node>& list, QueryShape& shape) {
  for (const std::vector<Node>& item : jet::splitArguments(list)) {
    const std::vector<Node> parts = withoutSpace(item);
    if (parts.size() < 3 || !jet::isWord(parts[parts.size() - 2], "AS") || !isName(parts.back())) continue;
    ColumnRef ref;
    if (aggregateOf(std::vector<Node>(parts.begin(), parts.end() - 2), ref))
      shape.aggregates.insert(jet::nameOf(parts.back()).toLower(), ref);
  }
}

// FROM name [WHERE ...] [ORDER BY ...] with nothing that joins, groups or merges rows.
QString singleTableOf(const std::vector<Node>& nodes, std::size_t from) {
  for (const Node& n : nodes)
    for (const char* word : {"JOIN", "GROUP", "HAVING", "UNION", "DISTINCT", "DISTINCTROW", "TOP"})
      if (jet::isWord(n, word)) return {};
  if (from + 1 >= nodes.size() || !isName(nodes[from + 1])) return {};
  const std::size_t after = from + 2;
  if (after < nodes.size() && !jet::isWord(nodes[after], "WHERE") && !jet::isWord(nodes[after], "ORDER") &&
      nodes[after].token.kind != TokenKind::Semicolon)
    return {};
  return jet::nameOf(nodes[from + 1]);
}

}  // namespace

QueryShape analyzeSelect(const QString& jetSql) { return analyzeSelect(jet::parse(jetSql)); }

QueryShape analyzeSelect(const std::vector<Node>& parsed) {
  QueryShape shape;
  const std::vector<Node> all = withoutSpace(parsed);
  std::size_t select = 0;
  while (select < all.size() && !jet::isWord(all[select], "SELECT")) ++select;
  if (select == all.size()) return shape;
  const std::vector<Node> nodes(all.begin() + static_cast<std::ptrdiff_t>(select), all.end());
  collectNames(nodes, shape.names);

  std::size_t from = 1;
  while (from < nodes.size() && !jet::isWord(nodes[from], "FROM")) ++from;
  readSelectList(std::vector<Node>(nodes.begin() + 1, nodes.begin() + static_cast<std::ptrdiff_t>(from)),
                 shape);
  if (select == 0 && from < nodes.size()) shape.singleTable = singleTableOf(nodes, from);
  return shape;
}

QString bareTableName(const QString& source) {
  // A query is no name: most sources are queries, and need not be parsed for this.
  const QString start = source.left(7).trimmed();
  if (source.size() > 7 && start.compare("SELECT", Qt::CaseInsensitive) == 0) return {};
  const std::vector<Node> nodes = withoutSpace(jet::parse(source));
  if (nodes.size() != 1 || !isName(nodes[0]) || jet::isWord(nodes[0], "SELECT")) return {};
  return jet::nameOf(nodes[0]);
}

}  // namespace db
