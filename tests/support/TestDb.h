#pragma once

#include <QString>
#include <QStringList>

#include "platform/runtime/Variant.h"
#include "tests/support/Printers.h"

namespace db {
class Connection;
}

// A test's own reads and writes of a database, apart from what the test drives.
//
// On a file path they go straight through SQLite, in SQLite's SQL: what the data layer wrote is checked
// by something other than itself, and a test can set up what the data layer would refuse (triggers,
// values of the wrong type). On an open connection they go through the data layer, in the program's SQL.
namespace testdb {

void exec(const QString& path, const QString& sql);
// The first column of the first row as SQLite gives it as text; a null QString for NULL or no row.
QString scalar(const QString& path, const QString& sql);
// How many rows the query returns.
int count(const QString& path, const QString& sql);
// Every row of the query, its values joined by "|" (NULL as "NULL").
QStringList rows(const QString& path, const QString& sql);

void exec(db::Connection& cn, const QString& sql);
// The first column of the first row; Null when there is no row.
Variant scalar(db::Connection& cn, const QString& sql);
int count(db::Connection& cn, const QString& sql);
// Every row of the query, its values as text joined by "|".
QStringList rows(db::Connection& cn, const QString& sql);

}  // namespace testdb
