#include "platform/db/Connection.h"

#include <sqlite3.h>

#include <QFileInfo>
#include <QStringList>

#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/Session_p.h"
#include "platform/db/SqlFunctions.h"

namespace db {

namespace {

const QStringList& programTables() {
  static const QStringList names = {"Commesse", "CommessePre", "Costi",     "PreModelli",
                                    "PreVoci",  "CliFor",      "Impiegati", "Articoli",
                                    "Liste",    "CodiciIVA",   "Attivita",  "_Pars",
                                    "costi_prev_sum"};
  return names;
}

[[noreturn]] void openFailed(const QString& text, sqlite3* db = nullptr,
                             DbError::Code code = DbError::OpenFailed) {
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
    throw DbError(DbError::Busy, "Il database " + path +
                                     " è bloccato da un altro programma. Riprovare tra poco.");
  }
  if (rc != SQLITE_DONE) openFailed("Il file " + path + " non è un database valido o è danneggiato.", db);
  return names;
}

}  // namespace

struct Connection::Impl {
  std::shared_ptr<Session> session;
};

Connection::Connection() : d(std::make_unique<Impl>()) {}

Connection::~Connection() { Close(); }

QString Connection::dataSource(const QString& connectionString) {
  // key=value pairs separated by ';'; a value in quotes may hold a ';'.
  qsizetype i = 0;
  const qsizetype n = connectionString.size();
  while (i < n) {
    const qsizetype eq = connectionString.indexOf('=', i);
    if (eq < 0) break;
    const QString key = connectionString.mid(i, eq - i).trimmed();
    qsizetype v = eq + 1;
    while (v < n && connectionString[v].isSpace()) ++v;
    QString value;
    if (v < n && (connectionString[v] == '"' || connectionString[v] == '\'')) {
      const qsizetype close = connectionString.indexOf(connectionString[v], v + 1);
      value = connectionString.mid(v + 1, (close < 0 ? n : close) - v - 1);
      i = close < 0 ? n : connectionString.indexOf(';', close) ;
    } else {
      const qsizetype semicolon = connectionString.indexOf(';', v);
      value = connectionString.mid(v, (semicolon < 0 ? n : semicolon) - v).trimmed();
      i = semicolon;
    }
    if (key.compare("Data Source", Qt::CaseInsensitive) == 0) return value;
    if (i < 0) break;
    ++i;
  }
  return {};
}

void Connection::Open(const QString& connectionString) {
  if (IsOpen()) throw DbError(DbError::InvalidState, "La connessione è già aperta.");
  const QString path = dataSource(connectionString);
  if (path.isEmpty()) openFailed("La stringa di connessione non indica il file del database.");
  if (!QFileInfo(path).isFile()) openFailed("Database non trovato: " + path);

  sqlite3* db = nullptr;
  // A connection is used by one thread at a time, so SQLite need not lock around every call.
  if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
      SQLITE_OK)
    openFailed("Impossibile aprire il database " + path + ".", db);
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, m_busyTimeoutMs);

  const QStringList names = storedNames(db, path);
  if (sqlite3_db_readonly(db, "main") == 1)
    openFailed("Il database " + path + " è in sola lettura: impossibile lavorarci.", db, DbError::ReadOnly);
  // Every write needs its journal beside the file.
  if (!QFileInfo(QFileInfo(path).absolutePath()).isWritable())
    openFailed("Il database " + path + " si trova in una cartella in sola lettura: impossibile lavorarci.", db,
               DbError::ReadOnly);
  QStringList missing;
  for (const QString& table : programTables())
    if (!names.contains(table, Qt::CaseInsensitive)) missing << table;
  if (!missing.isEmpty())
    openFailed("Il file " + path + " non contiene le tabelle del programma (mancano: " + missing.join(", ") +
                   ").",
               db);

  registerSqlFunctions(db);
  d->session = std::make_shared<Session>(db, path);
}

void Connection::setBusyTimeout(int ms) {
  m_busyTimeoutMs = ms;
  if (IsOpen()) sqlite3_busy_timeout(handle(), ms);
}

void Connection::Close() {
  if (!d->session) return;
  d->session->close();
  d->session.reset();
}

bool Connection::IsOpen() const { return d->session && d->session->isOpen(); }

std::shared_ptr<Session> Connection::session() const {
  if (!IsOpen()) throw DbError(DbError::InvalidState, "La connessione al database non è aperta.");
  return d->session;
}

int Connection::Execute(const QString& jetSql) {
  Session& s = *session();
  Statement statement = s.prepare(translateJet(jetSql), false);
  int rc;
  while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) s.fail(rc, "Errore nel comando SQL:\n" + jetSql);
  return sqlite3_stmt_readonly(statement.get()) ? 0 : sqlite3_changes(s.handle());
}

void Connection::BeginTrans() { session()->beginTrans(); }

void Connection::CommitTrans() { session()->commitTrans(); }

void Connection::RollbackTrans() { session()->rollbackTrans(); }

bool Connection::InTransaction() const { return IsOpen() && d->session->transactionDepth() > 0; }

QStringList Connection::tableNames() const {
  Session& s = *session();
  Statement statement =
      s.prepare("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                "ORDER BY rowid",
                false);
  QStringList names;
  int rc;
  while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW)
    names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), 0)));
  if (rc != SQLITE_DONE) s.fail(rc, "Impossibile leggere l'elenco delle tabelle del database.");
  return names;
}

QString Connection::path() const { return d->session ? d->session->path() : QString(); }

sqlite3* Connection::handle() const { return IsOpen() ? d->session->handle() : nullptr; }

}  // namespace db
