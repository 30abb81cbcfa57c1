#include "platform/db/Recordset.h"

#include <sqlite3.h>

#include <QHash>

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/RecordsetImpl_p.h"

namespace db {

namespace {

// Jet names a column that appears twice in a join by its table: Costi.Codice, CommessePre.Codice.
void qualifyDuplicateNames(std::vector<RowColumn>& columns) {
  QHash<QString, int> counts;
  for (const RowColumn& c : columns) ++counts[c.info.name.toLower()];
  for (RowColumn& c : columns) {
    if (counts.value(c.info.name.toLower()) > 1 && !c.info.baseTable.isEmpty() &&
        c.info.name.compare(c.info.baseColumn, Qt::CaseInsensitive) == 0)
      c.info.name = c.info.baseTable + '.' + c.info.name;
  }
}

QString text(const char* utf8) { return utf8 ? QString::fromUtf8(utf8) : QString(); }

}  // namespace

std::shared_ptr<const ColumnSet> Recordset::Impl::describeColumns(const Statement& statement) {
  if (std::shared_ptr<const ColumnSet> known = statement.columns()) return known;
  sqlite3_stmt* s = statement.get();
  auto set = std::make_shared<ColumnSet>();
  std::vector<RowColumn>& columns = set->columns;
  const int first = hiddenRowid ? 1 : 0;
  for (int c = first; c < sqlite3_column_count(s); ++c) {
    RowColumn column;
    column.info.name = text(sqlite3_column_name(s, c));
    column.info.baseTable = text(sqlite3_column_table_name(s, c));
    column.info.baseColumn = text(sqlite3_column_origin_name(s, c));
    const char* declared = sqlite3_column_decltype(s, c);
    column.type =
        declared ? columnTypeFromDeclared(text(declared)) : session->inferredType(shape, column.info.name);
    column.info.type = column.type.adoType;
    column.info.definedSize = column.type.definedSize;
    columns.push_back(column);
  }
  qualifyDuplicateNames(columns);
  for (int i = int(columns.size()) - 1; i >= 0; --i)
    set->index.insert(columns[std::size_t(i)].info.name.toLower(), i);
  statement.keepColumns(set);
  return set;
}

bool Recordset::Impl::read() {
  Handle& handle = session->use();
  const Statement statement = handle.prepare(sqliteSql);
  sqlite3_stmt* s = statement.get();
  for (int i = 0; i < parameters.size(); ++i) {
    const QByteArray value = parameters[i].toUtf8();
    sqlite3_bind_text(s, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
  }
  const int first = hiddenRowid ? 1 : 0;
  int rc = sqlite3_step(s);
  const QString firstError = rc == SQLITE_ROW || rc == SQLITE_DONE ? QString() : handle.errorText();
  // Checked in the query's own read transaction, so that no other program can change the tables
  // between the check and the rows.
  if (handle.refreshSchema()) return false;
  const std::shared_ptr<const ColumnSet> described = describeColumns(statement);
  for (const RowColumn& column : described->columns)
    if (column.info.baseTable.compare(shape.singleTable, Qt::CaseInsensitive) != 0) updatable = false;
  fieldIndex = described->index;
  rows.reset(described->columns);
  // Every row is read before the statement is given back, reset: the recordset shows one committed
  // state of the file and holds no read lock once opened.
  for (; rc == SQLITE_ROW; rc = sqlite3_step(s))
    rows.appendStored(s, first, hiddenRowid ? sqlite3_column_int64(s, 0) : 0);
  if (rc != SQLITE_DONE)
    handle.fail(rc, "Impossibile leggere i dati:\n" + source,
                firstError.isEmpty() ? handle.errorText() : firstError);
  rows.typeComputedColumns();
  if (forwardOnly) rows.seal();
  return true;
}

Recordset::Recordset() : d(std::make_unique<Impl>()) {}

Recordset::~Recordset() = default;

void Recordset::Open(const QString& source, Connection& connection, CursorType cursor, LockType lock,
                     CommandType command) {
  if (d->open) throw DbError(DbError::InvalidState, "Il recordset è già aperto.");
  auto session = connection.session();
  // Read again from the start when the tables changed since their information was read.
  Impl fresh;
  while (!fresh.open) {
    fresh = Impl();
    fresh.session = session;
    fresh.source = source;
    fresh.forwardOnly = cursor == adOpenForwardOnly && lock == adLockReadOnly;
    fresh.open = fresh.prepare(source, lock, command) && fresh.read();
  }
  fresh.pos = 0;
  *d = std::move(fresh);
}

bool Recordset::Impl::prepare(const QString& text, LockType lock, CommandType command) {
  const QString tableName = command == adCmdText ? QString() : bareTableName(text);
  if (command == adCmdTable && tableName.isEmpty())
    throw DbError(DbError::SqlError, "Nome di tabella non valido: " + text + ".");
  if (!tableName.isEmpty() && !session->table(tableName)) {
    if (session->use().refreshSchema()) return false;
    throw DbError(DbError::SqlError, "Tabella inesistente: " + tableName + ".");
  }
  JetQuery query = readJetQuery(tableName.isEmpty() ? text : "SELECT * FROM [" + tableName + "]");
  shape = std::move(query.shape);
  sqliteSql = std::move(query.sqliteSql);
  parameters = std::move(query.parameters);
  const TableInfo* table =
      lock == adLockReadOnly || shape.singleTable.isEmpty() ? nullptr : session->table(shape.singleTable);
  updatable = table && !table->isView;
  if (updatable) {
    hiddenRowid = true;
    shape.singleTable = table->name;
    const qsizetype select = sqliteSql.indexOf("SELECT", 0, Qt::CaseInsensitive);
    sqliteSql.insert(select + 6, " \"" + table->name + "\".rowid,");
  }
  return true;
}

void Recordset::Close() { *d = Impl(); }

bool Recordset::IsOpen() const { return d->open; }

void Recordset::Requery() {
  d->requireOpen();
  if (d->pending.active)
    throw DbError(DbError::InvalidState, "Salvare o annullare le modifiche prima di rileggere i dati.");
  const int keep = d->forwardOnly ? 0 : d->pos;
  do d->rows.clear();
  while (!d->read());
  d->pos = keep >= 0 && keep < d->rows.count() ? keep : 0;
}

bool Recordset::isEOF() const { return d->open && (d->rows.count() == 0 || d->pos >= d->rows.count()); }

bool Recordset::isBOF() const { return d->open && (d->rows.count() == 0 || d->pos < 0); }

int Recordset::RecordCount() const { return d->open && !d->forwardOnly ? d->rows.count() : -1; }

int Recordset::AbsolutePosition() const {
  return d->open && d->pos >= 0 && d->pos < d->rows.count() ? d->pos : -1;
}

void Recordset::setAbsolutePosition(int position) {
  d->requireOpen();
  if (d->forwardOnly && position >= 0 && position == AbsolutePosition()) return;
  d->requireScrollable();
  if (position < 0 || position >= d->rows.count())
    throw DbError(DbError::InvalidState, QString("Posizione %1 fuori dall'elenco.").arg(position));
  if (position == d->pos) return;
  d->writePending();
  d->pos = position;
}

void Recordset::MoveFirst() {
  d->requireOpen();
  if (d->pos > 0) d->requireScrollable();
  d->writePending();
  d->pos = 0;
}

void Recordset::MoveLast() {
  d->requireOpen();
  d->requireScrollable();
  d->writePending();
  d->pos = std::max(0, d->rows.count() - 1);
}

void Recordset::MoveNext() {
  d->requireOpen();
  if (isEOF()) throw DbError(DbError::InvalidState, "Impossibile andare oltre la fine del recordset.");
  d->writePending();
  ++d->pos;
  // A forward-only list lets the values of the rows it passed go.
  if (d->forwardOnly && d->pos < d->rows.count()) d->rows.dropValuesBefore(d->pos);
}

void Recordset::MovePrevious() {
  d->requireOpen();
  d->requireScrollable();
  if (isBOF()) throw DbError(DbError::InvalidState, "Impossibile andare prima dell'inizio del recordset.");
  d->writePending();
  --d->pos;
}

int Recordset::FieldCount() const { return d->open ? d->rows.columnCount() : 0; }

const FieldInfo& Recordset::Field(int index) const {
  d->requireOpen();
  return d->rows.column(d->column(index)).info;
}

int Recordset::FieldIndex(const QString& name) const { return d->fieldIndex.value(name.toLower(), -1); }

QStringList Recordset::FieldNames() const {
  QStringList names;
  for (int c = 0; c < FieldCount(); ++c) names << d->rows.column(c).info.name;
  return names;
}

Variant Recordset::Value(int index) const {
  d->requireCurrent();
  return d->rows.value(d->pos, d->column(index));
}

Variant Recordset::Value(const QString& name) const {
  d->requireCurrent();
  return d->rows.value(d->pos, d->column(name));
}

const Variant& Recordset::ValueAt(int row, int column) const {
  d->requireOpen();
  if (row < 0 || row >= d->rows.count() || (d->forwardOnly && row != d->pos))
    throw DbError(DbError::InvalidState, QString("Riga %1 fuori dall'elenco.").arg(row));
  return d->rows.value(row, d->column(column));
}

bool Recordset::Updatable() const { return d->open && d->updatable; }

QString Recordset::source() const { return d->source; }

QString Recordset::baseTable() const { return d->updatable ? d->shape.singleTable : QString(); }

}  // namespace db
