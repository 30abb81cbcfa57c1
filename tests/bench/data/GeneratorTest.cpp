#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <stdexcept>

#include "bench/data/Generator.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "tests/db/DbTestSupport.h"
#include "tests/support/TestEnv.h"

namespace {

benchdata::GeneratorSizes smallSizes() {
  benchdata::GeneratorSizes sizes;
  sizes.customers = 30;
  sizes.suppliers = 8;
  sizes.employees = 6;
  sizes.articles = 120;
  sizes.templates = 4;
  sizes.linesPerTemplate = 5;
  sizes.jobOrders = 60;
  sizes.costRows = 3000;
  return sizes;
}

QString generated(const benchdata::GeneratorSizes& sizes) {
  const QString path = testenv::freshDatabase();
  benchdata::generate(path, sizes);
  return path;
}

// A digest of every row of the tables the generator fills.
QByteArray contentDigest(const QString& path) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  for (const char* table : {"CliFor", "Impiegati", "Articoli", "Liste", "CodiciIVA", "PreModelli", "PreVoci",
                            "Commesse", "CommessePre", "Costi", "Attivita"}) {
    db::Connection conn;
    conn.Open(testenv::connectionString(path));
    db::Recordset rs;
    rs.Open(table, conn);
    for (int r = 0; r < rs.RecordCount(); ++r)
      for (int c = 0; c < rs.FieldCount(); ++c) hash.addData(rs.ValueAt(r, c).toString().toUtf8() + '|');
  }
  return hash.result();
}

}  // namespace

TEST(DataGenerator, FillsEveryTableWithTheRequestedCountsTheSameWayEachTime) {
  const benchdata::GeneratorSizes sizes = smallSizes();
  const QString first = generated(sizes);
  EXPECT_EQ(testdb::count(first, "SELECT * FROM CliFor WHERE Tipo='Cliente'"), sizes.customers);
  EXPECT_EQ(testdb::count(first, "SELECT * FROM CliFor WHERE Tipo='Fornitore'"), sizes.suppliers);
  EXPECT_EQ(testdb::count(first, "SELECT * FROM Impiegati"), sizes.employees);
  EXPECT_EQ(testdb::count(first, "SELECT * FROM Articoli"), sizes.articles);
  EXPECT_EQ(testdb::count(first, "SELECT * FROM PreVoci"), sizes.templates * sizes.linesPerTemplate);
  EXPECT_EQ(testdb::count(first, "SELECT * FROM Commesse"), sizes.jobOrders);
  EXPECT_EQ(testdb::count(first, "SELECT * FROM Costi"), sizes.costRows);
  EXPECT_GT(testdb::count(first, "SELECT * FROM CommessePre"), 0);
  EXPECT_EQ(testdb::count(first, "SELECT * FROM Liste WHERE Chiave='um' AND Predefinito=1"), 1);
  EXPECT_EQ(testdb::count(first, "SELECT * FROM CodiciIVA WHERE Predefinito=1"), 1);
  EXPECT_EQ(testdb::count(first, "SELECT * FROM _Pars WHERE k01='catcos'"), 5)
      << "the template's categories are kept";

  EXPECT_EQ(contentDigest(first), contentDigest(generated(sizes)));
  const benchdata::GeneratorSizes doubled = sizes.scaled(2);
  EXPECT_EQ(doubled.costRows, 2 * sizes.costRows);
  EXPECT_EQ(testdb::count(generated(doubled), "SELECT * FROM Commesse"), 2 * sizes.jobOrders);
}

TEST(DataGenerator, RowsHoldTogetherAsTheProgramWritesThem) {
  const QString path = generated(smallSizes());
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi WHERE CodCom NOT IN (SELECT CodCom FROM Commesse)"), 0);
  EXPECT_EQ(testdb::count(
                path,
                "SELECT * FROM Costi c WHERE IdStima IS NOT NULL AND NOT EXISTS (SELECT 1 FROM CommessePre p "
                "WHERE p.IdVocePre = c.IdStima AND p.CodCom = c.CodCom)"),
            0)
      << "a cost is booked against a quote line of its own job order";
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi WHERE (IdStima IS NULL) <> (InEconomia = 1)"), 0);
  EXPECT_EQ(testdb::count(
                path, "SELECT * FROM Costi WHERE Classe=0 AND CodImp NOT IN (SELECT CodImp FROM Impiegati)"),
            0);
  EXPECT_EQ(testdb::count(
                path, "SELECT * FROM Costi WHERE Classe=2 AND Codice NOT IN (SELECT Codice FROM Articoli)"),
            0);
  EXPECT_EQ(
      testdb::count(
          path,
          "SELECT * FROM Costi WHERE Classe=3 AND Tipo NOT IN (SELECT l01 FROM _Pars WHERE k01='catcos')"),
      0);
  EXPECT_EQ(testdb::count(
                path, "SELECT * FROM Costi WHERE abs(Valore - round(Quantita * CostoUnitario, 4)) > 0.00005"),
            0);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM Costi WHERE Classe NOT IN (0, 2, 3)"), 0);
  EXPECT_EQ(
      testdb::count(
          path,
          "SELECT * FROM Commesse WHERE IdCliente NOT IN (SELECT IdCliFor FROM CliFor WHERE Tipo='Cliente')"),
      0);
  EXPECT_EQ(
      testdb::count(path, "SELECT * FROM Commesse WHERE IdModello NOT IN (SELECT IdModello FROM PreModelli)"),
      0);
  EXPECT_EQ(testdb::count(path,
                          "SELECT * FROM Articoli WHERE IdFornitore NOT IN (SELECT IdCliFor FROM CliFor "
                          "WHERE Tipo='Fornitore')"),
            0);
  EXPECT_EQ(
      testdb::count(path,
                    "SELECT * FROM Articoli WHERE UM NOT IN (SELECT Codice FROM Liste WHERE Chiave='um') OR "
                    "Categoria NOT IN (SELECT Descrizione FROM Liste WHERE Chiave='cat') OR "
                    "CodiceIVA NOT IN (SELECT CodiceIVA FROM CodiciIVA)"),
      0);
  EXPECT_EQ(testdb::count(
                path, "SELECT * FROM Costi WHERE Data NOT GLOB '[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]'"),
            0);
  EXPECT_GT(testdb::count(path, "SELECT * FROM CliFor WHERE Nome LIKE '%''%' OR Località LIKE '%''%'"), 0)
      << "names with apostrophes are part of real data";

  db::Connection conn;
  conn.Open(testenv::connectionString(path));
  db::Recordset days;
  days.Open("SELECT Costi.Data, Sum(Costi.Valore) AS TotValore From Costi GROUP BY Costi.Data", conn);
  ASSERT_GT(days.RecordCount(), 0);
  EXPECT_EQ(days.Value("Data").type(), VarType::Date);
  EXPECT_EQ(days.Value("TotValore").type(), VarType::Currency);
}

TEST(DataGenerator, LeavesADatabaseWithDataUntouched) {
  const QString path = dbtest::seededDatabase();
  const QString before = testdb::scalar(path, "SELECT count(*) || '/' || sum(Valore) FROM Costi");
  EXPECT_THROW(benchdata::generate(path, smallSizes()), std::runtime_error);
  EXPECT_EQ(testdb::scalar(path, "SELECT count(*) || '/' || sum(Valore) FROM Costi"), before);
  EXPECT_EQ(testdb::count(path, "SELECT * FROM CliFor"), 4);
  EXPECT_THROW(benchdata::generate(testenv::homeDir() + "/dbs/manca.mdb", smallSizes()), std::runtime_error);
}

TEST(DataGeneratorTool, HelpPrintsTheUsageAndWritesNoFile) {
  QTemporaryDir folder;
  for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h"), QStringLiteral("--scala")}) {
    QProcess gendb;
    gendb.setWorkingDirectory(folder.path());
    gendb.start(QStringLiteral(GENDB), {option});
    ASSERT_TRUE(gendb.waitForFinished(30000));
    const bool help = option != "--scala";
    EXPECT_EQ(gendb.exitCode(), help ? 0 : 2) << option.toStdString();
    EXPECT_TRUE(
        (help ? gendb.readAllStandardOutput() : gendb.readAllStandardError()).startsWith("uso: gendb"));
    EXPECT_TRUE(QDir(folder.path()).isEmpty()) << option.toStdString();
  }
}
