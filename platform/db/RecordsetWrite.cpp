// Writing the rows of a one-table recordset back to its table: insert, optimistic update, delete.
#include <sqlite3.h>

#include <optional>

#include "platform/db/RecordsetImpl_p.h"

namespace db {

namespace {

QString quoted(const QString& name) { return '"' + QString(name).replace('"', "\"\"") + '"'; }

// How the row is found in the table: by its primary key, or by rowid where the recordset lacks it.
struct Identity {
  QString where;
  std::vector<Variant> values;
  std::int64_t rowid = 0;
  bool byRowid = false;
};

struct StoredRow {
  std::int64_t rowid;
  std::vector<Variant> values;
};

class RowWriter {
 public:
  RowWriter(Session& session, const TableInfo& table, const RowStore& rows)
      : m_session(session), m_table(table), m_rows(rows) {}

  Identity identify(const std::vector<Variant>& values, std::int64_t rowid) const {
    Identity id;
    QStringList terms;
    for (int key : m_table.keyColumns) {
      const int c = recordsetColumn(m_table.columns[std::size_t(key)].name);
      if (c < 0) return byRowid(rowid);
      terms << quoted(m_table.columns[std::size_t(key)].name) + " = ?";
      id.values.push_back(values[std::size_t(c)]);
    }
    if (terms.isEmpty()) return byRowid(rowid);
    id.where = terms.join(" AND ");
    return id;
  }

  static Identity byRowid(std::int64_t rowid) {
    Identity id;
    id.where = "rowid = ?";
    id.rowid = rowid;
    id.byRowid = true;
    return id;
  }

  // The row as the table holds it now, read as the recordset reads it; empty when it is gone.
  std::optional<StoredRow> fetch(const Identity& id) {
    QStringList names;
    for (int c = 0; c < m_rows.columnCount(); ++c) names << quoted(m_rows.column(c).info.baseColumn);
    Statement s = m_session.prepare("SELECT rowid, " + names.join(", ") + " FROM " + quoted(m_table.name) +
                                    " WHERE " + id.where);
    bind(s.get(), id, 1);
    const int rc = sqlite3_step(s.get());
    if (rc == SQLITE_DONE) return std::nullopt;
    if (rc != SQLITE_ROW) m_session.fail(rc, "Impossibile rileggere la registrazione.");
    StoredRow row{sqlite3_column_int64(s.get(), 0), {}};
    for (int c = 0; c < m_rows.columnCount(); ++c)
      row.values.push_back(readColumn(s.get(), c + 1, m_rows.column(c).type.kind));
    return row;
  }

  // Throws Conflict unless the table still holds the row as it was read.
  void requireUnchanged(const Identity& id, const std::vector<Variant>& original, const QString& action) {
    const std::optional<StoredRow> stored = fetch(id);
    if (!stored)
      throw DbError(DbError::Conflict,
                    "Impossibile " + action + ": la registrazione è stata eliminata da un altro utente.");
    if (stored->values != original)
      throw DbError(DbError::Conflict,
                    "Impossibile " + action + ": la registrazione è stata modificata da un altro utente.");
  }

  std::int64_t insert(const std::vector<Variant>& values, const std::vector<bool>& assigned) {
    QStringList names, marks;
    std::vector<Variant> bound;
    for (int c = 0; c < m_rows.columnCount(); ++c) {
      if (!assigned[std::size_t(c)]) continue;
      names << quoted(m_rows.column(c).info.baseColumn);
      marks << "?";
      bound.push_back(values[std::size_t(c)]);
    }
    const QString sql = names.isEmpty() ? "INSERT INTO " + quoted(m_table.name) + " DEFAULT VALUES"
                                        : "INSERT INTO " + quoted(m_table.name) + " (" + names.join(", ") +
                                              ") VALUES (" + marks.join(", ") + ")";
    run(sql, bound, Identity());
    return sqlite3_last_insert_rowid(m_session.handle());
  }

  void update(const Identity& id, const std::vector<Variant>& values, const std::vector<bool>& assigned) {
    QStringList sets;
    std::vector<Variant> bound;
    for (int c = 0; c < m_rows.columnCount(); ++c) {
      if (!assigned[std::size_t(c)]) continue;
      sets << quoted(m_rows.column(c).info.baseColumn) + " = ?";
      bound.push_back(values[std::size_t(c)]);
    }
    if (sets.isEmpty()) return;
    run("UPDATE " + quoted(m_table.name) + " SET " + sets.join(", ") + " WHERE " + id.where, bound, id);
  }

  void remove(const Identity& id) {
    run("DELETE FROM " + quoted(m_table.name) + " WHERE " + id.where, {}, id);
  }

 private:
  int recordsetColumn(const QString& tableColumn) const {
    for (int c = 0; c < m_rows.columnCount(); ++c)
      if (m_rows.column(c).info.baseColumn.compare(tableColumn, Qt::CaseInsensitive) == 0) return c;
    return -1;
  }

  void bind(sqlite3_stmt* s, const Identity& id, int first) const {
    if (id.byRowid) {
      sqlite3_bind_int64(s, first, id.rowid);
      return;
    }
    for (std::size_t i = 0; i < id.values.size(); ++i) bindValue(s, first + int(i), id.values[i]);
  }

  void run(const QString& sql, const std::vector<Variant>& values, const Identity& id) {
    Statement s = m_session.prepare(sql);
    for (std::size_t i = 0; i < values.size(); ++i) bindValue(s.get(), int(i) + 1, values[i]);
    bind(s.get(), id, int(values.size()) + 1);
    const int rc = sqlite3_step(s.get());
    if (rc != SQLITE_DONE) m_session.fail(rc, "Impossibile salvare la registrazione.");
  }

  Session& m_session;
  const TableInfo& m_table;
  const RowStore& m_rows;
};

}  // namespace

const TableInfo& Recordset::Impl::table() const {
  session->requireOpen();
  const TableInfo* info = session->table(shape.singleTable);
  if (!info) throw DbError(DbError::SqlError, "Tabella inesistente: " + shape.singleTable + ".");
  return *info;
}

void Recordset::Impl::writePending() {
  if (!pending.active) return;
  RowWriter writer(*session, table(), rows);
  const std::vector<Variant> values = rows.copyRow(pending.row);
  std::optional<StoredRow> stored;
  {
    WriteScope scope(*session);
    if (pending.isNew) {
      stored = writer.fetch(RowWriter::byRowid(writer.insert(values, pending.assigned)));
    } else {
      const Identity before = writer.identify(pending.original, rows.rowid(pending.row));
      writer.requireUnchanged(before, pending.original, "salvare");
      writer.update(before, values, pending.assigned);
      stored = writer.fetch(before.byRowid ? before : writer.identify(values, rows.rowid(pending.row)));
    }
    if (!stored) throw DbError(DbError::SqlError, "La registrazione salvata non si trova più nella tabella.");
    scope.commit();
  }
  rows.setRow(pending.row, stored->values);
  rows.setRowid(pending.row, stored->rowid);
  pending = PendingRow();
}

void Recordset::Impl::deleteCurrent() {
  RowWriter writer(*session, table(), rows);
  const std::vector<Variant> original = pending.active ? pending.original : rows.copyRow(pos);
  {
    WriteScope scope(*session);
    const Identity id = writer.identify(original, rows.rowid(pos));
    writer.requireUnchanged(id, original, "eliminare");
    writer.remove(id);
    scope.commit();
  }
  rows.removeRow(pos);
  pending = PendingRow();
}

void Recordset::Impl::cancelPending() {
  if (!pending.active) return;
  if (pending.isNew) {
    rows.removeRow(pending.row);
    pos = std::min(pending.returnTo, rows.count());
  } else {
    rows.setRow(pending.row, pending.original);
  }
  pending = PendingRow();
}

void Recordset::AddNew() {
  d->requireUpdatable();
  d->writePending();
  const int returnTo = d->pos;
  d->rows.appendNullRow();
  d->pos = d->rows.count() - 1;
  d->pending.active = true;
  d->pending.isNew = true;
  d->pending.row = d->pos;
  d->pending.returnTo = returnTo;
  d->pending.original = d->rows.copyRow(d->pos);
  d->pending.assigned.assign(std::size_t(d->rows.columnCount()), false);
}

void Recordset::SetValue(int index, const Variant& value) {
  d->requireUpdatable();
  d->requireCurrent();
  const int c = d->column(index);
  const RowColumn& column = d->rows.column(c);
  const Variant converted = convertForColumn(value, column.type, column.info.name);
  if (!d->pending.active) {
    d->pending.active = true;
    d->pending.row = d->pos;
    d->pending.original = d->rows.copyRow(d->pos);
    d->pending.assigned.assign(std::size_t(d->rows.columnCount()), false);
  }
  d->rows.setValue(d->pos, c, converted);
  d->pending.assigned[std::size_t(c)] = true;
}

void Recordset::SetValue(const QString& name, const Variant& value) { SetValue(d->column(name), value); }

bool Recordset::EditPending() const { return d->pending.active; }

bool Recordset::IsNewRow() const { return d->pending.active && d->pending.isNew; }

void Recordset::Update() {
  d->requireOpen();
  d->writePending();
}

void Recordset::UpdateBatch(AffectEnum) { Update(); }

void Recordset::CancelUpdate() {
  d->requireOpen();
  d->cancelPending();
}

void Recordset::Delete() {
  d->requireUpdatable();
  d->requireCurrent();
  if (d->pending.active && d->pending.isNew) {
    d->cancelPending();
    return;
  }
  d->deleteCurrent();
}

}  // namespace db
