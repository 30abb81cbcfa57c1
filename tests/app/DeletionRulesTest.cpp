#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDate>

#include "app/DeletionRules.h"
#include "core/Globals.h"
#include "platform/db/Connection.h"
#include "platform/forms/MsgBox.h"
#include "tests/app/TestData.h"
#include "tests/support/TestDb.h"

using forms::MsgBoxRequest;

namespace {

// Answers every message box with `answer` and records what was shown.
class DeletionRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testdata::createDatabase();
    cn.Open(ConnString);
    forms::setMsgBoxHandler([this](const MsgBoxRequest& r) {
      shown.push_back(r);
      return answer;
    });
  }
  void TearDown() override {
    cn.Close();
    forms::setMsgBoxHandler(nullptr);
  }

  DeletionOutcome Delete(const QString& code, const RowToDelete& row) {
    const auto rule = ruleFor(code, row);
    EXPECT_TRUE(rule.has_value()) << code.toStdString();
    return rule ? runDeletion(*rule, ConnString, nullptr) : DeletionOutcome::Cancelled;
  }

  int answer = forms::vbYes;
  std::vector<MsgBoxRequest> shown;
  db::Connection cn;
};

constexpr int kQuestion = forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2;

TEST_F(DeletionRulesTest, AnsweringNoDeletesNothingAndOpensNoConnection) {
  answer = forms::vbNo;
  const auto rule = ruleFor("cli", {Variant(3), Variant(), Variant()});
  ASSERT_TRUE(rule);
  // A connection that could not open would show its error: with No nothing is opened at all.
  EXPECT_EQ(runDeletion(*rule, "Data Source=/nessuna/cartella/coms.mdb", nullptr),
            DeletionOutcome::Cancelled);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "Eliminare il Cliente selezionato?");
  EXPECT_EQ(shown[0].style, kQuestion);
  EXPECT_EQ(shown[0].title, AppTitle);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor WHERE IdCliFor=3"), 1);
}

TEST_F(DeletionRulesTest, CustomerWithJobOrdersIsRefusedUntilTheyAreGone) {
  EXPECT_EQ(Delete("cli", {Variant(2), {}, {}}), DeletionOutcome::Refused);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].text, "Il Cliente ha una o più Commesse associate, quindi non verrà eliminato.");
  EXPECT_EQ(shown[1].style, forms::vbOKOnly);
  EXPECT_EQ(shown[1].title, AppTitle);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor WHERE IdCliFor=2"), 1);

  EXPECT_EQ(Delete("com", {Variant("C'03"), {}, {}}), DeletionOutcome::Done);
  EXPECT_EQ(Delete("cli", {Variant(2), {}, {}}), DeletionOutcome::Done);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor WHERE IdCliFor=2"), 0);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor"), 4);
}

TEST_F(DeletionRulesTest, JobOrderTakesItsCostsAndQuoteLinesWithIt) {
  EXPECT_EQ(Delete("com", {Variant("C001"), {}, {}}), DeletionOutcome::Done);
  EXPECT_EQ(shown[0].text,
            "Eliminare la Commessa selezionata?\r\nL'operazione cancellerà anche tutte le "
            "registrazioni associate.");
  EXPECT_EQ(shown.size(), 1u);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Commesse WHERE CodCom='C001'"), 0);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE CodCom='C001'"), 0);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre WHERE CodCom='C001'"), 0);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Commesse"), 2);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi"), 2);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre"), 1);
}

TEST_F(DeletionRulesTest, ApostrophesInKeysNeitherBreakNorWidenTheStatements) {
  EXPECT_EQ(Delete("com", {Variant("C'03"), {}, {}}), DeletionOutcome::Done);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Commesse WHERE CodCom='C''03'"), 0);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE CodCom='C''03'"), 0);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre WHERE CodCom='C''03'"), 0);

  // A key crafted to turn the condition into "always true" deletes nothing.
  EXPECT_EQ(Delete("art", {Variant("x' OR 'a'='a"), {}, {}}), DeletionOutcome::Done);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Articoli"), 2);

  EXPECT_EQ(Delete("art", {Variant("ART'2"), {}, {}}), DeletionOutcome::Done);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Articoli WHERE Codice='ART''2'"), 0);
  // Every box was a question: no database error was shown.
  for (const MsgBoxRequest& r : shown) EXPECT_EQ(r.style, kQuestion) << r.text.toStdString();
}

TEST_F(DeletionRulesTest, CostDayRemovesEveryCostOfThatDate) {
  EXPECT_EQ(Delete("rpu", {Variant(QDate(2024, 3, 5)), {}, {}}), DeletionOutcome::Done);
  EXPECT_EQ(shown[0].text, "Eliminare tutti i rapporti del 05-03-2024 ?");
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE Data=#03/05/2024#"), 0);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi"), 2);
}

TEST_F(DeletionRulesTest, CostDayBeyondTheTwoDigitCenturyWindowIsDeletedToo) {
  testdb::exec(DBPath,
               "INSERT INTO Costi (Classe, CodCom, Data, Valore) VALUES (3, 'C001', '2031-01-15', 5)");
  EXPECT_EQ(Delete("rpu", {Variant(QDate(2031, 1, 15)), {}, {}}), DeletionOutcome::Done);
  EXPECT_EQ(shown[0].text, "Eliminare tutti i rapporti del 15-01-2031 ?");
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE CodCom='C001'"), 2);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi"), 4);
}

// Each linked row is refused with its message and stays; the unlinked one of the same table goes.
struct BlockingCase {
  const char* code;
  RowToDelete blocked;
  RowToDelete freeRow;
  const char* question;
  const char* refusal;
  const char* remaining;  // rows of the table left after the free one is deleted
  int remainingCount;
};

TEST_F(DeletionRulesTest, LinkedRowsAreRefusedAndFreeOnesDeleted) {
  const BlockingCase cases[] = {
      {"cat",
       {Variant(2), Variant("LE"), Variant("Legno d'abete")},
       {Variant(3), Variant("VE"), Variant("Vetro")},
       "Eliminare la Categoria selezionata?",
       "La categoria ha Articoli associati, quindi non verrà eliminata.",
       "SELECT * FROM Liste WHERE Chiave='cat'",
       2},
      {"umi",
       {Variant(5), Variant("m'"), Variant("Piedi")},
       {Variant(6), Variant("pz"), Variant("Pezzi")},
       "Eliminare l'Unità di misura selezionata?",
       "L'unità di misura ha Articoli associati, quindi non verrà eliminata.",
       "SELECT * FROM Liste WHERE Chiave='um'",
       2},
      {"for",
       {Variant(4), {}, {}},
       {Variant(5), {}, {}},
       "Eliminare il Fornitore selezionato?",
       "Il Fornitore ha delle registrazioni associate, quindi non verrà eliminato.",
       "SELECT * FROM CliFor WHERE Tipo='Fornitore'",
       1},
      {"imp",
       {Variant(1), {}, {}},
       {Variant(2), {}, {}},
       "Eliminare l'Impiegato selezionato?",
       "L'impiegato ha delle registrazioni associate, quindi non verrà eliminato.",
       "SELECT * FROM Impiegati",
       1},
      {"iva",
       {Variant("22"), {}, {}},
       {Variant("4"), {}, {}},
       "Eliminare il Codice IVA selezionato?",
       "Il Codice IVA ha Articoli associati, quindi non verrà eliminato.",
       "SELECT * FROM CodiciIVA",
       2},
      // Last: the category and unit cases rely on ART'2 being there.
      {"art",
       {Variant("ART1"), {}, {}},
       {Variant("ART'2"), {}, {}},
       "Eliminare l'Articolo selezionato?",
       "L'Articolo ha delle Registrazioni associate, quindi non verrà eliminato.",
       "SELECT * FROM Articoli",
       1},
  };
  for (const BlockingCase& testCase : cases) {
    SCOPED_TRACE(testCase.code);
    shown.clear();
    EXPECT_EQ(Delete(testCase.code, testCase.blocked), DeletionOutcome::Refused);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QString::fromUtf8(testCase.question));
    EXPECT_EQ(shown[1].text, QString::fromUtf8(testCase.refusal));
    EXPECT_EQ(shown[1].style, forms::vbOKOnly);

    shown.clear();
    EXPECT_EQ(Delete(testCase.code, testCase.freeRow), DeletionOutcome::Done);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(testdb::count(cn, testCase.remaining), testCase.remainingCount);
  }
}

TEST_F(DeletionRulesTest, TemplateUsedByAJobOrderStaysAndAFreeOneGoesWithItsLines) {
  EXPECT_EQ(Delete("adi", {Variant(1), {}, {}}), DeletionOutcome::Refused);
  EXPECT_EQ(shown[0].text, "Eliminare Il Modello Preventivo selezionato?");
  EXPECT_EQ(shown[1].text, "Il Modello ha delle Registrazioni associate, quindi non verrà eliminato.");
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreVoci WHERE IdModelloPre=1"), 1);

  EXPECT_EQ(Delete("adi", {Variant(2), {}, {}}), DeletionOutcome::Done);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreModelli"), 1);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreVoci WHERE IdModelloPre=2"), 0);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreVoci"), 1);
}

TEST_F(DeletionRulesTest, AFailingDeletionShowsTheErrorAndKeepsEveryRow) {
  testdb::exec(
      DBPath,
      "CREATE TRIGGER blocca BEFORE DELETE ON Commesse BEGIN SELECT RAISE(ABORT, 'commessa bloccata'); END");
  EXPECT_EQ(Delete("com", {Variant("C001"), {}, {}}), DeletionOutcome::Failed);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_TRUE(shown[1].text.contains("commessa bloccata")) << shown[1].text.toStdString();
  EXPECT_EQ(shown[1].style, forms::vbOKOnly);
  EXPECT_EQ(shown[1].title, AppTitle);
  // The costs and quote lines deleted before the failure are back.
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE CodCom='C001'"), 2);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre WHERE CodCom='C001'"), 2);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Commesse WHERE CodCom='C001'"), 1);
}

TEST_F(DeletionRulesTest, AnUnreachableDatabaseIsReportedNotDeleted) {
  const auto rule = ruleFor("iva", {Variant("4"), {}, {}});
  ASSERT_TRUE(rule);
  EXPECT_EQ(runDeletion(*rule, "Data Source=/nessuna/cartella/coms.mdb", nullptr), DeletionOutcome::Failed);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_FALSE(shown[1].text.isEmpty());
  EXPECT_EQ(shown[1].style, forms::vbOKOnly);
}

TEST_F(DeletionRulesTest, UnknownViewHasNoRule) { EXPECT_FALSE(ruleFor("xyz", {Variant(1), {}, {}})); }

}  // namespace

namespace {

// Another program that holds the database in a write transaction while it links a row to the
// key being deleted, and commits as soon as the deletion waits for it.
class OtherProgram {
 public:
  explicit OtherProgram(const QString& link) {
    sqlite3_open(DBPath.toUtf8().constData(), &m_db);
    run("BEGIN IMMEDIATE");
    run(link);
  }
  ~OtherProgram() { sqlite3_close(m_db); }
  // Installed on the deleting connection: its wait ends with this program's commit.
  void commitWhenWaitedFor(db::Connection& cn) {
    sqlite3_busy_handler(
        cn.handle(),
        [](void* other, int) {
          static_cast<OtherProgram*>(other)->run("COMMIT");
          return 1;
        },
        this);
  }

 private:
  void run(const QString& sql) {
    ASSERT_EQ(sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sql.toStdString();
  }
  sqlite3* m_db = nullptr;
};

struct ConcurrentLink {
  const char* code;
  RowToDelete freeRow;
  const char* link;  // the row the other program adds
  const char* row;   // the row that must stay
};

}  // namespace

TEST_F(DeletionRulesTest, ARowLinkedByAnotherProgramDuringTheDeletionBlocksIt) {
  const ConcurrentLink cases[] = {
      {"art",
       {Variant("ART'2"), {}, {}},
       "INSERT INTO Costi (Classe, CodCom, Data, Codice, Valore) VALUES (2, 'C001', '2024-03-08', 'ART''2', "
       "1)",
       "SELECT * FROM Articoli WHERE Codice='ART''2'"},
      {"for",
       {Variant(5), {}, {}},
       "INSERT INTO Articoli (Codice, IdFornitore) VALUES ('ART3', 5)",
       "SELECT * FROM CliFor WHERE IdCliFor=5"},
      {"cli",
       {Variant(3), {}, {}},
       "INSERT INTO Commesse (CodCom, IdCliente) VALUES ('C004', 3)",
       "SELECT * FROM CliFor WHERE IdCliFor=3"},
      {"imp",
       {Variant(2), {}, {}},
       "INSERT INTO Costi (Classe, CodCom, Data, CodImp, Valore) VALUES (0, 'C001', '2024-03-08', 2, 1)",
       "SELECT * FROM Impiegati WHERE CodImp=2"},
      {"adi",
       {Variant(2), {}, {}},
       "INSERT INTO Commesse (CodCom, IdModello) VALUES ('C005', 2)",
       "SELECT * FROM PreVoci WHERE IdModelloPre=2"},
      {"cat",
       {Variant(3), Variant("VE"), Variant("Vetro")},
       "INSERT INTO Articoli (Codice, Categoria) VALUES ('ART3', 'Vetro')",
       "SELECT * FROM Liste WHERE Id=3"},
      {"umi",
       {Variant(6), Variant("pz"), Variant("Pezzi")},
       "INSERT INTO Articoli (Codice, UM) VALUES ('ART3', 'pz')",
       "SELECT * FROM Liste WHERE Id=6"},
      {"iva",
       {Variant("4"), {}, {}},
       "INSERT INTO Articoli (Codice, CodiceIVA) VALUES ('ART3', '4')",
       "SELECT * FROM CodiciIVA WHERE CodiceIVA='4'"},
  };
  for (const ConcurrentLink& testCase : cases) {
    SCOPED_TRACE(testCase.code);
    testdata::createDatabase();
    const auto rule = ruleFor(testCase.code, testCase.freeRow);
    ASSERT_TRUE(rule);
    OtherProgram other(QString::fromUtf8(testCase.link));
    db::Connection deleting;
    deleting.Open(ConnString);
    other.commitWhenWaitedFor(deleting);

    EXPECT_FALSE(deleteInTransaction(deleting, *rule));

    EXPECT_FALSE(deleting.InTransaction());
    deleting.Close();
    EXPECT_EQ(testdb::count(DBPath, QString::fromUtf8(testCase.row)),
              testCase.code == QStringLiteral("adi") ? 2 : 1);
  }
}
