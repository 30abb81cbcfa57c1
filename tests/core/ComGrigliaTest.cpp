#include <QTableView>
#include <QTemporaryDir>

#include "core/Globals.h"
#include "core/comGriglia.h"
#include "tests/grid/GridTestSupport.h"
#include "tests/support/FormTestSupport.h"
#include "tests/support/TestEnv.h"

namespace {

using gridtest::GridFixture;

const QString ViewQuery =
    "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
    "CliFor.IdCliFor";

QString utf16le(const QByteArray& bytes) {
  QString text;
  for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
    text.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8))));
  return text;
}

class ComGrigliaTest : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    setProgramFolder(testenv::programDir());
    testdb::exec(cn, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Rossi')");
    testdb::exec(cn, "INSERT INTO Commesse (CodCom, IdCliente, DesCom) VALUES ('C01', 1, 'Capannone')");
    testdb::exec(cn, "INSERT INTO Commesse (CodCom, IdCliente, DesCom) VALUES ('C02', 1, 'Uffici')");
  }
  void TearDown() override {
    setProgramFolder(QString());
    GridFixture::TearDown();
  }
  // What the main window does on every view switch.
  void showView(grid::GridEX& g, bool fromDatabase) {
    comGriglia::CaricaLayout(g, connString, "gex_com", fromDatabase, true);
    g.setRecordSource(ViewQuery);
    g.rebind();
  }
  int layoutRows() { return testdb::scalar(cn, "SELECT Count(*) FROM _Pars WHERE k01='gridlayout'").toInt(); }
};

TEST_F(ComGrigliaTest, FirstStartTakesTheLayoutFile) {
  showView(*grid, true);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(grid->column(1)->key(), "CodCom");
  EXPECT_EQ(grid->column(1)->caption(), "Codice");
  EXPECT_TRUE(grid->hasFormatStyle("SortedCol"));
  EXPECT_TRUE(grid->hasFormatStyle("Default"));
  EXPECT_FALSE(grid->column("IdCliente")->visible());
  EXPECT_TRUE(grid->column("Cliente")->visible());
  ASSERT_EQ(grid->rowCount(), 2);
  EXPECT_EQ(grid->rowValue(1, 1).toString(), "C01");
  EXPECT_EQ(grid->cellText(1, grid->column("Cliente")->index()), "Rossi");
  EXPECT_EQ(layoutRows(), 0);
}

TEST_F(ComGrigliaTest, SavedLayoutIsStoredAsUtf16AndRestoredAndSavedAgainInTheSameRow) {
  showView(*grid, true);
  grid->sortKeys().clear();
  grid->sortKeys().add(1, grid::Descending);
  grid->column("DesCom")->setWidth(5000);
  comGriglia::SalvaLayout(*grid, connString, "gex_com");
  ASSERT_EQ(layoutRows(), 1);
  const QByteArray stored = testdb::scalar(cn, "SELECT m01 FROM _Pars WHERE k02='gex_com'").toBytes();
  EXPECT_EQ(stored.size() % 2, 0);
  EXPECT_EQ(utf16le(stored), grid->layoutString(true));
  EXPECT_NE(stored.left(2), QByteArray("\xFF\xFE", 2));

  grid::GridEX again;
  showView(again, true);
  EXPECT_EQ(again.sortKeys().item(1), (grid::SortKey{1, grid::Descending}));
  EXPECT_EQ(again.column("DesCom")->width(), 5000);
  EXPECT_EQ(again.rowValue(1, 1).toString(), "C02");

  again.column("DesCom")->setWidth(4000);
  comGriglia::SalvaLayout(again, connString, "gex_com");
  EXPECT_EQ(layoutRows(), 1);
  grid::GridEX third;
  showView(third, true);
  EXPECT_EQ(third.column("DesCom")->width(), 4000);
}

TEST_F(ComGrigliaTest, WithoutTheDatabaseSettingTheFileIsUsedAndPredefinitoStoresNothing) {
  showView(*grid, true);
  grid->column("DesCom")->setWidth(5000);
  comGriglia::SalvaLayout(*grid, connString, "gex_com");

  grid::GridEX fromFile;
  showView(fromFile, false);
  EXPECT_NE(fromFile.column("DesCom")->width(), 5000);

  comGriglia::CaricaLayoutFile(*grid, connString, "gex_com");
  EXPECT_NE(grid->column("DesCom")->width(), 5000);
  EXPECT_EQ(grid->rowCount(), 2);  // the bound rows stay
  grid::GridEX stored;
  showView(stored, true);
  EXPECT_EQ(stored.column("DesCom")->width(), 5000);
}

TEST_F(ComGrigliaTest, MissingFileWarnsWithThePathAndEmptiesTheGrid) {
  QTemporaryDir emptyFolder;
  bind(ViewQuery);
  ASSERT_EQ(grid->rowCount(), 2);
  setProgramFolder(emptyFolder.path());
  comGriglia::CaricaLayout(*grid, connString, "gex_com", true, true);
  ASSERT_EQ(messages.size(), 1u);
  const QString path = emptyFolder.path() + "/gex_com.lyt";
  EXPECT_EQ(messages[0].text, "Attenzione!\r\n\r\nManca il file di configurazione\r\n\"" + path + "\"");
  EXPECT_EQ(messages[0].style, forms::vbCritical | forms::vbOKOnly);
  EXPECT_EQ(messages[0].title, AppTitle);
  EXPECT_EQ(grid->rowCount(), 0);
  EXPECT_EQ(grid->recordSource(), "");

  grid->setRecordSource(ViewQuery);
  grid->rebind();
  EXPECT_EQ(grid->rowCount(), 2);
  EXPECT_EQ(grid->column(1)->key(), "CodCom");
}

TEST_F(ComGrigliaTest, ViewWithoutLayoutFileShowsItsQueryWithDefaultColumns) {
  testdb::exec(cn, "INSERT INTO Impiegati (Cognome, Nome) VALUES ('Bianchi', 'Anna')");
  showView(*grid, true);
  ASSERT_EQ(grid->column(1)->key(), "CodCom");

  QTemporaryDir emptyFolder;
  setProgramFolder(emptyFolder.path());
  grid->setRecordSource(QString());
  grid->rebind();
  comGriglia::CaricaLayout(*grid, connString, "gex_imp", true, true);
  ASSERT_EQ(messages.size(), 1u);
  grid->setRecordSource("SELECT * FROM Impiegati");
  EXPECT_NO_THROW(grid->rebind());
  EXPECT_EQ(messages.size(), 1u);
  ASSERT_EQ(grid->columnCount(), 5);
  EXPECT_EQ(grid->column(1)->key(), "CodImp");
  EXPECT_TRUE(grid->column("Cognome")->visible());
  EXPECT_EQ(grid->column("CodCom"), nullptr);
  EXPECT_EQ(grid->sortKeys().count(), 0);
  ASSERT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(grid->cellText(1, 2), "Bianchi");
}

// Every view's default layout fits its query: the key first, the two styles, the sorted column
// marked, and for the two lists of Liste the code in column 3 and the description in column 4.
TEST_F(ComGrigliaTest, EveryViewLayoutFileFitsItsQuery) {
  struct View {
    const char* code;
    QString query;
    const char* key;
  };
  const View views[] = {
      {"com", ViewQuery, "CodCom"},
      {"rpu", "SELECT Costi.Data, Sum(Costi.Valore) AS TotValore From Costi GROUP BY Costi.Data", "Data"},
      {"art",
       "SELECT Articoli.*, CliFor.Nome, CliFor.Località, CliFor.Prov FROM Articoli LEFT JOIN CliFor ON "
       "Articoli.IdFornitore = CliFor.IdCliFor ORDER BY Articoli.Codice",
       "Codice"},
      {"for", "SELECT * FROM CliFor WHERE Tipo='Fornitore'", "IdCliFor"},
      {"cli", "SELECT * FROM CliFor WHERE Tipo='Cliente'", "IdCliFor"},
      {"imp", "SELECT * FROM Impiegati", "CodImp"},
      {"adi", "SELECT * FROM PreModelli", "IdModello"},
      {"cat", "SELECT * FROM Liste WHERE Chiave='cat'", "Id"},
      {"umi", "SELECT * FROM Liste WHERE Chiave='um'", "Id"},
      {"iva", "SELECT * FROM CodiciIVA", "CodiceIVA"},
  };
  for (const View& v : views) {
    SCOPED_TRACE(v.code);
    grid::GridEX g;
    g.setRecordSource(QString());
    g.rebind();
    comGriglia::CaricaLayoutFile(g, connString, QStringLiteral("gex_") + v.code);
    g.setRecordSource(v.query);
    EXPECT_NO_THROW(g.rebind());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(g.column(1)->key(), v.key);
    EXPECT_TRUE(g.hasFormatStyle("SortedCol"));
    EXPECT_TRUE(g.hasFormatStyle("Default"));
    ASSERT_EQ(g.sortKeys().count(), 1);
    EXPECT_EQ(g.column(g.sortKeys().item(1).column)->cellStyle(), "SortedCol");
    EXPECT_TRUE(g.column(g.sortKeys().item(1).column)->visible());
    EXPECT_EQ(headingsCutShort(qobject_cast<QTableView*>(g.view())), QStringList())
        << "at the layout's widths";
    for (int i = 1; i <= g.columnCount(); ++i) {
      if (g.column(i)->visible()) {
        EXPECT_FALSE(g.column(i)->caption().isEmpty()) << i;
      }
    }
    if (QString(v.code) == "cat" || QString(v.code) == "umi") {
      EXPECT_EQ(g.column(3)->key(), "Codice");
      EXPECT_EQ(g.column(4)->key(), "Descrizione");
    }
  }
  EXPECT_EQ(layoutRows(), 0);
}

TEST_F(ComGrigliaTest, StoredRowWithoutLayoutAppliesNothingAndShowsNothing) {
  testdb::exec(cn, "INSERT INTO _Pars (k01, k02) VALUES ('gridlayout', 'gex_com')");
  QTemporaryDir emptyFolder;
  setProgramFolder(emptyFolder.path());
  bind("SELECT * FROM Commesse");
  const QString before = grid->layoutString();
  comGriglia::CaricaLayout(*grid, connString, "gex_com", true, true);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(grid->layoutString(), before);
  EXPECT_EQ(grid->rowCount(), 2);
}

TEST_F(ComGrigliaTest, NamesWithAnApostropheAreStoredSafely) {
  bind("SELECT * FROM Commesse");
  comGriglia::SalvaLayout(*grid, connString, "gex_l'altra");
  EXPECT_EQ(testdb::scalar(cn, "SELECT k02 FROM _Pars WHERE k01='gridlayout'").toString(), "gex_l'altra");
  grid::GridEX again;
  comGriglia::CaricaLayout(again, connString, "gex_l'altra", true, true);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(again.columnCount(), grid->columnCount());
}

}  // namespace
