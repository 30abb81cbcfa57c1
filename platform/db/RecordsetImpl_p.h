#pragma once

#include <QHash>
#include <memory>

#include "platform/db/DbError.h"
#include "platform/db/QueryShape_p.h"
#include "platform/db/Recordset.h"
#include "platform/db/RecordsetRows_p.h"
#include "platform/db/Session_p.h"

namespace db {

struct Recordset::Impl {
  std::shared_ptr<Session> session;
  QString source;
  QString sqliteSql;
  QStringList parameters;  // values of the query's ?1, ?2...
  QueryShape shape;
  bool open = false;
  bool updatable = false;
  bool hiddenRowid = false;  // the first result column is the table's rowid
  // A forward-only, read-only recordset only moves on, and lets the values of passed rows go.
  bool forwardOnly = false;
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
  // Runs the query into rows, every row at once; false, with nothing read, when the tables changed
  // meanwhile.
  bool read();
  // The statement's result columns, described once while the statement stays cached.
  std::shared_ptr<const ColumnSet> describeColumns(const Statement& statement);
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
