#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "tests/db/DbTestSupport.h"
#include "tests/support/TestEnv.h"
#include "tests/support/WithoutRootOverride.h"

using db::Connection;
using db::DbError;

namespace {

DbError::Code openError(const QString& path) {
  Connection c;
  try {
    c.Open(testenv::connectionString(path));
  } catch (const DbError& e) {
    EXPECT_FALSE(e.description().isEmpty());
    EXPECT_FALSE(c.IsOpen());
    return e.code();
  }
  return DbError::Code(0);
}

QString fileWith(const QByteArray& content) {
  const QString path = testenv::homeDir() + "/dbs/" + QString::number(qHash(content)) + ".mdb";
  QDir().mkpath(testenv::homeDir() + "/dbs");
  QFile f(path);
  f.open(QIODevice::WriteOnly | QIODevice::Truncate);
  f.write(content);
  return path;
}

}  // namespace

TEST(ConnectionOpen, RefusesAnythingButTheProgramsDatabaseAndCreatesNothing) {
  const QString missing = testenv::homeDir() + "/dbs/non-esiste.mdb";
  EXPECT_EQ(openError(missing), DbError::OpenFailed);
  EXPECT_FALSE(QFileInfo::exists(missing)) << "opening must never create a database";

  EXPECT_EQ(openError(fileWith("questo non è un database, solo testo\n")), DbError::OpenFailed);
  EXPECT_EQ(openError(fileWith(QByteArray())), DbError::OpenFailed);

  const QString foreign = fileWith(QByteArray());
  testdb::exec(foreign, "CREATE TABLE Commesse (CodCom TEXT)");
  EXPECT_EQ(openError(foreign), DbError::OpenFailed) << "a database without the program's tables";

  Connection noSource;
  EXPECT_THROW(noSource.Open("Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False"), DbError);
}

TEST(ConnectionOpen, RefusesAReadOnlyFile) {
  const QString path = testenv::freshDatabase();
  QFile::setPermissions(path, QFile::ReadOwner);
  DbError::Code error = DbError::Code(0);
  runWithoutRootOverride([&] { error = openError(path); });
  EXPECT_EQ(error, DbError::ReadOnly);
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  EXPECT_EQ(openError(path), DbError::Code(0)) << "the same file opens once it is writable";
}

TEST(ConnectionOpen, ReadsOnlyTheDataSourceOfTheConnectionString) {
  const QString path = testenv::freshDatabase();
  EXPECT_EQ(Connection::dataSource("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path +
                                   ";Persist Security Info=False"),
            path);
  EXPECT_EQ(Connection::dataSource("Provider=x; data source = \"/tmp/a;b.mdb\" ;Mode=1"), "/tmp/a;b.mdb");
  EXPECT_EQ(Connection::dataSource("Provider=x"), QString());
  Connection c;
  c.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=False");
  EXPECT_TRUE(c.IsOpen());
  EXPECT_EQ(c.path(), path);
  EXPECT_THROW(c.Open(testenv::connectionString(path)), DbError) << "already open";
  c.Close();
  EXPECT_FALSE(c.IsOpen());
  EXPECT_THROW(c.Execute("DELETE * FROM Costi"), DbError);
}

class ConnectionWork : public dbtest::SeededDb {};

TEST_F(ConnectionWork, ExecuteTranslatesJetAndCountsChangedRows) {
  EXPECT_EQ(conn.Execute("DELETE * FROM Costi WHERE Data=#03/05/24#"), 3);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi"), 3);
  EXPECT_EQ(conn.Execute("SELECT * FROM Costi"), 0);
  EXPECT_EQ(conn.Execute("UPDATE Commesse SET Commesse.Chiusa = True WHERE CodCom='C001'"), 1);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Commesse WHERE Chiusa=1"), 2);
}

TEST_F(ConnectionWork, ExecuteRefusesBadOrStackedStatementsAndChangesNothing) {
  try {
    conn.Execute("DELETE * FROM Costi; DELETE * FROM Commesse");
    FAIL() << "two statements in one text must be refused";
  } catch (const DbError& e) {
    EXPECT_EQ(e.code(), DbError::SqlError);
  }
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi"), 6);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Commesse"), 2);
  EXPECT_THROW(conn.Execute("DELETE * FROM Tabella_Inesistente"), DbError);
  EXPECT_THROW(conn.Execute("SELECT * FROM Costi WHERE Nome='aperto"), DbError);
  EXPECT_THROW(conn.Execute(""), DbError);
}

TEST_F(ConnectionWork, TransactionsCommitRollBackAndNest) {
  conn.BeginTrans();
  EXPECT_TRUE(conn.InTransaction());
  conn.Execute("DELETE * FROM Costi WHERE CodCom='C001'");
  conn.Execute("DELETE * FROM Commesse WHERE CodCom='C001'");
  conn.RollbackTrans();
  EXPECT_FALSE(conn.InTransaction());
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi"), 6);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Commesse"), 2);

  conn.BeginTrans();
  conn.Execute("DELETE * FROM Costi WHERE CodCom='C002'");
  conn.BeginTrans();
  conn.Execute("DELETE * FROM Commesse WHERE CodCom='C002'");
  conn.RollbackTrans();  // the inner level only
  conn.CommitTrans();
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi WHERE CodCom='C002'"), 0);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Commesse WHERE CodCom='C002'"), 1);

  EXPECT_THROW(conn.CommitTrans(), DbError) << "no transaction is open";
  EXPECT_THROW(conn.RollbackTrans(), DbError);
}

TEST_F(ConnectionWork, ClosingWithAnOpenTransactionRollsItBack) {
  conn.BeginTrans();
  conn.Execute("DELETE * FROM Costi");
  conn.Close();
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi"), 6);
  // The handle stays pooled without the transaction: another program writes at once.
  testdb::exec(path, "DELETE FROM Costi WHERE IdCosto = 1");
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi"), 5);
}

TEST_F(ConnectionWork, ALockedFileFailsWithABusyErrorAfterWaiting) {
  conn.setBusyTimeout(50);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  try {
    conn.Execute("DELETE * FROM Costi");
    ADD_FAILURE() << "the write must fail while another program holds the file";
  } catch (const DbError& e) {
    EXPECT_EQ(e.code(), DbError::Busy);
    EXPECT_TRUE(e.description().contains("in uso")) << e.description().toStdString();
  }
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_EQ(conn.Execute("DELETE * FROM Costi"), 6) << "the connection works again once the file is free";
}

TEST_F(ConnectionWork, TableNamesListTheTablesInCreationOrderWithoutViewsOrSQLitesOwn) {
  const QStringList programFolder = {"Commesse", "CommessePre", "PreModelli", "PreVoci",
                                     "Costi",    "CliFor",      "Impiegati",  "Articoli",
                                     "Liste",    "CodiciIVA",   "Attivita",   "_Pars"};
  EXPECT_EQ(conn.tableNames(), programFolder) << "no costi_prev_sum, no sqlite_sequence";

  testdb::exec(path, "CREATE TABLE Zeta (a TEXT)");
  testdb::exec(path, "CREATE TABLE Alfa (a TEXT)");
  testdb::exec(path, "CREATE VIEW Vista AS SELECT * FROM Zeta");
  testdb::exec(path, "ANALYZE");
  EXPECT_EQ(testdb::count(path, "SELECT * FROM sqlite_master WHERE name = 'sqlite_stat1'"), 1);
  EXPECT_EQ(conn.tableNames(), (programFolder + QStringList{"Zeta", "Alfa"}));

  conn.Close();
  EXPECT_THROW(conn.tableNames(), DbError);
}
