#include <gtest/gtest.h>

#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/Recordset.h"
#include "tests/db/DbTestSupport.h"
#include "tests/support/TestEnv.h"

using namespace db;

namespace {

class RecordsetEdit : public dbtest::SeededDb {
 protected:
  void openEditable(Recordset& rs, const QString& source, Connection& on) {
    rs.Open(source, on, adOpenStatic, adLockBatchOptimistic);
  }
  DbError::Code saveError(Recordset& rs) {
    try {
      rs.UpdateBatch();
    } catch (const DbError& e) {
      return e.code();
    }
    return DbError::Code(0);
  }
};

}  // namespace

TEST_F(RecordsetEdit, AddNewReadsBackTheAutoNumberAndTheTableDefaults) {
  Recordset rs;
  openEditable(rs, "Liste", conn);
  const int before = rs.RecordCount();
  rs.AddNew();
  EXPECT_TRUE(rs.IsNewRow());
  EXPECT_TRUE(rs.Value("Id").isNull());
  rs.SetValue("Chiave", "um");
  rs.SetValue("Codice", "LT");
  rs.SetValue("Descrizione", "Litri");
  rs.UpdateBatch();
  EXPECT_FALSE(rs.EditPending());
  EXPECT_EQ(rs.RecordCount(), before + 1);
  const int id = rs.Value("Id").toInt();
  EXPECT_EQ(QString::number(id), testdb::scalar(path, "SELECT max(Id) FROM Liste"));
  EXPECT_EQ(rs.Value("Predefinito"), Variant(false)) << "a column the row did not set gets its default";

  rs.AddNew();
  rs.SetValue("Chiave", "cat");
  rs.SetValue("Descrizione", "Utensili");
  rs.Update();
  EXPECT_GT(rs.Value("Id").toInt(), id);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Liste WHERE Descrizione='Utensili' AND Predefinito=0"), 1);
}

TEST_F(RecordsetEdit, ANewJobOrderNeedsOnlyTheColumnsItSets) {
  Recordset rs;
  openEditable(rs, "Commesse", conn);
  rs.AddNew();
  rs.SetValue("CodCom", "C003");
  rs.SetValue("IdCliente", std::int32_t(2));
  rs.SetValue("DataInizio", QDate(2024, 5, 2));
  rs.UpdateBatch();
  EXPECT_EQ(
      testdb::scalar(
          path, "SELECT IdCliente || Chiusa || Consegnata || DataInizio FROM Commesse WHERE CodCom='C003'"),
      "200"
      "2024-05-02");
  EXPECT_EQ(rs.Value("Chiusa"), Variant(false));
}

TEST_F(RecordsetEdit, UpdatesWriteByKeyOrByRowidAndTouchNoOtherRow) {
  Recordset job;
  openEditable(job, "SELECT * FROM Commesse WHERE CodCom='C001'", conn);
  job.SetValue("DesCom", "Impianto uffici e magazzino");
  job.UpdateBatch(adAffectCurrent);
  EXPECT_EQ(testdb::scalar(path, "SELECT DesCom FROM Commesse WHERE CodCom='C001'"),
            "Impianto uffici e magazzino");
  EXPECT_EQ(testdb::scalar(path, "SELECT DesCom FROM Commesse WHERE CodCom='C002'"), "Manutenzione");

  Recordset lines;  // the template-line grid names the table in capitals
  openEditable(lines, "SELECT * FROM PREVOCI WHERE IdModelloPre=1 ORDER BY Codice", conn);
  ASSERT_TRUE(lines.Updatable());
  lines.MoveLast();
  lines.SetValue(7, QString("4,25"));
  lines.Update();
  EXPECT_EQ(testdb::scalar(path, "SELECT group_concat(Tariffa) FROM PreVoci ORDER BY IdVocePre"), "100,4.25");

  // _Pars has no key: the layout row is written by its rowid, as UTF-16 bytes.
  const QString layout = QStringLiteral("{\"colonne\":[\"CodCom\",\"Località\"]}");
  const QByteArray bytes(reinterpret_cast<const char*>(layout.utf16()), layout.size() * 2);
  Recordset pars;
  openEditable(pars, "SELECT * FROM _Pars WHERE k01='gridlayout' AND k02='gex_art'", conn);
  ASSERT_EQ(pars.RecordCount(), 1);
  EXPECT_TRUE(pars.Updatable());
  pars.SetValue("m01", bytes);
  pars.Update();
  EXPECT_EQ(testdb::scalar(path, "SELECT length(m01) FROM _Pars WHERE k02='gex_art'").toInt(), bytes.size());
  EXPECT_EQ(testdb::scalar(path, "SELECT hex(m01) FROM _Pars WHERE k02='gex_com'"), "41004200");
  Recordset again;
  again.Open("SELECT * FROM _Pars WHERE k01='gridlayout' AND k02='gex_art'", conn);
  const QByteArray stored = again.Value("m01").toBytes();
  EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(stored.constData()), stored.size() / 2),
            layout);
}

TEST_F(RecordsetEdit, TheSecondOfTwoEditorsOfOneRowIsRefusedAndTheFirstWins) {
  Connection other;
  other.Open(testenv::connectionString(path));
  Recordset first, second;
  openEditable(first, "SELECT * FROM CliFor WHERE IdCliFor=1", conn);
  openEditable(second, "SELECT * FROM CliFor WHERE IdCliFor=1", other);

  first.SetValue("Telefono", "02 1234567");
  first.UpdateBatch();
  second.SetValue("Telefono", "06 7654321");
  EXPECT_EQ(saveError(second), DbError::Conflict);
  EXPECT_EQ(testdb::scalar(path, "SELECT Telefono FROM CliFor WHERE IdCliFor=1"), "02 1234567");
  EXPECT_TRUE(second.EditPending()) << "the refused row keeps the user's entries";
  EXPECT_EQ(second.Value("Telefono"), Variant("06 7654321"));
  second.CancelUpdate();
  EXPECT_TRUE(second.Value("Telefono").isNull());

  first.SetValue("Nome", "Rossi Costruzioni Spa");
  first.UpdateBatch();  // the first editor can go on: its copy is the stored row
  EXPECT_EQ(testdb::scalar(path, "SELECT Nome FROM CliFor WHERE IdCliFor=1"), "Rossi Costruzioni Spa");

  testdb::exec(path, "DELETE FROM CliFor WHERE IdCliFor=1");
  first.SetValue("Fax", "02 000");
  EXPECT_EQ(saveError(first), DbError::Conflict) << "a row deleted meanwhile is not written back";
  EXPECT_EQ(testdb::count(path, "SELECT * FROM CliFor WHERE IdCliFor=1"), 0);
}

TEST_F(RecordsetEdit, AFailedInsertLeavesNothingAndTheRowPending) {
  Recordset rs;
  openEditable(rs, "Articoli", conn);
  rs.AddNew();
  rs.SetValue("Codice", "CAVO1");
  rs.SetValue("Descrizione", "Doppione");
  EXPECT_EQ(saveError(rs), DbError::Duplicate);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Articoli"), 2);
  EXPECT_TRUE(rs.IsNewRow());
  EXPECT_EQ(rs.Value("Descrizione"), Variant("Doppione"));

  rs.SetValue("Codice", "CAVO2");
  rs.UpdateBatch();
  EXPECT_EQ(testdb::scalar(path, "SELECT Descrizione FROM Articoli WHERE Codice='CAVO2'"), "Doppione");

  rs.AddNew();
  rs.SetValue("Descrizione", "Senza codice");
  try {
    rs.UpdateBatch();
    FAIL() << "the key is required";
  } catch (const DbError& e) {
    EXPECT_EQ(e.code(), DbError::Required);
    EXPECT_EQ(e.field(), "Codice");
    EXPECT_EQ(e.description(), "Il campo Codice è obbligatorio.");
  }
  rs.CancelUpdate();
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Articoli"), 3);
}

TEST_F(RecordsetEdit, AFailedWriteInsideATransactionUndoesOnlyItself) {
  conn.BeginTrans();
  conn.Execute("DELETE * FROM Costi WHERE CodCom='C002'");
  Recordset rs;
  openEditable(rs, "CodiciIVA", conn);
  rs.AddNew();
  rs.SetValue("CodiceIVA", "IVA22");
  EXPECT_EQ(saveError(rs), DbError::Duplicate);
  rs.CancelUpdate();
  conn.CommitTrans();
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi WHERE CodCom='C002'"), 0);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM CodiciIVA"), 2);
}

TEST_F(RecordsetEdit, DeleteRemovesTheRowFromTableAndRecordset) {
  Recordset rs;
  openEditable(rs, "SELECT * FROM Costi WHERE CodCom='C001' ORDER BY IdCosto", conn);
  ASSERT_EQ(rs.RecordCount(), 5);
  rs.MoveNext();
  rs.Delete();
  EXPECT_EQ(rs.RecordCount(), 4);
  EXPECT_EQ(rs.Value("IdCosto").toInt(), 3) << "the next row becomes current";
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi WHERE IdCosto=2"), 0);

  testdb::exec(path, "UPDATE Costi SET Quantita=3 WHERE IdCosto=3");
  EXPECT_THROW(rs.Delete(), DbError) << "a row changed by somebody else is not deleted blindly";
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi WHERE IdCosto=3"), 1);

  rs.MoveLast();
  rs.Delete();
  EXPECT_TRUE(rs.isEOF());
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi WHERE CodCom='C001'"), 3);
}

TEST_F(RecordsetEdit, MovingOffAnEditedRowWritesIt) {
  Recordset rs;
  openEditable(rs, "SELECT * FROM Impiegati ORDER BY CodImp", conn);
  rs.SetValue("Tariffa", 27.5);
  rs.MoveNext();
  EXPECT_FALSE(rs.EditPending());
  EXPECT_EQ(testdb::scalar(path, "SELECT Tariffa FROM Impiegati WHERE CodImp=1"), "27.5");
}

TEST_F(RecordsetEdit, TextWithApostrophesIsStoredAndFound) {
  Recordset rs;
  openEditable(rs, "CliFor", conn);
  rs.AddNew();
  rs.SetValue("Tipo", "Cliente");
  rs.SetValue("Nome", "L'Aquila Impianti");
  rs.SetValue("Note", "Ordine \"urgente\"; pagare a 30 gg -- poi vediamo");
  rs.UpdateBatch();
  EXPECT_EQ(testdb::scalar(path, "SELECT Note FROM CliFor WHERE Nome='L''Aquila Impianti'"),
            "Ordine \"urgente\"; pagare a 30 gg -- poi vediamo");

  Recordset found;
  found.Open(
      "SELECT IdCliFor FROM CliFor WHERE Nome=" + jetText("L'Aquila Impianti") + " OR Nome='D''Angelo Srl'",
      conn);
  EXPECT_EQ(found.RecordCount(), 2);
}

TEST_F(RecordsetEdit, OnlyOneTableRecordsetsOpenedForWritingAcceptChanges) {
  Recordset readOnly;
  readOnly.Open("SELECT * FROM Impiegati", conn);
  EXPECT_FALSE(readOnly.Updatable());
  EXPECT_THROW(readOnly.SetValue("Nome", "X"), DbError);

  Recordset join;
  openEditable(join,
               "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON "
               "Commesse.IdCliente = CliFor.IdCliFor",
               conn);
  EXPECT_FALSE(join.Updatable());
  EXPECT_THROW(join.AddNew(), DbError);

  Recordset totals;
  openEditable(totals, "SELECT Sum(Prezzo) AS V From CommessePre WHERE CodCom='C001'", conn);
  EXPECT_FALSE(totals.Updatable());
  EXPECT_EQ(totals.Value("V"), Variant(Currency::fromInt(550)));

  Recordset view;
  openEditable(view, "costi_prev_sum", conn);
  EXPECT_FALSE(view.Updatable());
}

TEST_F(RecordsetEdit, NavigationStopsAtBothEnds) {
  Recordset empty;
  empty.Open("SELECT * FROM Costi WHERE CodCom='NESSUNA'", conn);
  EXPECT_TRUE(empty.isEOF());
  EXPECT_TRUE(empty.isBOF());
  EXPECT_EQ(empty.RecordCount(), 0);
  EXPECT_THROW(empty.MoveNext(), DbError);
  EXPECT_THROW(empty.Value("Data"), DbError);

  Recordset rs;
  rs.Open("SELECT CodCom FROM Commesse ORDER BY CodCom", conn);
  EXPECT_FALSE(rs.isBOF());
  rs.MovePrevious();
  EXPECT_TRUE(rs.isBOF());
  EXPECT_THROW(rs.MovePrevious(), DbError);
  rs.MoveNext();
  rs.MoveNext();
  rs.MoveNext();
  EXPECT_TRUE(rs.isEOF());
  EXPECT_THROW(rs.MoveNext(), DbError);
  EXPECT_EQ(rs.ValueAt(1, 0), Variant("C002"));
  EXPECT_THROW(rs.Value("Inesistente"), DbError);

  testdb::exec(path, "INSERT INTO Commesse (CodCom, IdCliente) VALUES ('C000', 1)");
  rs.MoveFirst();
  rs.Requery();
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(rs.Value("CodCom"), Variant("C000"));
}

TEST_F(RecordsetEdit, CancelAfterAddNewAndRequeryLeaveThePositionAsDocumented) {
  Recordset rs;
  openEditable(rs, "SELECT * FROM Commesse ORDER BY CodCom", conn);
  rs.MoveLast();
  ASSERT_EQ(rs.Value("CodCom"), Variant("C002"));
  rs.AddNew();
  rs.SetValue("CodCom", "C003");
  EXPECT_EQ(rs.AbsolutePosition(), 2);
  rs.CancelUpdate();
  EXPECT_FALSE(rs.EditPending());
  EXPECT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.AbsolutePosition(), 1) << "back on the row that was current before AddNew";
  EXPECT_EQ(rs.Value("CodCom"), Variant("C002"));
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Commesse"), 2);

  // Requery keeps the position number while the rows reach it, and goes to the first row otherwise.
  testdb::exec(path, "INSERT INTO Commesse (CodCom, IdCliente) VALUES ('C000', 1)");
  rs.Requery();
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(rs.AbsolutePosition(), 1);
  EXPECT_EQ(rs.Value("CodCom"), Variant("C001"));
  rs.MoveLast();
  testdb::exec(path, "DELETE FROM Commesse WHERE CodCom <> 'C002'");
  rs.Requery();
  EXPECT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.AbsolutePosition(), 0);
  EXPECT_EQ(rs.Value("CodCom"), Variant("C002"));
}

TEST_F(RecordsetEdit, ARecordsetOutlivesItsConnectionForReadingOnly) {
  auto other = std::make_unique<Connection>();
  other->Open(testenv::connectionString(path));
  Recordset rs;
  openEditable(rs, "SELECT IdCliFor, Nome FROM CliFor WHERE Tipo='Cliente' ORDER BY Nome", *other);
  other.reset();
  EXPECT_EQ(rs.RecordCount(), 2);
  EXPECT_EQ(rs.Value("Nome"), Variant("D'Angelo Srl"));
  rs.SetValue("Nome", "Altro");
  EXPECT_EQ(saveError(rs), DbError::InvalidState);
  EXPECT_EQ(testdb::scalar(path, "SELECT Nome FROM CliFor WHERE IdCliFor=2"), "D'Angelo Srl");
}
