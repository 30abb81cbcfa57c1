#include <gtest/gtest.h>
#include <iomanip>

#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "tests/db/DbTestSupport.h"

using namespace db;

namespace {

class RecordsetTypes : public dbtest::SeededDb {
 protected:
  const FieldInfo& field(Recordset& rs, const QString& name) { return rs.Field(rs.FieldIndex(name)); }

  // The C001 job order opened for editing, as the job-order window opens it.
  void openJob(Recordset& rs) {
    rs.Open("SELECT * FROM Commesse WHERE CodCom='C001'", conn, adOpenStatic, adLockBatchOptimistic,
            adCmdText);
    ASSERT_EQ(rs.RecordCount(), 1);
  }
};

}  // namespace

TEST_F(RecordsetTypes, FieldTypesAndSizesComeFromTheDeclaredTypes) {
  Recordset commesse;
  commesse.Open("Commesse", conn, adOpenStatic, adLockReadOnly, adCmdTable);
  const struct {
    const char* name;
    DataType type;
    int size;
  } expected[] = {{"CodCom", adVarWChar, 20},         {"IdCliente", adInteger, 4},
                  {"DesCom", adVarWChar, 100},        {"DataInizio", adDate, 8},
                  {"Prezzo", adCurrency, 8},          {"Chiusa", adBoolean, 2},
                  {"Note", adLongVarWChar, 536870910}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.name);
    ASSERT_GE(commesse.FieldIndex(e.name), 0);
    EXPECT_EQ(field(commesse, e.name).type, e.type);
    EXPECT_EQ(field(commesse, e.name).definedSize, e.size);
  }
  EXPECT_EQ(commesse.FieldNames().first(), "CodCom") << "the key stays the first column";

  Recordset costi;
  costi.Open("SELECT * FROM Costi", conn);
  EXPECT_EQ(field(costi, "Classe").type, adSmallInt);
  EXPECT_EQ(field(costi, "Quantita").type, adDouble);
  EXPECT_EQ(field(costi, "codice").definedSize, 40) << "field names are found without regard to case";

  Recordset pars;
  pars.Open("SELECT * FROM _Pars WHERE k02='gex_com'", conn, adOpenStatic, adLockOptimistic);
  EXPECT_EQ(pars.FieldCount(), 5) << "the rowid used for writing stays hidden";
  EXPECT_EQ(field(pars, "m01").type, adLongVarBinary);
  EXPECT_EQ(pars.Value("m01").toBytes(), QByteArray("A\0B\0", 4));
}

TEST_F(RecordsetTypes, ComputedColumnsTakeTheTypeOfWhatTheyCompute) {
  Recordset days;
  days.Open("SELECT Costi.Data, Sum(Costi.Valore) AS TotValore From Costi GROUP BY Costi.Data", conn);
  EXPECT_EQ(field(days, "Data").type, adDate);
  EXPECT_EQ(field(days, "TotValore").type, adCurrency) << "the sum of a currency column is currency";
  days.setAbsolutePosition(1);
  EXPECT_EQ(days.Value("Data").toDate(), QDate(2024, 3, 6));
  EXPECT_EQ(days.Value("TotValore"), Variant(Currency::fromRaw(1051000)));

  Recordset mixed;
  mixed.Open(
      "SELECT Sum([Quantita]*[CostoUnitario]) AS V, Count(*) AS N, [Descrizione] & '!' AS T, "
      "Max(Data) AS Ultima FROM Costi",
      conn);
  EXPECT_EQ(field(mixed, "V").type, adDouble);
  EXPECT_EQ(field(mixed, "N").type, adInteger);
  EXPECT_EQ(field(mixed, "T").type, adVarWChar);
  EXPECT_EQ(field(mixed, "Ultima").type, adDate);
  EXPECT_EQ(mixed.Value("Ultima").toDate(), QDate(2024, 3, 7));

  Recordset view;
  view.Open("SELECT * FROM costi_prev_sum WHERE IdStima=2", conn);
  EXPECT_EQ(field(view, "CostoTotale").type, adCurrency) << "the saved query's total is currency";
  EXPECT_EQ(view.Value("CostoTotale"), Variant(Currency::fromInt(85)));
}

TEST_F(RecordsetTypes, NullAndEmptyTextStayDistinct) {
  Recordset rs;
  openJob(rs);
  rs.SetValue("DesCom", QString(""));
  rs.SetValue("Responsabile", Variant::null());
  rs.SetValue("EcoTar", QString("  "));
  rs.UpdateBatch();
  EXPECT_EQ(testdb::scalar(path, "SELECT typeof(DesCom) || length(DesCom) FROM Commesse WHERE CodCom='C001'"),
            "text0");
  EXPECT_EQ(testdb::scalar(path, "SELECT typeof(Responsabile) FROM Commesse WHERE CodCom='C001'"), "null");
  EXPECT_EQ(testdb::scalar(path, "SELECT typeof(EcoTar) FROM Commesse WHERE CodCom='C001'"), "null")
      << "blank text in a number column means no value";
  EXPECT_EQ(rs.Value("DesCom"), Variant(QString("")));
  EXPECT_TRUE(rs.Value("Responsabile").isNull());
  EXPECT_FALSE(rs.Value("Responsabile").isEmpty());
}

TEST_F(RecordsetTypes, CurrencyIsRoundedToFourDecimalsOnWriteAndRead) {
  Recordset rs;
  openJob(rs);
  rs.SetValue("Prezzo", 1234.56789);
  rs.SetValue("EcoTar", 0.03125);  // exactly half a unit of the fourth decimal: to the even digit
  rs.UpdateBatch();
  EXPECT_EQ(testdb::scalar(path, "SELECT Prezzo FROM Commesse WHERE CodCom='C001'"), "1234.5679");
  EXPECT_EQ(testdb::scalar(path, "SELECT EcoTar FROM Commesse WHERE CodCom='C001'"), "0.0312");
  EXPECT_EQ(rs.Value("Prezzo"), Variant(Currency::fromRaw(12345679)));

  rs.SetValue("Prezzo", QString("12,5"));  // typed the Italian way
  EXPECT_EQ(rs.Value("Prezzo"), Variant(Currency::fromRaw(125000)));
  rs.CancelUpdate();

  testdb::exec(path, "UPDATE Commesse SET Prezzo = 0.1 + 0.2, EcoTar = 7.123456789 WHERE CodCom='C001'");
  rs.Close();
  openJob(rs);
  EXPECT_EQ(rs.Value("Prezzo"), Variant(Currency::fromRaw(3000)));
  EXPECT_EQ(rs.Value("EcoTar"), Variant(Currency::fromRaw(71235)));
  EXPECT_THROW(rs.SetValue("Prezzo", QString("tanti")), DbError);
  EXPECT_EQ(rs.Value("Prezzo"), Variant(Currency::fromRaw(3000))) << "a refused value changes nothing";
}

TEST_F(RecordsetTypes, DatesAreStoredAsIsoTextAndFoundByJetLiterals) {
  Recordset rs;
  openJob(rs);
  rs.SetValue("DataInizio", QDate(2024, 3, 5));
  rs.SetValue("DataFine", QDateTime(QDate(2024, 3, 5), QTime(14, 30), Qt::UTC));
  rs.SetValue("DataConPre", QString("06/03/2024"));  // as the user types it
  rs.UpdateBatch();
  EXPECT_EQ(testdb::scalar(
                path, "SELECT typeof(DataInizio) || ' ' || DataInizio FROM Commesse WHERE CodCom='C001'"),
            "text 2024-03-05");
  EXPECT_EQ(testdb::scalar(path, "SELECT DataFine FROM Commesse WHERE CodCom='C001'"), "2024-03-05 14:30:00");
  EXPECT_EQ(testdb::scalar(path, "SELECT DataConPre FROM Commesse WHERE CodCom='C001'"), "2024-03-06");
  EXPECT_EQ(rs.Value("DataInizio").type(), VarType::Date);
  EXPECT_EQ(rs.Value("DataFine").toDateTime().time(), QTime(14, 30));

  Recordset found;
  found.Open("SELECT CodCom FROM Commesse WHERE DataInizio=#03/05/24# AND DataConPre=#3/6/2024#", conn);
  EXPECT_EQ(found.RecordCount(), 1);

  EXPECT_THROW(rs.SetValue("DataInizio", QString("ieri")), DbError);
  EXPECT_THROW(rs.SetValue("DataInizio", QString("31/02/24")), DbError);
  EXPECT_EQ(rs.Value("DataInizio").toDate(), QDate(2024, 3, 5));

  // A year typed with two digits is of this century up to 29, of the last one from 30.
  rs.SetValue("DataInizio", QString("07/03/24"));
  rs.SetValue("DataFine", QString("8/3/29"));
  rs.SetValue("DataConPre", QString("09-03-30"));
  rs.UpdateBatch();
  EXPECT_EQ(testdb::scalar(path,
                           "SELECT DataInizio || ' ' || DataFine || ' ' || DataConPre FROM Commesse "
                           "WHERE CodCom='C001'"),
            "2024-03-07 2029-03-08 1930-03-09");
}

TEST_F(RecordsetTypes, BooleansAreStoredAsOneAndZeroAndReadAsBooleans) {
  Recordset rs;
  openJob(rs);
  EXPECT_EQ(rs.Value("Attiva"), Variant(true));
  rs.SetValue("Chiusa", true);
  rs.SetValue("Attiva", Variant::null());  // a Yes/No field has no Null
  rs.UpdateBatch();
  EXPECT_EQ(
      testdb::scalar(path, "SELECT typeof(Chiusa) || Chiusa || Attiva FROM Commesse WHERE CodCom='C001'"),
      "integer10");
  EXPECT_EQ(rs.Value("Chiusa").type(), VarType::Boolean);

  Recordset closed;
  closed.Open("SELECT CodCom FROM Commesse WHERE Chiusa=True", conn);
  EXPECT_EQ(closed.RecordCount(), 2);
  Recordset open;
  open.Open("SELECT CodCom FROM Commesse WHERE Chiusa=False", conn);
  EXPECT_EQ(open.RecordCount(), 0);
}

TEST_F(RecordsetTypes, ValuesThatDoNotFitTheirColumnAreRefused) {
  Recordset rs;
  openJob(rs);
  try {
    rs.SetValue("CodCom", QString(21, 'X'));
    FAIL() << "text longer than the column";
  } catch (const DbError& e) {
    EXPECT_EQ(e.code(), DbError::TypeMismatch);
    EXPECT_TRUE(e.description().contains("20")) << e.description().toStdString();
  }
  EXPECT_THROW(rs.SetValue("IdCliente", QString("abc")), DbError);
  EXPECT_THROW(rs.SetValue("IdCliente", 3.0e12), DbError);
  EXPECT_FALSE(rs.EditPending()) << "nothing was accepted";
  rs.SetValue("IdCliente", QString("2"));
  EXPECT_EQ(rs.Value("IdCliente"), Variant(std::int32_t(2)));

  const QString full(100, QChar(0x00E8));  // as many letters as DesCom holds, none of them ASCII
  rs.SetValue("DesCom", full);
  rs.UpdateBatch();
  EXPECT_EQ(testdb::scalar(path, "SELECT DesCom FROM Commesse WHERE CodCom='C001'"), full)
      << "a text exactly as long as its column is accepted";
  EXPECT_EQ(testdb::scalar(path, "SELECT IdCliente FROM Commesse WHERE CodCom='C001'"), "2");
}

TEST_F(RecordsetTypes, ColumnsRepeatedInAJoinAreNamedByTheirTable) {
  Recordset rs;
  rs.Open(
      "SELECT Costi.*, CommessePre.Codice, CommessePre.Descrizione FROM Costi LEFT JOIN CommessePre ON "
      "(Costi.IdStima = CommessePre.IdVocePre) AND (Costi.CodCom = CommessePre.CodCom) WHERE "
      "(((Costi.CodCom) = 'C001') And ((Costi.Classe) = 2)) ORDER BY Costi.Data DESC",
      conn);
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.FieldIndex("Codice"), -1);
  EXPECT_EQ(rs.Value("Costi.Codice"), Variant("CAVO1"));
  EXPECT_EQ(rs.Value("CommessePre.Codice"), Variant("V02"));
  EXPECT_EQ(rs.Value("UM"), Variant("MT")) << "a name that appears once keeps its plain form";
  EXPECT_FALSE(rs.Updatable());
}

// Amounts stored as doubles by other programs or by arithmetic read as Currency::fromDouble reads
// them, whether they hold four decimals, more, ties to round or amounts too large to hold them all.
TEST_F(RecordsetTypes, StoredDoublesReadAsTheAmountsTheyHold) {
  testdb::exec(path, R"(
    WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
    INSERT INTO Costi (CodCom, Valore)
    SELECT 'X', CASE i % 8 WHEN 0 THEN i * 0.0001 WHEN 1 THEN -i / 3.0 WHEN 2 THEN (i % 97) * 1.1 * (i % 13) * 0.7
                           WHEN 3 THEN i * 0.00005 WHEN 4 THEN random() / 1e9 WHEN 5 THEN 1e11 + i * 0.0001
                           WHEN 6 THEN -(i % 50) * 0.25 - 1e-9 ELSE (i - 10000) * 12345.6789 END
    FROM n)");
  Recordset rs;
  rs.Open("SELECT Valore, Valore * 1.0 AS Stored FROM Costi WHERE CodCom = 'X'", conn);
  ASSERT_EQ(rs.RecordCount(), 20000);
  int differing = 0;
  for (int r = 0; r < rs.RecordCount(); ++r) {
    const double stored = rs.ValueAt(r, 1).toDouble();
    if (rs.ValueAt(r, 0) != Variant(*Currency::fromDouble(stored)) && ++differing < 5)
      ADD_FAILURE() << std::setprecision(17) << stored << " reads as "
                    << rs.ValueAt(r, 0).toString().toStdString();
  }
  EXPECT_EQ(differing, 0);
}
