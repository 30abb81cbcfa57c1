#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/db/JetTokens_p.h"

// What the data layer needs to know of a Jet SELECT before running it: whether it reads exactly one
// table (so its rows can be written back), and which computed columns are aggregates of one column
// (so Sum of a currency column reads as currency).
namespace db {

struct ColumnRef {
  QString table;  // empty when the column is not qualified
  QString column;
  QString function;  // SUM, MIN, MAX, FIRST, LAST
};

struct QueryShape {
  QString singleTable;                   // a text that is a plain SELECT over one table; empty otherwise
  QHash<QString, ColumnRef> aggregates;  // by alias in lower case
  QStringList names;                     // every name the text mentions, in order
};

// Reads the first SELECT of the text (a view definition may come before it).
QueryShape analyzeSelect(const QString& jetSql);
QueryShape analyzeSelect(const std::vector<jet::Node>& parsed);

// A Jet text parsed once for both uses: what it reads, and its SQLite translation (translateJet).
// Text literals compared with something are parameters ?1, ?2... of the translation, their values
// in `parameters`.
struct JetQuery {
  QueryShape shape;
  QString sqliteSql;
  QStringList parameters;
};
JetQuery readJetQuery(const QString& jetSql);

// The table name when the text is only a name ("Costi", "[Costi]"); empty otherwise.
QString bareTableName(const QString& source);

}  // namespace db
