#include "platform/db/Session_p.h"

#include <sqlite3.h>

#include <algorithm>

#include "platform/db/DbError.h"

namespace db {

namespace {

constexpr int kMaxCachedStatements = 64;

QString quoted(const QString& name) { return '"' + QString(name).replace('"', "\"\"") + '"'; }

// "NOT NULL constraint failed: Commesse.CodCom" -> "CodCom".
QString failedColumn(const QString& message) {
  const QString target = message.section(':', -1).trimmed();
  return target.section('.', -1);
}

}  // namespace

int TableInfo::columnIndex(const QString& columnName) const {
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (columns[i].name.compare(columnName, Qt::CaseInsensitive) == 0) return int(i);
  return -1;
}

Statement::~Statement() {
  if (!m_cached) {
    sqlite3_finalize(m_statement);
    return;
  }
  sqlite3_reset(m_statement);
  sqlite3_clear_bindings(m_statement);
  m_owner->giveBack(m_statement);
}

Session::Session(sqlite3* db, const QString& path) : m_db(db), m_path(path) {}

Session::~Session() { close(); }

void Session::close() {
  if (!m_db) return;
  for (const CachedStatement& c : std::as_const(m_statements)) sqlite3_finalize(c.statement);
  m_statements.clear();
  if (m_depth > 0 && !sqlite3_get_autocommit(m_db)) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
  m_depth = 0;
  sqlite3_close_v2(m_db);
  m_db = nullptr;
}

void Session::requireOpen() const {
  if (!m_db) throw DbError(DbError::InvalidState, "La connessione al database è chiusa.");
}

void Session::fail(int rc, const QString& action) const {
  const QString detail = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
  DbError::Code code = DbError::SqlError;
  QString text;
  switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      code = DbError::Busy;
      text = "Il database è in uso da un altro utente o programma. Riprovare tra poco.";
      break;
    case SQLITE_READONLY:
      code = DbError::ReadOnly;
      text = "Il database è in sola lettura: impossibile salvare le modifiche.";
      break;
    case SQLITE_FULL:
      text = "Spazio su disco esaurito: impossibile salvare le modifiche.";
      break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      text = "Il database è danneggiato.";
      break;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
      text = "Errore di lettura o scrittura sul file del database.";
      break;
    case SQLITE_CONSTRAINT:
      // A refusal is told in the user's words only, naming the field.
      if (rc == SQLITE_CONSTRAINT_PRIMARYKEY || rc == SQLITE_CONSTRAINT_UNIQUE) {
        const QString field = failedColumn(detail);
        throw DbError(DbError::Duplicate, "Esiste già una registrazione con questo valore di " + field + ".", field);
      }
      if (rc == SQLITE_CONSTRAINT_NOTNULL) {
        const QString field = failedColumn(detail);
        throw DbError(DbError::Required, "Il campo " + field + " è obbligatorio.", field);
      }
      code = DbError::Constraint;
      text = "Impossibile salvare: i dati violano una regola del database.";
      break;
    default:
      text = action;
  }
  throw DbError(code, text + " [" + detail + "]");
}

Statement Session::prepare(const QString& sqliteSql, bool keep) {
  requireOpen();
  const auto cached = m_statements.find(sqliteSql);
  if (cached != m_statements.end() && !cached->inUse) {
    cached->inUse = true;
    return Statement(this, cached->statement, true);
  }
  const QByteArray utf8 = sqliteSql.toUtf8();
  sqlite3_stmt* statement = nullptr;
  const char* tail = nullptr;
  const int rc = sqlite3_prepare_v3(m_db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                                    &statement, &tail);
  if (rc != SQLITE_OK) fail(rc, "Errore nel comando SQL:\n" + sqliteSql);
  if (!statement) throw DbError(DbError::SqlError, "Il comando SQL è vuoto.");
  if (QByteArray(tail).trimmed().replace(';', "").size() > 0) {
    sqlite3_finalize(statement);
    throw DbError(DbError::SqlError, "Il comando SQL contiene più di un'istruzione:\n" + sqliteSql);
  }
  if (!keep || cached != m_statements.end()) return Statement(this, statement, false);
  if (m_statements.size() >= kMaxCachedStatements) {
    for (auto it = m_statements.begin(); it != m_statements.end();) {
      if (it->inUse) {
        ++it;
        continue;
      }
      sqlite3_finalize(it->statement);
      it = m_statements.erase(it);
    }
  }
  m_statements.insert(sqliteSql, {statement, true});
  return Statement(this, statement, true);
}

void Session::giveBack(sqlite3_stmt* statement) {
  for (CachedStatement& c : m_statements) {
    if (c.statement == statement) {
      c.inUse = false;
      return;
    }
  }
}

void Session::exec(const QString& sql) {
  Statement statement = prepare(sql);
  const int rc = sqlite3_step(statement.get());
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) fail(rc, "Errore nel comando " + sql + ".");
}

const TableInfo* Session::table(const QString& name) {
  const QString key = name.toLower();
  auto it = m_tables.find(key);
  if (it == m_tables.end()) {
    std::optional<TableInfo> info = loadTable(name);
    it = m_tables.insert(key, info ? std::make_shared<TableInfo>(std::move(*info)) : nullptr);
  }
  return it->get();
}

std::optional<TableInfo> Session::loadTable(const QString& name) {
  requireOpen();
  TableInfo info;
  QString viewSql;
  {
    Statement master = prepare("SELECT name, type, sql FROM sqlite_master WHERE type IN ('table','view') "
                               "AND name = ?1 COLLATE NOCASE");
    const QByteArray utf8 = name.toUtf8();
    sqlite3_bind_text(master.get(), 1, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(master.get());
    if (rc == SQLITE_DONE) return std::nullopt;
    if (rc != SQLITE_ROW) fail(rc, "Impossibile leggere la struttura del database.");
    info.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(master.get(), 0)));
    info.isView = qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(master.get(), 1)), "view") == 0;
    viewSql = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(master.get(), 2)));
  }
  std::vector<std::pair<int, int>> keys;  // (position in key, column)
  {
    Statement columns = prepare("PRAGMA table_info(" + quoted(info.name) + ")");
    int rc;
    while ((rc = sqlite3_step(columns.get())) == SQLITE_ROW) {
      TableColumn column;
      column.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(columns.get(), 1)));
      column.type = columnTypeFromDeclared(
          QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(columns.get(), 2))));
      if (const int pk = sqlite3_column_int(columns.get(), 5); pk > 0) keys.emplace_back(pk, int(info.columns.size()));
      info.columns.push_back(column);
    }
    if (rc != SQLITE_DONE) fail(rc, "Impossibile leggere la struttura del database.");
  }
  std::sort(keys.begin(), keys.end());
  for (const auto& key : keys) info.keyColumns.push_back(key.second);
  if (info.isView) {
    // Aggregated columns of a saved query take the type of the column they aggregate.
    m_tables.insert(name.toLower(), nullptr);
    const QueryShape shape = analyzeSelect(viewSql);
    for (TableColumn& column : info.columns)
      if (column.type.kind == ColumnKind::Computed) column.type = inferredType(shape, column.name);
    m_tables.remove(name.toLower());
  }
  return info;
}

ColumnType Session::inferredType(const QueryShape& shape, const QString& columnName) {
  const auto it = shape.aggregates.constFind(columnName.toLower());
  if (it == shape.aggregates.constEnd()) return viewColumnType(shape, columnName);
  const ColumnRef& ref = *it;
  const QStringList candidates = ref.table.isEmpty() ? shape.names : QStringList{ref.table};
  for (const QString& candidate : candidates) {
    const TableInfo* info = table(candidate);
    if (!info) continue;
    const int index = info->columnIndex(ref.column);
    if (index < 0) continue;
    ColumnType type = info->columns[std::size_t(index)].type;
    const bool sums = ref.function == "SUM";
    if (sums && (type.kind == ColumnKind::Int16 || type.kind == ColumnKind::Boolean))
      return columnTypeOfValues(ColumnKind::Int32);
    if (sums && type.kind != ColumnKind::Int32 && type.kind != ColumnKind::Double &&
        type.kind != ColumnKind::Currency)
      return {};
    return type;
  }
  return {};
}

ColumnType Session::viewColumnType(const QueryShape& shape, const QString& columnName) {
  for (const QString& candidate : shape.names) {
    const TableInfo* info = table(candidate);
    if (!info || !info->isView) continue;
    const int index = info->columnIndex(columnName);
    if (index >= 0) return info->columns[std::size_t(index)].type;
  }
  return {};
}

void Session::beginTrans() {
  requireOpen();
  exec(m_depth == 0 ? QString("BEGIN IMMEDIATE") : QString("SAVEPOINT trans%1").arg(m_depth));
  ++m_depth;
}

void Session::commitTrans() {
  requireOpen();
  if (m_depth == 0) throw DbError(DbError::InvalidState, "Nessuna transazione aperta da confermare.");
  if (sqlite3_get_autocommit(m_db)) {
    m_depth = 0;
    throw DbError(DbError::SqlError, "La transazione è stata annullata dal database: nessuna modifica è stata salvata.");
  }
  exec(m_depth == 1 ? QString("COMMIT") : QString("RELEASE trans%1").arg(m_depth - 1));
  --m_depth;
}

void Session::rollbackTrans() {
  requireOpen();
  if (m_depth == 0) throw DbError(DbError::InvalidState, "Nessuna transazione aperta da annullare.");
  if (sqlite3_get_autocommit(m_db)) {
    m_depth = 0;
    return;
  }
  if (m_depth == 1) {
    exec("ROLLBACK");
  } else {
    const QString name = QString("trans%1").arg(m_depth - 1);
    exec("ROLLBACK TO " + name);
    exec("RELEASE " + name);
  }
  --m_depth;
}

WriteScope::WriteScope(Session& session)
    : m_session(session), m_savepoint(!sqlite3_get_autocommit(session.handle())) {
  m_session.exec(m_savepoint ? "SAVEPOINT recordset_write" : "BEGIN IMMEDIATE");
}

WriteScope::~WriteScope() {
  if (m_done || !m_session.isOpen() || sqlite3_get_autocommit(m_session.handle())) return;
  sqlite3* db = m_session.handle();
  if (m_savepoint)
    sqlite3_exec(db, "ROLLBACK TO recordset_write; RELEASE recordset_write", nullptr, nullptr, nullptr);
  else
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
}

void WriteScope::commit() {
  m_session.exec(m_savepoint ? "RELEASE recordset_write" : "COMMIT");
  m_done = true;
}

}  // namespace db
