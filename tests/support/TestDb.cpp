#include "tests/support/TestDb.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace testdb {

namespace {

using Database = std::unique_ptr<sqlite3, decltype(&sqlite3_close_v2)>;
using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

Database open(const QString& path) {
  sqlite3* handle = nullptr;
  const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
  Database database(handle, &sqlite3_close_v2);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot open " + path.toStdString());
  return database;
}

Statement prepare(sqlite3* database, const QString& sql) {
  sqlite3_stmt* handle = nullptr;
  if (sqlite3_prepare_v2(database, sql.toUtf8().constData(), -1, &handle, nullptr) != SQLITE_OK)
    throw std::runtime_error(std::string(sqlite3_errmsg(database)) + " in " + sql.toStdString());
  return Statement(handle, &sqlite3_finalize);
}

// A column's value as text: a null QString for NULL, an empty but not null one for ''.
QString text(sqlite3_stmt* statement, int column) {
  if (sqlite3_column_type(statement, column) == SQLITE_NULL) return QString();
  const QString value =
      QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
  return value.isNull() ? QStringLiteral("") : value;
}

}  // namespace

void exec(const QString& path, const QString& sql) {
  const Database database = open(path);
  char* error = nullptr;
  if (sqlite3_exec(database.get(), sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
    const std::string message = error ? error : "error";
    sqlite3_free(error);
    throw std::runtime_error(message + " in " + sql.toStdString());
  }
}

QString scalar(const QString& path, const QString& sql) {
  const Database database = open(path);
  const Statement statement = prepare(database.get(), sql);
  return sqlite3_step(statement.get()) == SQLITE_ROW ? text(statement.get(), 0) : QString();
}

int count(const QString& path, const QString& sql) {
  return scalar(path, "SELECT count(*) FROM (" + sql + ")").toInt();
}

QStringList rows(const QString& path, const QString& sql) {
  const Database database = open(path);
  const Statement statement = prepare(database.get(), sql);
  QStringList result;
  while (sqlite3_step(statement.get()) == SQLITE_ROW) {
    QStringList values;
    for (int i = 0; i < sqlite3_column_count(statement.get()); ++i) {
      const QString value = text(statement.get(), i);
      values << (value.isNull() ? QStringLiteral("NULL") : value);
    }
    result << values.join('|');
  }
  return result;
}

void exec(db::Connection& cn, const QString& sql) { cn.Execute(sql); }

Variant scalar(db::Connection& cn, const QString& sql) {
  db::Recordset rs;
  rs.Open(sql, cn, db::adOpenStatic, db::adLockReadOnly, db::adCmdText);
  return rs.isEOF() ? Variant::null() : rs.Value(0);
}

int count(db::Connection& cn, const QString& sql) {
  db::Recordset rs;
  rs.Open(sql, cn, db::adOpenStatic, db::adLockReadOnly, db::adCmdText);
  return rs.RecordCount();
}

QStringList rows(db::Connection& cn, const QString& sql) {
  db::Recordset rs;
  rs.Open(sql, cn, db::adOpenStatic, db::adLockReadOnly, db::adCmdText);
  QStringList result;
  for (; !rs.isEOF(); rs.MoveNext()) {
    QStringList values;
    for (int i = 0; i < rs.FieldCount(); ++i) values << rs.Value(i).toString();
    result << values.join('|');
  }
  return result;
}

}  // namespace testdb
