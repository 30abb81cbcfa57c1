#pragma once

#include <sys/types.h>

#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "platform/db/ColumnType_p.h"
#include "platform/db/QueryShape_p.h"
#include "platform/db/RecordsetRows_p.h"

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
  std::vector<int> keyColumns;                 // primary key, in key order; empty when the table has none
  int columnIndex(const QString& name) const;  // case-insensitive; -1 when absent
};

class Handle;

// A prepared statement borrowed from the handle's cache and given back, reset and unbound, when it
// goes out of scope. A statement already in use is prepared afresh and finalized instead.
class Statement {
 public:
  Statement(Handle* owner, sqlite3_stmt* statement, bool cached)
      : m_owner(owner), m_statement(statement), m_cached(cached) {}
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  sqlite3_stmt* get() const { return m_statement; }
  // The result columns a recordset described for this statement, kept with a cached statement
  // until it is dropped (the schema changed); null when there are none.
  std::shared_ptr<const ColumnSet> columns() const;
  void keepColumns(std::shared_ptr<const ColumnSet> columns) const;

 private:
  Handle* m_owner;
  sqlite3_stmt* m_statement;
  bool m_cached;
};

// An open SQLite handle on one database file, with what is worth keeping between queries: prepared
// statements and the information on tables. The connections of one thread on one file share one
// handle (see shared()); it is closed when the last of them and the pool let it go.
class Handle {
 public:
  // The handle of this thread on the file at `path`, opened and checked as Connection::Open states
  // when there is none yet, when the file was replaced since, or when its tables changed. Throws
  // DbError.
  static std::shared_ptr<Handle> shared(const QString& path, int busyTimeoutMs);
  // A handle of its own on a file opened before, for a connection that cannot share.
  static std::shared_ptr<Handle> separate(const QString& path, int busyTimeoutMs);

  ~Handle();
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  sqlite3* db() const { return m_db; }
  const QString& path() const { return m_path; }

  // A prepared statement for SQLite SQL, kept for the next use unless `keep` is false. Throws
  // DbError when it does not compile or holds more than one statement.
  Statement prepare(const QString& sqliteSql, bool keep = true);
  // Runs a statement that returns no rows.
  void exec(const QString& sql);
  // Throws DbError with an Italian description for a failed SQLite call, ending with SQLite's own
  // message: the handle's last one, or `detail` when it was taken before other calls overwrote it.
  [[noreturn]] void fail(int resultCode, const QString& action) const {
    fail(resultCode, action, errorText());
  }
  [[noreturn]] void fail(int resultCode, const QString& action, const QString& detail) const;
  // SQLite's message for the handle's last call.
  QString errorText() const;

  // Forgets the table information when the schema changed since it was read (by this handle or
  // another, in this process or another). Returns whether it changed; a file put in place of the
  // handle's since then counts as changed and is left to reopenIfReplaced.
  bool refreshSchema();
  // Whether the file was replaced on disk since the handle read it; SQLite would go on reading the
  // new file with the old one's tables when both have the same schema version, so the handle must
  // then be opened again (reopenIfReplaced) before it runs anything more. Leaves the table
  // information as it is.
  bool checkReplaced() { return checkReplaced(storedSchemaVersion()); }
  // Opens the file again when it was replaced and no statement of the handle is running; throws
  // DbError, naming the cause, when the file now there cannot be worked on.
  void reopenIfReplaced();
  // The table or view of that name, nullptr when the database has none.
  const TableInfo* table(const QString& name);
  // The type of a computed column of a query: the type of the column an aggregate reads, or of the
  // computed column of a saved query it reads.
  ColumnType inferredType(const QueryShape& shape, const QString& columnName);

  // The connection whose transaction is open on the handle; no other may run on it meanwhile.
  const void* transactionOwner = nullptr;
  // The busy timeout last set on the handle, in milliseconds.
  int busyTimeout = -1;

 private:
  friend class Statement;
  Handle(sqlite3* db, const QString& path);
  static std::shared_ptr<Handle> open(const QString& path, int busyTimeoutMs, bool check);
  static sqlite3* openDatabase(const QString& path, int busyTimeoutMs, bool check);
  int storedSchemaVersion();
  bool checkReplaced(int schemaVersion);
  void readFileIdentity();
  // Where the file keeps each table: the names and first pages of everything in sqlite_master.
  QByteArray storedLayout();
  struct CachedStatement {
    sqlite3_stmt* statement = nullptr;
    bool inUse = false;
  };
  std::optional<TableInfo> loadTable(const QString& name);
  ColumnType viewColumnType(const QueryShape& shape, const QString& columnName);
  void giveBack(sqlite3_stmt* statement);
  void dropIdleStatements();
  void finalizeStatements();
  // The file at the handle's path is still the one it opened.
  bool sameFile() const;

  sqlite3* m_db;
  QString m_path;
  QByteArray m_localPath;  // as the system names the file
  dev_t m_device = 0;
  ino_t m_inode = 0;
  QHash<QString, CachedStatement> m_statements;
  QHash<sqlite3_stmt*, std::shared_ptr<const ColumnSet>> m_columnSets;  // of cached statements
  QHash<QString, std::shared_ptr<TableInfo>> m_tables;  // by lower-case name; null when absent
  int m_schemaVersion = -1;
  unsigned m_dataVersion = 0;  // SQLite's count of changes to the file when the layout was read
  QByteArray m_layout;
  bool m_replaced = false;
};

}  // namespace db
