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

  // A table another program replaced by a saved query is read as the query, which cannot be written.
  Recordset lists;
  lists.Open("Liste", conn, adOpenStatic, adLockOptimistic);
  EXPECT_TRUE(lists.Updatable());
  testdb::exec(path, "ALTER TABLE Liste RENAME TO ListeVecchie");
  testdb::exec(path, "CREATE VIEW Liste AS SELECT * FROM ListeVecchie WHERE Chiave = 'um'");
  Recordset view;
  view.Open("Liste", conn, adOpenStatic, adLockOptimistic);
  EXPECT_FALSE(view.Updatable());
  EXPECT_EQ(view.RecordCount(), 3);

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
  testdb::exec(path, "UPDATE CliFor SET Nome = 'Bar=''x''' WHERE IdCliFor = 4");
  for (const QString& text : {"\"Bar='x'\"", "\"Bar='x\" & \"'\""})
    EXPECT_EQ(testdb::rows(conn, byName + text), QStringList{"Bar='x' (PI)"})
        << "a text in double quotes is looked for as written: " << text.toStdString();
  EXPECT_EQ(testdb::count(conn, "SELECT * FROM Costi WHERE Data=#03/05/24# AND CodCom='C001'"), 2);
  EXPECT_EQ(testdb::count(conn, "SELECT * FROM Costi WHERE Data=#03/06/24# AND CodCom='C001'"), 2);
  EXPECT_EQ(errorOf([&] { testdb::count(conn, "SELECT * FROM Costi WHERE CodCom='C001"); }),
            DbError::SqlError);
}

// Every recordset shows the rows committed when it opened, whatever the file's other connections
// write, roll back or hold meanwhile, and holds nothing that stands in their way.
TEST_F(SharedConnection, AForwardOnlyReadShowsOneCommittedStateAndBlocksNoWriter) {
  const QString ids = "SELECT IdCosto FROM Costi ORDER BY IdCosto";
  auto readOn = [&](Recordset& rs) {
    QStringList seen;
    for (; !rs.isEOF(); rs.MoveNext()) seen << rs.Value(0).toString();
    return seen.join(' ');
  };
  const QString all = "1 2 3 4 5 6";

  // Another connection's writes during a read.
  Recordset during;
  during.Open(ids, conn, adOpenForwardOnly);
  EXPECT_EQ(during.Value(0), Variant(std::int32_t(1)));
  other.Execute("UPDATE Costi SET IdCosto = 1005 WHERE IdCosto = 5");
  other.Execute("DELETE * FROM Costi WHERE IdCosto = 6");
  other.Execute(kNewCost);
  EXPECT_EQ(readOn(during), all);
  other.Execute("UPDATE Costi SET IdCosto = 5 WHERE IdCosto = 1005");
  other.Execute("INSERT INTO Costi (IdCosto, Classe, CodCom) VALUES (6, 0, 'C001')");
  other.Execute("DELETE * FROM Costi WHERE IdCosto > 6");

  // A read opened before another connection's transaction, and one opened during it: neither sees
  // its rows, and neither misses a row after its rollback.
  Recordset before;
  before.Open(ids, conn, adOpenForwardOnly);
  other.BeginTrans();
  other.Execute("DELETE * FROM Costi WHERE IdCosto = 2");
  other.Execute(kNewCost);
  Recordset inside;
  inside.Open(ids, conn, adOpenForwardOnly);
  EXPECT_EQ(inside.Value(0), Variant(std::int32_t(1)));
  other.RollbackTrans();
  EXPECT_EQ(readOn(before), all);
  EXPECT_EQ(readOn(inside), all);

  // Nor does a read open on one connection hold back the commit of another.
  Recordset open;
  open.Open(ids, conn, adOpenForwardOnly);
  other.BeginTrans();
  other.Execute("DELETE * FROM Costi WHERE IdCosto = 2");
  Recordset whileWriting;
  whileWriting.Open(ids, conn, adOpenForwardOnly);
  EXPECT_EQ(errorOf([&] { other.CommitTrans(); }), DbError::Code(0)) << "a read of its own thread held it";
  EXPECT_EQ(readOn(open), all);
  EXPECT_EQ(readOn(whileWriting), all);
  EXPECT_EQ(testdb::count(path, ids), 5);
}

// Two reads of one query on one connection, and a query after the tables changed, each read in
// turn: every read shows its own rows.
TEST_F(SharedConnection, ForwardOnlyReadsOfOneConnectionKeepTheirRowsWhateverRunsBetween) {
  Recordset first, second;
  first.Open("SELECT * FROM Costi ORDER BY IdCosto", conn, adOpenForwardOnly);
  second.Open("SELECT * FROM Costi ORDER BY IdCosto", conn, adOpenForwardOnly);
  first.MoveNext();
  testdb::exec(path, "ALTER TABLE Costi ADD COLUMN Nota VARCHAR(30) DEFAULT 'aggiunta'");
  Recordset after;
  after.Open("SELECT * FROM Costi ORDER BY IdCosto", conn, adOpenForwardOnly);
  EXPECT_EQ(after.FieldCount(), first.FieldCount() + 1);
  EXPECT_EQ(after.Value("Nota"), Variant(QString("aggiunta")));
  for (int id = 1; id <= 6; ++id) {
    EXPECT_EQ(second.Value("IdCosto"), Variant(std::int32_t(id)));
    EXPECT_EQ(second.Value("Descrizione"), after.Value("Descrizione"));
    if (id < 6) EXPECT_EQ(first.Value("IdCosto"), Variant(std::int32_t(id + 1)));
    for (Recordset* rs : {&first, &second, &after})
      if (!rs->isEOF()) rs->MoveNext();
  }
  EXPECT_TRUE(first.isEOF() && second.isEOF() && after.isEOF());
}

// A backup copied over the open file: the same tables at the same schema version, but stored
// elsewhere in the file, as a rebuilt or compacted file has them.
TEST_F(SharedConnection, AFileCopiedOverInPlaceIsReadAndWrittenAsItNowIs) {
  const QString backup = dbtest::seededDatabase();
  const QString schemaVersion = testdb::scalar(path, "PRAGMA schema_version");
  // Liste made again while its old pages are taken, so that it lies elsewhere.
  testdb::exec(backup,
               "CREATE TABLE Vecchia AS SELECT * FROM Liste; DROP TABLE Liste; CREATE TABLE Pieno1 (x); "
               "CREATE TABLE Pieno2 (x); " +
                   testdb::scalar(backup,
                                  "SELECT group_concat(sql, '; ') FROM sqlite_master "
                                  "WHERE tbl_name = 'Liste'") +
                   "; INSERT INTO Liste SELECT * FROM Vecchia WHERE Chiave = 'um'; "
                   "INSERT INTO Liste (Id, Chiave, Descrizione) VALUES (9, 'um', 'Litri'); "
                   "DROP TABLE Vecchia; DROP TABLE Pieno1; DROP TABLE Pieno2; PRAGMA schema_version = " +
                   schemaVersion);
  ASSERT_NE(testdb::scalar(backup, "SELECT rootpage FROM sqlite_master WHERE name = 'Liste'"),
            testdb::scalar(path, "SELECT rootpage FROM sqlite_master WHERE name = 'Liste'"));
  ASSERT_EQ(testdb::scalar(backup, "PRAGMA schema_version"), schemaVersion);
  const QString lists = "SELECT Descrizione FROM Liste WHERE Chiave = 'um' ORDER BY Id";
  const QStringList units = {"Pezzi", "Metri", "Chili"};
  EXPECT_EQ(testdb::rows(other, lists), units);
  // Writes the content over the file where it is, and gives what the file held.
  auto copyOver = [this](const QByteArray& content) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray before = file.readAll();
    file.seek(0);
    file.write(content);
    file.resize(content.size());
    return before;
  };
  QFile copy(backup);
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));

  // On a connection left open, whose first work after it is a write.
  conn.Close();
  const QByteArray original = copyOver(copy.readAll());
  other.Execute("INSERT INTO Liste (Id, Chiave, Descrizione) VALUES (10, 'um', 'Ore')");
  EXPECT_EQ(testdb::rows(other, lists), (units + QStringList{"Litri", "Ore"}));
  EXPECT_EQ(testdb::scalar(path, "PRAGMA integrity_check"), "ok");

  // On a handle only the pool keeps: the file as it was at first, copied back.
  other.Close();
  copyOver(original);
  Connection later;
  later.Open(testenv::connectionString(path));
  later.Execute("INSERT INTO Liste (Id, Chiave, Descrizione) VALUES (10, 'um', 'Grammi')");
  EXPECT_EQ(testdb::rows(later, lists), (units + QStringList{"Grammi"}));
  EXPECT_EQ(testdb::scalar(path, "PRAGMA integrity_check"), "ok");
}
