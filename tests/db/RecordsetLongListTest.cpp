#include <gtest/gtest.h>

#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "tests/db/DbTestSupport.h"

using namespace db;

namespace {

constexpr int kJobs = 700;  // as the fixture inserts them
constexpr int kLongNoteJob = 350;
constexpr int kLongNoteLength = 300000;

QString code(int job) { return QString("K%1").arg(job, 4, 10, QChar('0')); }

// 700 job orders K0001..K0700: every 7th without customer, one with a very long note, dates, prices
// and descriptions with accents and apostrophes, so that the rows span several hundred of each kind.
class RecordsetLongList : public dbtest::SeededDb {
 protected:
  void SetUp() override {
    SeededDb::SetUp();
    testdb::exec(path, R"(
      WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 700)
      INSERT INTO Commesse (CodCom, IdCliente, DesCom, DataInizio, Prezzo, Chiusa, Note)
      SELECT printf('K%04d', i), CASE WHEN i % 7 = 0 THEN NULL ELSE 1 END, 'Lavoro n° ' || i || ' dell''Ente',
             printf('2024-%02d-%02d', i % 12 + 1, i % 28 + 1), i * 10 + 0.25, i % 2,
             CASE WHEN i = 350 THEN hex(zeroblob(150000)) END
      FROM n)");
  }

  void openJobs(Recordset& rs, LockType lock = adLockReadOnly) {
    rs.Open("SELECT * FROM Commesse WHERE CodCom >= 'K' ORDER BY CodCom", conn, adOpenStatic, lock);
    ASSERT_EQ(rs.RecordCount(), kJobs);
  }

  // The values of one job order as the recordset shows them, next to what was stored.
  void expectJob(const Recordset& rs, int row, int job) {
    SCOPED_TRACE(code(job).toStdString());
    auto at = [&](const char* name) { return rs.ValueAt(row, rs.FieldIndex(name)); };
    EXPECT_EQ(at("CodCom"), Variant(code(job)));
    EXPECT_EQ(at("DesCom"), Variant(QString("Lavoro n° %1 dell'Ente").arg(job)));
    if (job % 7 == 0)
      EXPECT_TRUE(at("IdCliente").isNull());
    else
      EXPECT_EQ(at("IdCliente"), Variant(std::int32_t(1)));
    EXPECT_EQ(at("DataInizio"), Variant(QDate(2024, job % 12 + 1, job % 28 + 1)));
    EXPECT_EQ(at("Prezzo"), Variant(*Currency::fromDouble(job * 10 + 0.25)));
    EXPECT_EQ(at("Chiusa"), Variant(job % 2 == 1));
    EXPECT_EQ(at("Note").toString().size(), job == kLongNoteJob ? kLongNoteLength : 0);
    EXPECT_EQ(at("Note").isNull(), job != kLongNoteJob);
  }
};

}  // namespace

TEST_F(RecordsetLongList, EveryRowReadsAsStoredInWhateverOrderItIsAskedFor) {
  Recordset rs;
  openJobs(rs);
  for (const int row : {kJobs - 1, 512, 256, 255, kLongNoteJob - 1, 0, 1}) expectJob(rs, row, row + 1);
  const Variant& first = rs.ValueAt(3, 0);
  for (int row = 0; row < kJobs; ++row) rs.ValueAt(row, rs.FieldIndex("DesCom"));
  EXPECT_EQ(&rs.ValueAt(3, 0), &first) << "a value read once stays where it is";

  rs.setAbsolutePosition(kLongNoteJob - 1);
  EXPECT_EQ(rs.Value("Note").toString(), QString(kLongNoteLength, QChar('0')));
}

TEST_F(RecordsetLongList, DeletingEditingAndAddingKeepEveryOtherRow) {
  Recordset rs;
  openJobs(rs, adLockOptimistic);
  rs.setAbsolutePosition(300);
  rs.Delete();
  EXPECT_EQ(rs.RecordCount(), kJobs - 1);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Commesse WHERE CodCom='K0301'"), 0);
  expectJob(rs, 299, 300);
  expectJob(rs, 300, 302);
  expectJob(rs, kJobs - 2, kJobs);
  expectJob(rs, kLongNoteJob - 2, kLongNoteJob);

  rs.setAbsolutePosition(kLongNoteJob - 2);
  rs.SetValue("DesCom", QString("Rifatta l'insegna"));
  rs.Update();
  EXPECT_EQ(testdb::scalar(path, "SELECT DesCom FROM Commesse WHERE CodCom='K0350'"), "Rifatta l'insegna");
  EXPECT_EQ(testdb::scalar(path, "SELECT length(Note) FROM Commesse WHERE CodCom='K0350'"),
            QString::number(kLongNoteLength))
      << "the columns not assigned are left as they were";
  EXPECT_EQ(rs.Value("DesCom"), Variant(QString("Rifatta l'insegna")));

  rs.AddNew();
  EXPECT_EQ(rs.AbsolutePosition(), kJobs - 1);
  EXPECT_TRUE(rs.Value("CodCom").isNull());
  EXPECT_TRUE(rs.Value("Chiusa").isNull());
  rs.CancelUpdate();
  EXPECT_EQ(rs.RecordCount(), kJobs - 1);

  rs.AddNew();
  rs.SetValue("CodCom", QString("K9999"));
  rs.Update();
  EXPECT_EQ(rs.RecordCount(), kJobs);
  EXPECT_EQ(rs.ValueAt(kJobs - 1, 0), Variant(QString("K9999")));
  EXPECT_EQ(rs.Value("Chiusa"), Variant(false)) << "the table's default is read back";
  expectJob(rs, kJobs - 2, kJobs);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Commesse WHERE CodCom >= 'K'"), kJobs);
}

TEST_F(RecordsetLongList, AnEditOfARowChangedByOthersIsRefusedAndRequeryShowsTheirChange) {
  Recordset rs;
  openJobs(rs, adLockOptimistic);
  testdb::exec(path, "UPDATE Commesse SET Prezzo = 1 WHERE CodCom = 'K0600'");
  testdb::exec(path, "DELETE FROM Commesse WHERE CodCom = 'K0001'");
  rs.setAbsolutePosition(599);
  rs.SetValue("DesCom", QString("Mia"));
  try {
    rs.Update();
    ADD_FAILURE() << "the row changed by others was overwritten";
  } catch (const DbError& e) {
    EXPECT_EQ(e.code(), DbError::Conflict);
  }
  EXPECT_EQ(testdb::scalar(path, "SELECT DesCom FROM Commesse WHERE CodCom='K0600'"),
            "Lavoro n° 600 dell'Ente");
  rs.CancelUpdate();

  rs.Requery();
  EXPECT_EQ(rs.RecordCount(), kJobs - 1);
  EXPECT_EQ(rs.ValueAt(598, rs.FieldIndex("Prezzo")), Variant(Currency::fromInt(1)));
  expectJob(rs, 0, 2);
}

TEST_F(RecordsetLongList, AComputedColumnOfWholeAndFractionalNumbersReadsThemAllAsDoubles) {
  for (const CursorType cursor : {adOpenStatic, adOpenForwardOnly}) {
    Recordset rs;
    rs.Open("SELECT CodCom, IIf(Chiusa, 2, 2.5) AS Fattore FROM Commesse WHERE CodCom >= 'K' ORDER BY CodCom",
            conn, cursor);
    EXPECT_EQ(rs.Field(1).type, adDouble);
    EXPECT_EQ(rs.Value(1).type(), VarType::Double);
    EXPECT_EQ(rs.Value(1).toDouble(), 2.0);
    rs.MoveNext();
    EXPECT_EQ(rs.Value(1), Variant(2.5));
  }
}

// A forward-only, read-only recordset holds one row at a time: it shows every row once, in order,
// with what was committed before it opened, and refuses to go back.
TEST_F(RecordsetLongList, AForwardOnlyListShowsEveryRowOnceAndRefusesToGoBack) {
  testdb::exec(path, "UPDATE Commesse SET DesCom = 'D''Angelo' WHERE CodCom = 'K0700'");
  Recordset rs;
  rs.Open("SELECT * FROM Commesse WHERE CodCom >= 'K' ORDER BY CodCom", conn, adOpenForwardOnly);
  EXPECT_EQ(rs.RecordCount(), -1);
  EXPECT_TRUE(rs.isBOF() == false && rs.isEOF() == false);
  int job = 0;
  for (; !rs.isEOF(); rs.MoveNext()) {
    ++job;
    ASSERT_EQ(rs.AbsolutePosition(), job - 1);
    if (job < kJobs) expectJob(rs, job - 1, job);
    if (job == 3) {
      for (auto goBack : {&Recordset::MovePrevious, &Recordset::MoveFirst, &Recordset::MoveLast})
        EXPECT_THROW((rs.*goBack)(), DbError);
      EXPECT_THROW(rs.ValueAt(1, 0), DbError);
      EXPECT_THROW(rs.setAbsolutePosition(0), DbError);
      EXPECT_EQ(rs.Value("CodCom"), Variant(code(3)));
    }
  }
  EXPECT_EQ(job, kJobs);
  EXPECT_FALSE(rs.isBOF());
  EXPECT_THROW(rs.MoveNext(), DbError);

  // A text looked for with an apostrophe, and the list read again from its first row.
  rs.Close();
  rs.Open("SELECT CodCom FROM Commesse WHERE DesCom = 'D''Angelo'", conn, adOpenForwardOnly);
  EXPECT_EQ(rs.Value(0), Variant(code(kJobs)));
  rs.MoveNext();
  EXPECT_TRUE(rs.isEOF());
  rs.Requery();
  EXPECT_EQ(rs.Value(0), Variant(code(kJobs)));
}

TEST_F(RecordsetLongList, AListThatFailsToReadTellsSQLitesCauseAndLetsTheFileGo) {
  for (const QString failing : {"K0001", "K0003"}) {
    SCOPED_TRACE(failing.toStdString());
    Recordset rs;
    try {
      rs.Open("SELECT * FROM Commesse WHERE CodCom >= 'K' AND Abs(IIf(CodCom = '" + failing +
                  "', -9223372036854775807 - 1, 1)) > 0 ORDER BY CodCom",
              conn, adOpenForwardOnly);
      ADD_FAILURE() << "the failed read opened";
    } catch (const DbError& e) {
      EXPECT_EQ(e.code(), DbError::SqlError);
      EXPECT_TRUE(e.description().contains("integer overflow")) << e.description().toStdString();
    }
    EXPECT_FALSE(rs.IsOpen());
    // The failed statement holds no lock: another program writes at once.
    testdb::exec(path, "UPDATE Commesse SET DesCom = 'Altro' WHERE CodCom = 'K0001'");
  }
  EXPECT_EQ(testdb::scalar(conn, "SELECT DesCom FROM Commesse WHERE CodCom = 'K0001'"),
            Variant(QString("Altro")));
}
