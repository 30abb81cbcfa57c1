#pragma once

#include <QString>
#include <vector>

// The pieces of a Jet SQL text and the tree of its parentheses. The tokenizer keeps every character
// of the source, so a text rebuilt from the tokens is the text it came from.
namespace db::jet {

enum class TokenKind {
  Space,
  Word,       // bare name or keyword
  Bracketed,  // [name]
  String,     // 'text' or "text"
  Number,
  Date,      // #mm/dd/yy#
  Operator,  // = <> <= >= < > + - * / & . and the like
  LParen,
  RParen,
  Comma,
  Semicolon,
};

struct Token {
  TokenKind kind;
  QString text;  // the source text, delimiters included
};

// Splits a Jet SQL text. An unterminated string, bracket or date literal throws DbError.
std::vector<Token> tokenize(const QString& sql);

// A token, or a parenthesised group (kind LParen) with its inner nodes.
struct Node {
  Token token;
  std::vector<Node> children;
  bool isGroup() const { return token.kind == TokenKind::LParen; }
};

// Groups the tokens by parentheses. Unbalanced parentheses throw DbError.
std::vector<Node> parse(const std::vector<Token>& tokens);
std::vector<Node> parse(const QString& sql);

// Helpers on nodes.
bool isWord(const Node& node, const char* upperWord);
bool isOperator(const Node& node, const char* op);
bool isSpace(const Node& node);
// The name a Word or Bracketed token stands for ([Costi] -> Costi); empty for other tokens.
QString nameOf(const Node& node);
// The contents of a string literal token, quotes removed and doubled quotes undone.
QString stringValue(const Token& token);
// Splits the inner nodes of a group at its top-level commas.
std::vector<std::vector<Node>> splitArguments(const std::vector<Node>& children);
// Index of the next node that is not white space, starting at `from` (size() when none).
std::size_t skipSpace(const std::vector<Node>& nodes, std::size_t from);

}  // namespace db::jet
