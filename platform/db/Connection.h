#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "platform/db/AdoTypes.h"

struct sqlite3;

namespace db {

class Session;

// A connection to the program's database file. The connection string is the program's own
// ("Provider=...;Data Source=<path>;..."); only Data Source is read. SQL given to Execute is the
// program's Jet dialect and is translated before it runs. Every failure throws DbError.
//
// The connections of one thread on one file share one SQLite handle, kept open between them, with
// its prepared statements and table information, so that opening a connection and running a query
// cost little. Each query reads its rows whole before it returns and keeps no statement open, so
// it sees what was committed in the file at that moment, by this process or another, and holds no
// lock afterwards: no recordset stands in the way of a commit, of this thread or of another
// program. Table information is read again when the tables changed, and a file replaced on disk
// (another file put in its place, or a copy written over it) is opened again before the next query
// or write transaction runs on it. Each connection is still one of its own: closing it closes no
// other and rolls back its open transaction, and its transactions are its own. While one
// connection holds a transaction, every other connection of the thread runs on a handle of its own,
// as a second program would: it reads what is committed, does not see the transaction's rows, and
// its writes wait for the transaction (up to the busy timeout, then DbError::Busy); a rollback by
// one never undoes what another wrote.
class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Opens the file named by Data Source. The file must exist and be a writable database with the
  // program's tables, in a folder where its journal can be written; anything else throws
  // DbError::OpenFailed (Busy when another program holds the file, ReadOnly when the file or its
  // folder cannot be written). A database is never created. A file replaced since its handle was
  // opened, or whose tables changed, is checked again as on a first open.
  void Open(const QString& connectionString);
  void Close();
  bool IsOpen() const;

  // How long a statement waits for another program to release the file before it fails with
  // DbError::Busy, in milliseconds (3000 unless set). Takes effect at once on an open connection.
  int busyTimeout() const { return m_busyTimeoutMs; }
  void setBusyTimeout(int ms);

  // Kept for the callers that set it; every recordset of this layer is a client-side copy.
  CursorLocation cursorLocation() const { return m_cursorLocation; }
  void setCursorLocation(CursorLocation location) { m_cursorLocation = location; }

  // Runs a statement that returns no rows; returns the number of rows it changed. Outside a
  // transaction a write is a transaction of its own.
  int Execute(const QString& jetSql);

  void BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  bool InTransaction() const;

  // The names of the database's tables in the order they were created: no saved queries (views) and
  // none of SQLite's own tables.
  QStringList tableNames() const;

  QString path() const;
  // The SQLite handle the connection runs on now; shared with the other connections of the thread on
  // the same file, so what is set on it applies to them too.
  sqlite3* handle() const;

  // The Data Source of a connection string (empty when it has none).
  static QString dataSource(const QString& connectionString);

 private:
  friend class Recordset;
  std::shared_ptr<Session> session() const;

  struct Impl;
  std::unique_ptr<Impl> d;
  CursorLocation m_cursorLocation = adUseServer;
  int m_busyTimeoutMs = 3000;
};

}  // namespace db
