#include <gtest/gtest.h>

#include <sqlite3.h>

#include <QDate>

#include "core/Globals.h"
#include "app/RegoleEliminazione.h"
#include "platform/db/Connection.h"
#include "platform/forms/MsgBox.h"
#include "tests/app/DatiProva.h"

using datiprova::Conta;
using forms::MsgBoxRequest;

namespace {

// Answers every message box with `risposta` and records what was shown.
class RegoleEliminazioneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    datiprova::CreaDatabase();
    forms::setMsgBoxHandler([this](const MsgBoxRequest& r) {
      mostrati.push_back(r);
      return risposta;
    });
  }
  void TearDown() override { forms::setMsgBoxHandler(nullptr); }

  EsitoEliminazione Elimina(const QString& codice, const RigaDaEliminare& riga) {
    const auto regola = RegolaPer(codice, riga);
    EXPECT_TRUE(regola.has_value()) << codice.toStdString();
    return regola ? EseguiEliminazione(*regola, ConnString, nullptr) : EsitoEliminazione::Annullata;
  }

  int risposta = forms::vbYes;
  std::vector<MsgBoxRequest> mostrati;
};

constexpr int kDomanda = forms::vbYesNo | forms::vbQuestion | forms::vbDefaultButton2;

TEST_F(RegoleEliminazioneTest, AnsweringNoDeletesNothingAndOpensNoConnection) {
  risposta = forms::vbNo;
  const auto regola = RegolaPer("cli", {Variant(3), Variant(), Variant()});
  ASSERT_TRUE(regola);
  // A connection that could not open would show its error: with No nothing is opened at all.
  EXPECT_EQ(EseguiEliminazione(*regola, "Data Source=/nessuna/cartella/coms.mdb", nullptr),
            EsitoEliminazione::Annullata);
  ASSERT_EQ(mostrati.size(), 1u);
  EXPECT_EQ(mostrati[0].text, "Eliminare il Cliente selezionato?");
  EXPECT_EQ(mostrati[0].style, kDomanda);
  EXPECT_EQ(mostrati[0].title, AppTitle);
  EXPECT_EQ(Conta("SELECT * FROM CliFor WHERE IdCliFor=3"), 1);
}

TEST_F(RegoleEliminazioneTest, CustomerWithJobOrdersIsRefusedUntilTheyAreGone) {
  EXPECT_EQ(Elimina("cli", {Variant(2), {}, {}}), EsitoEliminazione::Rifiutata);
  ASSERT_EQ(mostrati.size(), 2u);
  EXPECT_EQ(mostrati[1].text, "Il Cliente ha una o più Commesse associate, quindi non verrà eliminato.");
  EXPECT_EQ(mostrati[1].style, forms::vbOKOnly);
  EXPECT_EQ(mostrati[1].title, AppTitle);
  EXPECT_EQ(Conta("SELECT * FROM CliFor WHERE IdCliFor=2"), 1);

  EXPECT_EQ(Elimina("com", {Variant("C'03"), {}, {}}), EsitoEliminazione::Eseguita);
  EXPECT_EQ(Elimina("cli", {Variant(2), {}, {}}), EsitoEliminazione::Eseguita);
  EXPECT_EQ(Conta("SELECT * FROM CliFor WHERE IdCliFor=2"), 0);
  EXPECT_EQ(Conta("SELECT * FROM CliFor"), 4);
}

TEST_F(RegoleEliminazioneTest, JobOrderTakesItsCostsAndQuoteLinesWithIt) {
  EXPECT_EQ(Elimina("com", {Variant("C001"), {}, {}}), EsitoEliminazione::Eseguita);
  EXPECT_EQ(mostrati[0].text,
            "Eliminare la Commessa selezionata?\r\nL'operazione cancellerà anche tutte le "
            "registrazioni associate.");
  EXPECT_EQ(mostrati.size(), 1u);
  EXPECT_EQ(Conta("SELECT * FROM Commesse WHERE CodCom='C001'"), 0);
  EXPECT_EQ(Conta("SELECT * FROM Costi WHERE CodCom='C001'"), 0);
  EXPECT_EQ(Conta("SELECT * FROM CommessePre WHERE CodCom='C001'"), 0);
  EXPECT_EQ(Conta("SELECT * FROM Commesse"), 2);
  EXPECT_EQ(Conta("SELECT * FROM Costi"), 2);
  EXPECT_EQ(Conta("SELECT * FROM CommessePre"), 1);
}

TEST_F(RegoleEliminazioneTest, ApostrophesInKeysNeitherBreakNorWidenTheStatements) {
  EXPECT_EQ(Elimina("com", {Variant("C'03"), {}, {}}), EsitoEliminazione::Eseguita);
  EXPECT_EQ(Conta("SELECT * FROM Commesse WHERE CodCom='C''03'"), 0);
  EXPECT_EQ(Conta("SELECT * FROM Costi WHERE CodCom='C''03'"), 0);
  EXPECT_EQ(Conta("SELECT * FROM CommessePre WHERE CodCom='C''03'"), 0);

  // A key crafted to turn the condition into "always true" deletes nothing.
  EXPECT_EQ(Elimina("art", {Variant("x' OR 'a'='a"), {}, {}}), EsitoEliminazione::Eseguita);
  EXPECT_EQ(Conta("SELECT * FROM Articoli"), 2);

  EXPECT_EQ(Elimina("art", {Variant("ART'2"), {}, {}}), EsitoEliminazione::Eseguita);
  EXPECT_EQ(Conta("SELECT * FROM Articoli WHERE Codice='ART''2'"), 0);
  // Every box was a question: no database error was shown.
  for (const MsgBoxRequest& r : mostrati) EXPECT_EQ(r.style, kDomanda) << r.text.toStdString();
}

TEST_F(RegoleEliminazioneTest, CostDayRemovesEveryCostOfThatDate) {
  EXPECT_EQ(Elimina("rpu", {Variant(QDate(2024, 3, 5)), {}, {}}), EsitoEliminazione::Eseguita);
  EXPECT_EQ(mostrati[0].text, "Eliminare tutti i rapporti del 05-03-2024 ?");
  EXPECT_EQ(Conta("SELECT * FROM Costi WHERE Data=#03/05/2024#"), 0);
  EXPECT_EQ(Conta("SELECT * FROM Costi"), 2);
}

TEST_F(RegoleEliminazioneTest, CostDayBeyondTheTwoDigitCenturyWindowIsDeletedToo) {
  datiprova::EseguiSqlite("INSERT INTO Costi (Classe, CodCom, Data, Valore) VALUES (3, 'C001', '2031-01-15', 5)");
  EXPECT_EQ(Elimina("rpu", {Variant(QDate(2031, 1, 15)), {}, {}}), EsitoEliminazione::Eseguita);
  EXPECT_EQ(mostrati[0].text, "Eliminare tutti i rapporti del 15-01-2031 ?");
  EXPECT_EQ(Conta("SELECT * FROM Costi WHERE CodCom='C001'"), 2);
  EXPECT_EQ(Conta("SELECT * FROM Costi"), 4);
}

// Each linked row is refused with its message and stays; the unlinked one of the same table goes.
struct CasoBloccante {
  const char* codice;
  RigaDaEliminare bloccata;
  RigaDaEliminare libera;
  const char* domanda;
  const char* rifiuto;
  const char* restanti;  // rows of the table left after the free one is deleted
  int numeroRestanti;
};

TEST_F(RegoleEliminazioneTest, LinkedRowsAreRefusedAndFreeOnesDeleted) {
  const CasoBloccante casi[] = {
      {"cat", {Variant(2), Variant("LE"), Variant("Legno d'abete")}, {Variant(3), Variant("VE"), Variant("Vetro")},
       "Eliminare la Categoria selezionata?", "La categoria ha Articoli associati, quindi non verrà eliminata.",
       "SELECT * FROM Liste WHERE Chiave='cat'", 2},
      {"umi", {Variant(5), Variant("m'"), Variant("Piedi")}, {Variant(6), Variant("pz"), Variant("Pezzi")},
       "Eliminare l'Unità di misura selezionata?",
       "L'unità di misura ha Articoli associati, quindi non verrà eliminata.",
       "SELECT * FROM Liste WHERE Chiave='um'", 2},
      {"for", {Variant(4), {}, {}}, {Variant(5), {}, {}}, "Eliminare il Fornitore selezionato?",
       "Il Fornitore ha delle registrazioni associate, quindi non verrà eliminato.",
       "SELECT * FROM CliFor WHERE Tipo='Fornitore'", 1},
      {"imp", {Variant(1), {}, {}}, {Variant(2), {}, {}}, "Eliminare l'Impiegato selezionato?",
       "L'impiegato ha delle registrazioni associate, quindi non verrà eliminato.", "SELECT * FROM Impiegati",
       1},
      {"iva", {Variant("22"), {}, {}}, {Variant("4"), {}, {}}, "Eliminare il Codice IVA selezionato?",
       "Il Codice IVA ha Articoli associati, quindi non verrà eliminato.", "SELECT * FROM CodiciIVA", 2},
      // Last: the category and unit cases rely on ART'2 being there.
      {"art", {Variant("ART1"), {}, {}}, {Variant("ART'2"), {}, {}}, "Eliminare l'Articolo selezionato?",
       "L'Articolo ha delle Registrazioni associate, quindi non verrà eliminato.", "SELECT * FROM Articoli", 1},
  };
  for (const CasoBloccante& caso : casi) {
    SCOPED_TRACE(caso.codice);
    mostrati.clear();
    EXPECT_EQ(Elimina(caso.codice, caso.bloccata), EsitoEliminazione::Rifiutata);
    ASSERT_EQ(mostrati.size(), 2u);
    EXPECT_EQ(mostrati[0].text, QString::fromUtf8(caso.domanda));
    EXPECT_EQ(mostrati[1].text, QString::fromUtf8(caso.rifiuto));
    EXPECT_EQ(mostrati[1].style, forms::vbOKOnly);

    mostrati.clear();
    EXPECT_EQ(Elimina(caso.codice, caso.libera), EsitoEliminazione::Eseguita);
    EXPECT_EQ(mostrati.size(), 1u);
    EXPECT_EQ(Conta(caso.restanti), caso.numeroRestanti);
  }
}

TEST_F(RegoleEliminazioneTest, TemplateUsedByAJobOrderStaysAndAFreeOneGoesWithItsLines) {
  EXPECT_EQ(Elimina("adi", {Variant(1), {}, {}}), EsitoEliminazione::Rifiutata);
  EXPECT_EQ(mostrati[0].text, "Eliminare Il Modello Preventivo selezionato?");
  EXPECT_EQ(mostrati[1].text, "Il Modello ha delle Registrazioni associate, quindi non verrà eliminato.");
  EXPECT_EQ(Conta("SELECT * FROM PreVoci WHERE IdModelloPre=1"), 1);

  EXPECT_EQ(Elimina("adi", {Variant(2), {}, {}}), EsitoEliminazione::Eseguita);
  EXPECT_EQ(Conta("SELECT * FROM PreModelli"), 1);
  EXPECT_EQ(Conta("SELECT * FROM PreVoci WHERE IdModelloPre=2"), 0);
  EXPECT_EQ(Conta("SELECT * FROM PreVoci"), 1);
}

TEST_F(RegoleEliminazioneTest, AFailingDeletionShowsTheErrorAndKeepsEveryRow) {
  datiprova::EseguiSqlite(
      "CREATE TRIGGER blocca BEFORE DELETE ON Commesse BEGIN SELECT RAISE(ABORT, 'commessa bloccata'); END");
  EXPECT_EQ(Elimina("com", {Variant("C001"), {}, {}}), EsitoEliminazione::Fallita);
  ASSERT_EQ(mostrati.size(), 2u);
  EXPECT_TRUE(mostrati[1].text.contains("commessa bloccata")) << mostrati[1].text.toStdString();
  EXPECT_EQ(mostrati[1].style, forms::vbOKOnly);
  EXPECT_EQ(mostrati[1].title, AppTitle);
  // The costs and quote lines deleted before the failure are back.
  EXPECT_EQ(Conta("SELECT * FROM Costi WHERE CodCom='C001'"), 2);
  EXPECT_EQ(Conta("SELECT * FROM CommessePre WHERE CodCom='C001'"), 2);
  EXPECT_EQ(Conta("SELECT * FROM Commesse WHERE CodCom='C001'"), 1);
}

TEST_F(RegoleEliminazioneTest, AnUnreachableDatabaseIsReportedNotDeleted) {
  const auto regola = RegolaPer("iva", {Variant("4"), {}, {}});
  ASSERT_TRUE(regola);
  EXPECT_EQ(EseguiEliminazione(*regola, "Data Source=/nessuna/cartella/coms.mdb", nullptr),
            EsitoEliminazione::Fallita);
  ASSERT_EQ(mostrati.size(), 2u);
  EXPECT_FALSE(mostrati[1].text.isEmpty());
  EXPECT_EQ(mostrati[1].style, forms::vbOKOnly);
}

TEST_F(RegoleEliminazioneTest, UnknownViewHasNoRule) { EXPECT_FALSE(RegolaPer("xyz", {Variant(1), {}, {}})); }

}  // namespace

namespace {

// Another program that holds the database in a write transaction while it links a row to the
// key being deleted, and commits as soon as the deletion waits for it.
class AltroProgramma {
 public:
  explicit AltroProgramma(const QString& collegamento) {
    sqlite3_open(DBPath.toUtf8().constData(), &m_db);
    esegui("BEGIN IMMEDIATE");
    esegui(collegamento);
  }
  ~AltroProgramma() { sqlite3_close(m_db); }
  // Installed on the deleting connection: its wait ends with this program's commit.
  void confermaQuandoAttende(db::Connection& cn) {
    sqlite3_busy_handler(
        cn.handle(),
        [](void* altro, int) {
          static_cast<AltroProgramma*>(altro)->esegui("COMMIT");
          return 1;
        },
        this);
  }

 private:
  void esegui(const QString& sql) {
    ASSERT_EQ(sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK) << sql.toStdString();
  }
  sqlite3* m_db = nullptr;
};

struct CollegamentoConcorrente {
  const char* codice;
  RigaDaEliminare libera;
  const char* collegamento;  // the row the other program adds
  const char* riga;          // the row that must stay
};

}  // namespace

TEST_F(RegoleEliminazioneTest, ARowLinkedByAnotherProgramDuringTheDeletionBlocksIt) {
  const CollegamentoConcorrente casi[] = {
      {"art", {Variant("ART'2"), {}, {}},
       "INSERT INTO Costi (Classe, CodCom, Data, Codice, Valore) VALUES (2, 'C001', '2024-03-08', 'ART''2', 1)",
       "SELECT * FROM Articoli WHERE Codice='ART''2'"},
      {"for", {Variant(5), {}, {}}, "INSERT INTO Articoli (Codice, IdFornitore) VALUES ('ART3', 5)",
       "SELECT * FROM CliFor WHERE IdCliFor=5"},
      {"cli", {Variant(3), {}, {}}, "INSERT INTO Commesse (CodCom, IdCliente) VALUES ('C004', 3)",
       "SELECT * FROM CliFor WHERE IdCliFor=3"},
      {"imp", {Variant(2), {}, {}},
       "INSERT INTO Costi (Classe, CodCom, Data, CodImp, Valore) VALUES (0, 'C001', '2024-03-08', 2, 1)",
       "SELECT * FROM Impiegati WHERE CodImp=2"},
      {"adi", {Variant(2), {}, {}}, "INSERT INTO Commesse (CodCom, IdModello) VALUES ('C005', 2)",
       "SELECT * FROM PreVoci WHERE IdModelloPre=2"},
      {"cat", {Variant(3), Variant("VE"), Variant("Vetro")},
       "INSERT INTO Articoli (Codice, Categoria) VALUES ('ART3', 'Vetro')", "SELECT * FROM Liste WHERE Id=3"},
      {"umi", {Variant(6), Variant("pz"), Variant("Pezzi")},
       "INSERT INTO Articoli (Codice, UM) VALUES ('ART3', 'pz')", "SELECT * FROM Liste WHERE Id=6"},
      {"iva", {Variant("4"), {}, {}}, "INSERT INTO Articoli (Codice, CodiceIVA) VALUES ('ART3', '4')",
       "SELECT * FROM CodiciIVA WHERE CodiceIVA='4'"},
  };
  for (const CollegamentoConcorrente& caso : casi) {
    SCOPED_TRACE(caso.codice);
    datiprova::CreaDatabase();
    const auto regola = RegolaPer(caso.codice, caso.libera);
    ASSERT_TRUE(regola);
    AltroProgramma altro(QString::fromUtf8(caso.collegamento));
    db::Connection cn;
    cn.Open(ConnString);
    altro.confermaQuandoAttende(cn);

    EXPECT_FALSE(EliminaNellaTransazione(cn, *regola));

    EXPECT_FALSE(cn.InTransaction());
    cn.Close();
    EXPECT_EQ(Conta(QString::fromUtf8(caso.riga)), caso.codice == QStringLiteral("adi") ? 2 : 1);
  }
}
