#include "platform/db/Session_p.h"

#include <sqlite3.h>

#include "platform/db/DbError.h"

namespace db {

Session::Session(std::shared_ptr<Handle> handle, int busyTimeoutMs)
    : m_handle(std::move(handle)), m_busyTimeoutMs(busyTimeoutMs) {}

Session::~Session() { close(); }

void Session::close() {
  if (!m_handle) return;
  if (m_depth > 0) {
    if (!sqlite3_get_autocommit(m_handle->db()))
      sqlite3_exec(m_handle->db(), "ROLLBACK", nullptr, nullptr, nullptr);
    endTransaction();
  }
  m_handle.reset();
}

void Session::requireOpen() const {
  if (!m_handle) throw DbError(DbError::InvalidState, "La connessione al database è chiusa.");
}

Handle& Session::use() {
  requireOpen();
  if (m_handle->transactionOwner && m_handle->transactionOwner != this)
    m_handle = Handle::separate(m_handle->path(), m_busyTimeoutMs);
  m_handle->reopenIfReplaced();
  if (m_handle->busyTimeout != m_busyTimeoutMs) {
    sqlite3_busy_timeout(m_handle->db(), m_busyTimeoutMs);
    m_handle->busyTimeout = m_busyTimeoutMs;
  }
  return *m_handle;
}

void Session::endTransaction() {
  m_depth = 0;
  if (m_handle->transactionOwner == this) m_handle->transactionOwner = nullptr;
}

bool Session::beginWrite() {
  Handle& handle = use();
  handle.exec("BEGIN IMMEDIATE");
  if (!handle.checkReplaced()) return true;
  handle.exec("ROLLBACK");
  return false;
}

void Session::beginTrans() {
  if (m_depth == 0)
    while (!beginWrite()) {
    }
  else
    use().exec(QString("SAVEPOINT trans%1").arg(m_depth));
  m_handle->transactionOwner = this;
  ++m_depth;
}

void Session::commitTrans() {
  Handle& handle = use();
  if (m_depth == 0) throw DbError(DbError::InvalidState, "Nessuna transazione aperta da confermare.");
  if (sqlite3_get_autocommit(handle.db())) {
    endTransaction();
    throw DbError(DbError::SqlError,
                  "La transazione è stata annullata dal database: nessuna modifica è stata salvata.");
  }
  handle.exec(m_depth == 1 ? QString("COMMIT") : QString("RELEASE trans%1").arg(m_depth - 1));
  if (--m_depth == 0) endTransaction();
}

void Session::rollbackTrans() {
  Handle& handle = use();
  if (m_depth == 0) throw DbError(DbError::InvalidState, "Nessuna transazione aperta da annullare.");
  if (sqlite3_get_autocommit(handle.db())) {
    endTransaction();
    return;
  }
  if (m_depth == 1) {
    handle.exec("ROLLBACK");
  } else {
    const QString name = QString("trans%1").arg(m_depth - 1);
    handle.exec("ROLLBACK TO " + name);
    handle.exec("RELEASE " + name);
  }
  if (--m_depth == 0) endTransaction();
}

WriteScope::WriteScope(Session& session)
    : m_session(session), m_savepoint(!sqlite3_get_autocommit(session.handle())) {
  if (m_savepoint) {
    m_session.exec("SAVEPOINT recordset_write");
    return;
  }
  // The rows were read from the file that was there before: they are not written into another.
  if (!m_session.beginWrite())
    throw DbError(DbError::Conflict,
                  "Impossibile salvare: il file del database è stato sostituito da un altro programma. "
                  "Rileggere i dati e riprovare.");
}

WriteScope::~WriteScope() {
  if (m_done || !m_session.isOpen()) return;
  sqlite3* db = m_session.handle();
  if (sqlite3_get_autocommit(db)) return;
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
