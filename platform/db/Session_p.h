#pragma once

#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "platform/db/ColumnType_p.h"
#include "platform/db/QueryShape_p.h"

struct sqlite3;
struct sqlite3_stmt;

namespace db {

struct TableColumn {
  QString name;
  ColumnType type;
};

// A table or view of the open database as the data layer uses it.
struct TableInfo {
  QString name;
  bool isView = false;
  std::vector<TableColumn> columns;
  std::vector<int> keyColumns;  // primary key, in key order; empty when the table has none
  int columnIndex(const QString& name) const;  // case-insensitive; -1 when absent
};

class Session;

// A prepared statement borrowed from the session's cache and given back, reset and unbound, when it
// goes out of scope. A statement already in use is prepared afresh and finalized instead.
class Statement {
 public:
  Statement(Session* owner, sqlite3_stmt* statement, bool cached)
      : m_owner(owner), m_statement(statement), m_cached(cached) {}
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* get() const { return m_statement; }

 private:
  Session* m_owner;
  sqlite3_stmt* m_statement;
  bool m_cached;
};

// The open SQLite handle behind a Connection, shared with the recordsets opened on it so that they
// can still write while the Connection object lives, and fail cleanly once it is closed.
class Session {
 public:
  Session(sqlite3* db, const QString& path);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void close();
  bool isOpen() const { return m_db != nullptr; }
  sqlite3* handle() const { return m_db; }
  const QString& path() const { return m_path; }

  // A prepared statement for SQLite SQL, kept for the next use unless `keep` is false. Throws
  // DbError when it does not compile or holds more than one statement.
  Statement prepare(const QString& sqliteSql, bool keep = true);
  // Runs a statement that returns no rows.
  void exec(const QString& sql);

  // Throws DbError with an Italian description for a failed SQLite call.
  [[noreturn]] void fail(int resultCode, const QString& action) const;
  void check(int resultCode, const QString& action) const {
    if (resultCode != 0) fail(resultCode, action);
  }
  void requireOpen() const;

  // The table or view of that name, nullptr when the database has none.
  const TableInfo* table(const QString& name);
  // The type of a computed column of a query: the type of the column an aggregate reads, or of the
  // computed column of a saved query it reads.
  ColumnType inferredType(const QueryShape& shape, const QString& columnName);

  // Transactions of the Connection: the first level is BEGIN IMMEDIATE, deeper ones savepoints.
  void beginTrans();
  void commitTrans();
  void rollbackTrans();
  int transactionDepth() const { return m_depth; }

 private:
  friend class Statement;
  struct CachedStatement {
    sqlite3_stmt* statement = nullptr;
    bool inUse = false;
  };
  std::optional<TableInfo> loadTable(const QString& name);
  ColumnType viewColumnType(const QueryShape& shape, const QString& columnName);
  void giveBack(sqlite3_stmt* statement);

  sqlite3* m_db;
  QString m_path;
  QHash<QString, CachedStatement> m_statements;
  QHash<QString, std::shared_ptr<TableInfo>> m_tables;  // by lower-case name; null when absent
  int m_depth = 0;
};

// One atomic write of a recordset: its own transaction, or a savepoint inside the connection's.
// Rolled back unless committed, so a failed write leaves the database as it was.
class WriteScope {
 public:
  explicit WriteScope(Session& session);
  ~WriteScope();
  WriteScope(const WriteScope&) = delete;
  WriteScope& operator=(const WriteScope&) = delete;
  void commit();

 private:
  Session& m_session;
  bool m_savepoint;
  bool m_done = false;
};

}  // namespace db
