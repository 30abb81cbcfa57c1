#include "platform/db/Connection.h"

#include <sqlite3.h>

#include <QFileInfo>
#include <QStringList>

#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/Session_p.h"

namespace db {

namespace {

[[noreturn]] void openFailed(const QString& text, DbError::Code code = DbError::OpenFailed) {
  throw DbError(code, text);
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
      i = close < 0 ? n : connectionString.indexOf(';', close);
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
  const QFileInfo file(path);
  if (!file.isFile()) openFailed("Database non trovato: " + path);

  std::shared_ptr<Handle> handle = Handle::shared(path, m_busyTimeoutMs);
  // Checked on every open: a shared handle opened before keeps the write access it had.
  if (!file.isWritable())
    openFailed("Il database " + path + " è in sola lettura: impossibile lavorarci.", DbError::ReadOnly);
  // Every write needs its journal beside the file.
  if (!QFileInfo(file.absolutePath()).isWritable())
    openFailed("Il database " + path + " si trova in una cartella in sola lettura: impossibile lavorarci.",
               DbError::ReadOnly);
  d->session = std::make_shared<Session>(std::move(handle), m_busyTimeoutMs);
}

void Connection::setBusyTimeout(int ms) {
  m_busyTimeoutMs = ms;
  if (d->session) d->session->setBusyTimeout(ms);
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
  const QString sqliteSql = translateJet(jetSql);
  for (;;) {
    Statement statement = s.prepare(sqliteSql, false);
    const bool reads = sqlite3_stmt_readonly(statement.get());
    // A write outside a transaction runs in one of its own, begun only on the file as it is now.
    const bool own = !reads && sqlite3_get_autocommit(s.handle());
    if (own && !s.beginWrite()) continue;
    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
    }
    const int changed = reads ? 0 : sqlite3_changes(s.handle());
    if (rc == SQLITE_DONE && own) rc = sqlite3_step(s.prepare("COMMIT").get());
    if (rc != SQLITE_DONE) {
      const QString detail = s.use().errorText();
      if (own) sqlite3_exec(s.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
      s.use().fail(rc, "Errore nel comando SQL:\n" + jetSql, detail);
    }
    return changed;
  }
}

void Connection::BeginTrans() { session()->beginTrans(); }

void Connection::CommitTrans() { session()->commitTrans(); }

void Connection::RollbackTrans() { session()->rollbackTrans(); }

bool Connection::InTransaction() const { return IsOpen() && d->session->transactionDepth() > 0; }

QStringList Connection::tableNames() const {
  Session& s = *session();
  Statement statement = s.prepare(
      "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
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
