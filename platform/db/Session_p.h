#pragma once

#include <QString>
#include <memory>

#include "platform/db/Handle_p.h"

namespace db {

// One opened Connection: its transactions and its busy timeout, run on the handle it shares with the
// other connections of the thread on the same file. Shared with the recordsets opened on it so that
// they can still write while the Connection object lives, and fail cleanly once it is closed.
class Session {
 public:
  Session(std::shared_ptr<Handle> handle, int busyTimeoutMs);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Rolls back an open transaction and lets the handle go; the other connections keep it.
  void close();
  bool isOpen() const { return m_handle != nullptr; }
  void requireOpen() const;
  QString path() const { return m_handle ? m_handle->path() : QString(); }

  // The handle to run on, with this session's busy timeout. While another connection holds a
  // transaction on the shared handle this session moves to a handle of its own, so that it neither
  // runs inside that transaction nor sees its uncommitted rows: it waits for the file as a second
  // program would. Throws DbError when closed.
  Handle& use();
  sqlite3* handle() { return use().db(); }
  void setBusyTimeout(int ms) { m_busyTimeoutMs = ms; }

  Statement prepare(const QString& sqliteSql, bool keep = true) { return use().prepare(sqliteSql, keep); }
  void exec(const QString& sql) { use().exec(sql); }
  [[noreturn]] void fail(int resultCode, const QString& action) { use().fail(resultCode, action); }
  const TableInfo* table(const QString& name) { return use().table(name); }
  ColumnType inferredType(const QueryShape& shape, const QString& columnName) {
    return use().inferredType(shape, columnName);
  }

  // Begins a write transaction (BEGIN IMMEDIATE); false, with none begun, when the file was replaced
  // on disk since the handle read it: the next use opens it again.
  bool beginWrite();
  // Transactions of the Connection: the first level is BEGIN IMMEDIATE, deeper ones savepoints.
  void beginTrans();
  void commitTrans();
  void rollbackTrans();
  int transactionDepth() const { return m_depth; }

 private:
  void endTransaction();

  std::shared_ptr<Handle> m_handle;
  int m_busyTimeoutMs;
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
