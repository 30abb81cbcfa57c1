#pragma once

#include <QHash>
#include <memory>

#include "platform/db/DbError.h"
#include "platform/db/QueryShape_p.h"
#include "platform/db/Recordset.h"
#include "platform/db/RecordsetRows_p.h"
#include "platform/db/Session_p.h"

struct sqlite3_stmt;

namespace db {

// Gives a statement back to its handle, which it keeps open until then.
struct StatementRelease {
  std::shared_ptr<Handle> handle;
  void operator()(Statement* statement) const { delete statement; }
};
using OpenStatement = std::unique_ptr<Statement, StatementRelease>;

struct Recordset::Impl {
  std::shared_ptr<Session> session;
  QString source;
  QString sqliteSql;
  QStringList parameters;  // values of the query's ?1, ?2...
  QueryShape shape;
  bool open = false;
  bool updatable = false;
  bool hiddenRowid = false;  // the first result column is the table's rowid
  // A forward-only, read-only recordset steps through its statement and holds only the current row;
  // `cursor` is the statement until its rows are over. Positions count the rows passed before it.
  bool forwardOnly = false;
  OpenStatement cursor;
  int passed = 0;
  RowStore rows;
  QHash<QString, int> fieldIndex;  // lower-case name -> column
  int pos = 0;                     // -1 = BOF, rows.count() = EOF
  PendingRow pending;

  void requireOpen() const {
    if (!open) throw DbError(DbError::InvalidState, "Il recordset non è aperto.");
  }
  void requireCurrent() const {
    requireOpen();
    if (pos < 0 || pos >= rows.count())
      throw DbError(DbError::InvalidState, "Nessuna registrazione corrente (inizio o fine del recordset).");
  }
  void requireUpdatable() const {
    requireOpen();
    if (!updatable)
      throw DbError(DbError::NotUpdatable,
                    "I dati di questo elenco sono di sola lettura e non si possono modificare.");
  }
  int column(const QString& name) const {
    const int i = fieldIndex.value(name.toLower(), -1);
    if (i < 0) throw DbError(DbError::InvalidState, "Campo inesistente: " + name + ".");
    return i;
  }
  int column(int index) const {
    if (index < 0 || index >= rows.columnCount())
      throw DbError(DbError::InvalidState, QString("Campo inesistente: numero %1.").arg(index));
    return index;
  }

  // The query of a source and what it reads; false when the tables changed meanwhile.
  bool prepare(const QString& source, LockType lock, CommandType command);
  // Runs the query into rows; false, with nothing read, when the tables changed meanwhile. A
  // forward-only recordset reads its first row only, unless a column is typed by its values.
  bool read();
  // The statement's result columns, described once while the statement stays cached.
  std::shared_ptr<const ColumnSet> describeColumns(const Statement& statement);
  // Forward-only: the next row in place of the current one.
  void stepCursor();
  void requireScrollable() const {
    if (forwardOnly)
      throw DbError(DbError::InvalidState, "Questo elenco si legge solo in avanti, una riga alla volta.");
  }

  // Writing back (RecordsetWrite.cpp).
  const TableInfo& table() const;
  void writePending();
  void deleteCurrent();
  void cancelPending();
};

}  // namespace db
