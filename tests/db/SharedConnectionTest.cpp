// Several connections on one file, as the program's windows open them, and other programs on it.
#include <gtest/gtest.h>

#include <QFile>
#include <functional>

#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "tests/db/DbTestSupport.h"
#include "tests/support/TestEnv.h"

using namespace db;

namespace {

class SharedConnection : public dbtest::SeededDb {
 protected:
  void SetUp() override {
    SeededDb::SetUp();
    other.Open(testenv::connectionString(path));
    other.setBusyTimeout(50);
  }
  DbError::Code errorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const DbError& e) {
      EXPECT_FALSE(e.description().isEmpty());
      return e.code();
    }
    return DbError::Code(0);
  }
  Connection other;
};

const QString kNewCost =
    "INSERT INTO Costi (Classe, CodCom, Data, Quantita) VALUES (2, 'C002', #03/06/24#, 1)";

}  // namespace

TEST_F(SharedConnection, EachSeesTheOthersCommitsAndClosingOneLeavesTheOther) {
  other.Execute(kNewCost);
  EXPECT_EQ(testdb::count(conn, "SELECT * FROM Costi"), 7);

  Recordset left;
  left.Open("Liste", other, adOpenStatic, adLockBatchOptimistic);
  other.Close();
  EXPECT_EQ(testdb::count(conn, "SELECT * FROM Costi"), 7) << "closing one connection closes no other";
  left.AddNew();
  left.SetValue("Chiave", "um");
  EXPECT_EQ(errorOf([&] { left.UpdateBatch(); }), DbError::InvalidState);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Liste WHERE Chiave='um'"), 3);
}

TEST_F(SharedConnection, ATransactionIsItsConnectionsOwn) {
  Recordset openedBefore;
  openedBefore.Open("Liste", other, adOpenStatic, adLockBatchOptimistic);

  conn.BeginTrans();
  conn.Execute("DELETE * FROM Costi WHERE CodCom='C001'");
  EXPECT_EQ(testdb::count(conn, "SELECT * FROM Costi"), 1) << "the transaction sees its own work";
  EXPECT_EQ(testdb::count(other, "SELECT * FROM Costi"), 6)
      << "another connection sees only what is committed";
  EXPECT_FALSE(other.InTransaction());

  // Another connection's writes wait for the transaction, as another program's would, and fail visibly.
  EXPECT_EQ(errorOf([&] { other.Execute(kNewCost); }), DbError::Busy);
  EXPECT_EQ(errorOf([&] { other.BeginTrans(); }), DbError::Busy);
  EXPECT_FALSE(other.InTransaction());
  openedBefore.AddNew();
  openedBefore.SetValue("Chiave", "um");
  openedBefore.SetValue("Codice", "LT");
  EXPECT_EQ(errorOf([&] { openedBefore.UpdateBatch(); }), DbError::Busy);

  conn.RollbackTrans();
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi"), 6);
  openedBefore.UpdateBatch();
  other.Execute(kNewCost);

  // A rollback undoes only its own connection's work, whoever wrote in between.
  conn.BeginTrans();
  conn.Execute("DELETE * FROM Liste WHERE Codice='LT'");
  conn.RollbackTrans();
  conn.BeginTrans();
  conn.Execute("DELETE * FROM Commesse WHERE CodCom='C002'");
  conn.CommitTrans();
  other.BeginTrans();
  other.Execute("DELETE * FROM Costi WHERE CodCom='C001'");
  other.RollbackTrans();
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi WHERE CodCom='C002' AND Data='2024-03-06'"), 1);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Liste WHERE Codice='LT'"), 1);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Commesse"), 1);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi WHERE CodCom='C001'"), 5);
}

TEST_F(SharedConnection, WorkOfAnotherProgramIsSeenOnTheNextQuery) {
  EXPECT_EQ(testdb::count(conn, "SELECT * FROM Costi"), 6);
  testdb::exec(path, "INSERT INTO Costi (Classe, CodCom) VALUES (3, 'C001')");
  EXPECT_EQ(testdb::count(conn, "SELECT * FROM Costi"), 7);

  // A table another program created or altered is known with its columns at once.
  EXPECT_EQ(errorOf([&] { Recordset().Open("Nuova", conn, adOpenStatic, adLockReadOnly, adCmdTable); }),
            DbError::SqlError);
  Recordset costs;
  costs.Open("Costi", conn, adOpenStatic, adLockBatchOptimistic);
  testdb::exec(path, "CREATE TABLE Nuova (Id INTEGER PRIMARY KEY, Nome VARCHAR(12))");
  testdb::exec(path, "ALTER TABLE Costi ADD COLUMN Nota VARCHAR(30)");
  Recordset created;
  created.Open("Nuova", conn, adOpenStatic, adLockBatchOptimistic, adCmdTable);
  created.AddNew();
  created.SetValue("Nome", "prima");
  created.UpdateBatch();
  EXPECT_EQ(created.Field(1).definedSize, 12);

  Recordset altered;
  altered.Open("Costi", conn, adOpenStatic, adLockBatchOptimistic);
  altered.AddNew();
  altered.SetValue("Classe", std::int16_t(2));
  altered.SetValue("Nota", "scritta");
  altered.UpdateBatch();
  EXPECT_EQ(testdb::scalar(path, "SELECT Nota FROM Costi WHERE Classe=2 ORDER BY IdCosto DESC"), "scritta");
  EXPECT_EQ(testdb::scalar(path, "SELECT Nome FROM Nuova"), "prima");

  // A file put in the place of the open one is the one a new connection works on.
  Connection later;
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(QFile::copy(testenv::freshDatabase(), path));
  later.Open(testenv::connectionString(path));
  EXPECT_EQ(testdb::count(later, "SELECT * FROM Costi"), 0);
}

TEST_F(SharedConnection, QueriesThatDifferOnlyInTheirTextsReadTheirOwnRows) {
  const QString byName = "SELECT [Nome] & ' (' & Prov & ')' AS N FROM CliFor WHERE Nome=";
  EXPECT_EQ(testdb::rows(conn, byName + "'D''Angelo Srl'"), QStringList{"D'Angelo Srl (BA)"});
  EXPECT_EQ(testdb::rows(conn, byName + "'Rossi Costruzioni'"), QStringList{"Rossi Costruzioni (MI)"});
  EXPECT_EQ(testdb::rows(conn, byName + "'a]#b'' ' OR Nome='Elettro Verdi'"),
            QStringList{"Elettro Verdi (PI)"});
  EXPECT_EQ(testdb::rows(conn, byName + "\"Ferramenta Bianchi\""), QStringList{"Ferramenta Bianchi (TO)"});
  EXPECT_EQ(testdb::count(conn, "SELECT * FROM Costi WHERE Data=#03/05/24# AND CodCom='C001'"), 2);
  EXPECT_EQ(testdb::count(conn, "SELECT * FROM Costi WHERE Data=#03/06/24# AND CodCom='C001'"), 2);
  EXPECT_EQ(errorOf([&] { testdb::count(conn, "SELECT * FROM Costi WHERE CodCom='C001"); }),
            DbError::SqlError);
}
