#include "platform/db/Handle_p.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <QFileInfo>
#include <QStringList>
#include <algorithm>

#include "platform/db/DbError.h"
#include "platform/db/SqlFunctions.h"

namespace db {

namespace {

constexpr int kMaxCachedStatements = 64;
// Idle handles kept open per thread: enough for the program's one file and a few a test may add.
constexpr std::size_t kPooledHandles = 4;

QString quoted(const QString& name) { return '"' + QString(name).replace('"', "\"\"") + '"'; }

// "NOT NULL constraint failed: Commesse.CodCom" -> "CodCom".
QString failedColumn(const QString& message) {
  const QString target = message.section(':', -1).trimmed();
  return target.section('.', -1);
}

const QStringList& programTables() {
  static const QStringList names = {"Commesse", "CommessePre", "Costi",         "PreModelli", "PreVoci",
                                    "CliFor",   "Impiegati",   "Articoli",      "Liste",      "CodiciIVA",
                                    "Attivita", "_Pars",       "costi_prev_sum"};
  return names;
}

[[noreturn]] void openFailed(const QString& text, sqlite3* db, DbError::Code code = DbError::OpenFailed) {
  QString detail;
  if (db) {
    if (code == DbError::OpenFailed) detail = " [" + QString::fromUtf8(sqlite3_errmsg(db)) + "]";
    sqlite3_close_v2(db);
  }
  throw DbError(code, text + detail);
}

// The names of the tables and views in the file; a file that is no database fails here.
QStringList storedNames(sqlite3* db, const QString& path) {
  sqlite3_stmt* statement = nullptr;
  int rc = sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type IN ('table','view')", -1,
                              &statement, nullptr);
  QStringList names;
  if (rc == SQLITE_OK) {
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
      names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
  }
  sqlite3_finalize(statement);
  if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
    sqlite3_close_v2(db);
    throw DbError(DbError::Busy,
                  "Il database " + path + " è bloccato da un altro programma. Riprovare tra poco.");
  }
  if (rc != SQLITE_DONE) openFailed("Il file " + path + " non è un database valido o è danneggiato.", db);
  return names;
}

// A database of the program that this process can write: throws DbError and closes db otherwise.
void checkDatabase(sqlite3* db, const QString& path) {
  const QStringList names = storedNames(db, path);
  if (sqlite3_db_readonly(db, "main") == 1)
    openFailed("Il database " + path + " è in sola lettura: impossibile lavorarci.", db, DbError::ReadOnly);
  QStringList missing;
  for (const QString& table : programTables())
    if (!names.contains(table, Qt::CaseInsensitive)) missing << table;
  if (!missing.isEmpty())
    openFailed(
        "Il file " + path + " non contiene le tabelle del programma (mancano: " + missing.join(", ") + ").",
        db);
}

std::vector<std::shared_ptr<Handle>>& pool() {
  thread_local std::vector<std::shared_ptr<Handle>> handles;
  return handles;
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

std::shared_ptr<const ColumnSet> Statement::columns() const {
  return m_cached ? m_owner->m_columnSets.value(m_statement) : nullptr;
}

void Statement::keepColumns(std::shared_ptr<const ColumnSet> columns) const {
  if (m_cached) m_owner->m_columnSets.insert(m_statement, std::move(columns));
}

Handle::Handle(sqlite3* db, const QString& path) : m_db(db), m_path(path), m_localPath(path.toLocal8Bit()) {
  readFileIdentity();
}

void Handle::readFileIdentity() {
  struct stat info {};
  if (::stat(m_localPath.constData(), &info) == 0) {
    m_device = info.st_dev;
    m_inode = info.st_ino;
  }
}

Handle::~Handle() {
  finalizeStatements();
  if (!sqlite3_get_autocommit(m_db)) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close_v2(m_db);
}

std::shared_ptr<Handle> Handle::open(const QString& path, int busyTimeoutMs, bool check) {
  std::shared_ptr<Handle> handle(new Handle(openDatabase(path, busyTimeoutMs, check), path));
  handle->busyTimeout = busyTimeoutMs;
  handle->refreshSchema();
  return handle;
}

sqlite3* Handle::openDatabase(const QString& path, int busyTimeoutMs, bool check) {
  sqlite3* db = nullptr;
  // A handle is used by one thread at a time, so SQLite need not lock around every call.
  if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK)
    openFailed("Impossibile aprire il database " + path + ".", db);
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, busyTimeoutMs);
  if (check) checkDatabase(db, path);
  registerSqlFunctions(db);
  return db;
}

void Handle::reopenIfReplaced() {
  if (!m_replaced) return;
  if (!sqlite3_get_autocommit(m_db))
    throw DbError(DbError::OpenFailed,
                  "Il file del database " + m_path +
                      " è stato sostituito da un altro programma durante una transazione.");
  for (const CachedStatement& c : std::as_const(m_statements))
    if (c.inUse) return;
  sqlite3* db = openDatabase(m_path, busyTimeout, true);
  finalizeStatements();
  m_tables.clear();
  sqlite3_close_v2(m_db);
  m_db = db;
  m_replaced = false;
  m_schemaVersion = -1;
  readFileIdentity();
  refreshSchema();
}

std::shared_ptr<Handle> Handle::shared(const QString& path, int busyTimeoutMs) {
  std::vector<std::shared_ptr<Handle>>& handles = pool();
  const auto found =
      std::find_if(handles.begin(), handles.end(), [&](const auto& h) { return h->m_path == path; });
  if (found != handles.end()) {
    std::shared_ptr<Handle> handle = *found;
    handles.erase(found);
    // A replaced file, changed tables or a failing look are met as on a first open, which tells why.
    bool reusable = false;
    try {
      reusable = handle->sameFile() && !handle->refreshSchema();
    } catch (const DbError&) {
    }
    if (reusable) {
      handles.push_back(handle);
      return handle;
    }
  }
  std::shared_ptr<Handle> handle = open(path, busyTimeoutMs, true);
  handles.push_back(handle);
  if (handles.size() > kPooledHandles) handles.erase(handles.begin());
  return handle;
}

std::shared_ptr<Handle> Handle::separate(const QString& path, int busyTimeoutMs) {
  return open(path, busyTimeoutMs, false);
}

bool Handle::sameFile() const {
  // The handle keeps its file open, so no other file can take the same inode meanwhile.
  struct stat info {};
  return ::stat(m_localPath.constData(), &info) == 0 && info.st_dev == m_device && info.st_ino == m_inode;
}

QString Handle::errorText() const { return QString::fromUtf8(sqlite3_errmsg(m_db)); }

void Handle::fail(int rc, const QString& action, const QString& detail) const {
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
    case SQLITE_FULL: text = "Spazio su disco esaurito: impossibile salvare le modifiche."; break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: text = "Il database è danneggiato."; break;
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN: text = "Errore di lettura o scrittura sul file del database."; break;
    case SQLITE_CONSTRAINT:
      // A refusal is told in the user's words only, naming the field.
      if (rc == SQLITE_CONSTRAINT_PRIMARYKEY || rc == SQLITE_CONSTRAINT_UNIQUE) {
        const QString field = failedColumn(detail);
        throw DbError(DbError::Duplicate, "Esiste già una registrazione con questo valore di " + field + ".",
                      field);
      }
      if (rc == SQLITE_CONSTRAINT_NOTNULL) {
        const QString field = failedColumn(detail);
        throw DbError(DbError::Required, "Il campo " + field + " è obbligatorio.", field);
      }
      code = DbError::Constraint;
      text = "Impossibile salvare: i dati violano una regola del database.";
      break;
    default: text = action;
  }
  throw DbError(code, text + " [" + detail + "]");
}

Statement Handle::prepare(const QString& sqliteSql, bool keep) {
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
  if (m_statements.size() >= kMaxCachedStatements) dropIdleStatements();
  m_statements.insert(sqliteSql, {statement, true});
  return Statement(this, statement, true);
}

void Handle::finalizeStatements() {
  for (const CachedStatement& c : std::as_const(m_statements)) sqlite3_finalize(c.statement);
  m_statements.clear();
  m_columnSets.clear();
}

void Handle::dropIdleStatements() {
  for (auto it = m_statements.begin(); it != m_statements.end();) {
    if (it->inUse) {
      ++it;
      continue;
    }
    m_columnSets.remove(it->statement);
    sqlite3_finalize(it->statement);
    it = m_statements.erase(it);
  }
}

void Handle::giveBack(sqlite3_stmt* statement) {
  for (CachedStatement& c : m_statements) {
    if (c.statement == statement) {
      c.inUse = false;
      return;
    }
  }
}

void Handle::exec(const QString& sql) {
  Statement statement = prepare(sql);
  const int rc = sqlite3_step(statement.get());
  if (rc != SQLITE_DONE && rc != SQLITE_ROW) fail(rc, "Errore nel comando " + sql + ".");
}

QByteArray Handle::storedLayout() {
  Statement statement = prepare("SELECT group_concat(name || ' ' || rootpage) FROM sqlite_master");
  const int rc = sqlite3_step(statement.get());
  if (rc != SQLITE_ROW) fail(rc, "Impossibile leggere la struttura del database.");
  return QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
}

int Handle::storedSchemaVersion() {
  Statement statement = prepare("PRAGMA schema_version");
  const int rc = sqlite3_step(statement.get());
  if (rc != SQLITE_ROW) fail(rc, "Impossibile leggere la struttura del database.");
  return sqlite3_column_int(statement.get(), 0);
}

bool Handle::checkReplaced(int schemaVersion) {
  unsigned dataVersion = 0;
  sqlite3_file_control(m_db, "main", SQLITE_FCNTL_DATA_VERSION, &dataVersion);
  // Another file in the place of this one, or the same one written over with the same schema version
  // but its tables elsewhere, as a copy of a backup is.
  if (m_schemaVersion >= 0 && (!sameFile() || (schemaVersion == m_schemaVersion &&
                                               dataVersion != m_dataVersion && storedLayout() != m_layout)))
    m_replaced = true;
  m_dataVersion = dataVersion;
  return m_replaced;
}

bool Handle::refreshSchema() {
  const int version = storedSchemaVersion();
  if (checkReplaced(version)) return true;
  if (version == m_schemaVersion) return false;
  const bool changed = m_schemaVersion >= 0;
  m_schemaVersion = version;
  m_layout = storedLayout();
  m_tables.clear();
  // A kept statement would describe its columns as they were until it runs again ("SELECT *").
  dropIdleStatements();
  m_columnSets.clear();
  return changed;
}

const TableInfo* Handle::table(const QString& name) {
  const QString key = name.toLower();
  auto it = m_tables.find(key);
  if (it == m_tables.end()) {
    std::optional<TableInfo> info = loadTable(name);
    it = m_tables.insert(key, info ? std::make_shared<TableInfo>(std::move(*info)) : nullptr);
  }
  return it->get();
}

std::optional<TableInfo> Handle::loadTable(const QString& name) {
  TableInfo info;
  QString viewSql;
  {
    Statement master = prepare(
        "SELECT name, type, sql FROM sqlite_master WHERE type IN ('table','view') "
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
      if (const int pk = sqlite3_column_int(columns.get(), 5); pk > 0)
        keys.emplace_back(pk, int(info.columns.size()));
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

ColumnType Handle::inferredType(const QueryShape& shape, const QString& columnName) {
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

ColumnType Handle::viewColumnType(const QueryShape& shape, const QString& columnName) {
  for (const QString& candidate : shape.names) {
    const TableInfo* info = table(candidate);
    if (!info || !info->isView) continue;
    const int index = info->columnIndex(columnName);
    if (index >= 0) return info->columns[std::size_t(index)].type;
  }
  return {};
}

}  // namespace db
