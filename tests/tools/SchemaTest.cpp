#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <map>

#include "tests/support/Printers.h"
#include "tests/support/TestDb.h"
#include "tests/support/TestEnv.h"
#include "tests/support/UserDirs.h"

namespace {

// "name TYPE" of each column of a table in order.
QStringList columnsOf(const QString& db, const QString& table) {
  QStringList result;
  for (const QString& row : testdb::rows(db, "SELECT name, type FROM pragma_table_info('" + table + "')"))
    result << row.section('|', 0, 0) + " " + row.section('|', 1, 1);
  return result;
}

const std::map<QString, QStringList>& expectedTables() {
  static const std::map<QString, QStringList> tables{
      {"Commesse",
       {"CodCom VARCHAR(20)", "IdCliente LONG", "IdModello LONG", "DesCom VARCHAR(100)",
        "Responsabile VARCHAR(50)", "DataInizio DATETIME", "DataFine DATETIME", "DataConPre DATETIME",
        "DataConsegna DATETIME", "ScadenzaGaranzia DATETIME", "Prezzo CURRENCY", "EcoTar CURRENCY",
        "Chiusa BOOLEAN", "Consegnata BOOLEAN", "InGaranzia BOOLEAN", "Attiva BOOLEAN", "Note LONGTEXT"}},
      {"CommessePre",
       {"IdVocePre INTEGER", "CodCom VARCHAR(20)", "Codice VARCHAR(20)", "Descrizione VARCHAR(255)",
        "DescEstesa LONGTEXT", "Ordine LONG", "UM VARCHAR(10)", "Tariffa CURRENCY", "CostoStimato CURRENCY",
        "QPrev DOUBLE", "Quantita DOUBLE", "Prezzo CURRENCY"}},
      {"PreModelli", {"IdModello INTEGER", "Descrizione VARCHAR(100)", "Note LONGTEXT"}},
      {"PreVoci",
       {"IdVocePre INTEGER", "IdModelloPre LONG", "Codice VARCHAR(20)", "Descrizione VARCHAR(255)",
        "DescEstesa LONGTEXT", "Ordine LONG", "UM VARCHAR(10)", "Tariffa CURRENCY", "CostoStimato CURRENCY"}},
      {"Costi",
       {"IdCosto INTEGER",
        "Classe SMALLINT",
        "Tipo LONG",
        "Riga LONG",
        "CodCom VARCHAR(20)",
        "InEconomia BOOLEAN",
        "IdStima LONG",
        "Data DATETIME",
        "CodImp LONG",
        "CodMac LONG",
        "NumOre1 DOUBLE",
        "NumMinuti1 DOUBLE",
        "NumOre2 DOUBLE",
        "NumMinuti2 DOUBLE",
        "Ore DOUBLE",
        "NumOre DOUBLE",
        "NumMinuti DOUBLE",
        "Tariffa CURRENCY",
        "NumPezzi DOUBLE",
        "NumScarti DOUBLE",
        "Codice VARCHAR(40)",
        "Descrizione VARCHAR(255)",
        "UM VARCHAR(10)",
        "Quantita DOUBLE",
        "CostoUnitario CURRENCY",
        "Riferimenti VARCHAR(50)",
        "Valore CURRENCY",
        "PrezzoUnitario CURRENCY"}},
      {"CliFor",
       {"IdCliFor INTEGER", "Tipo VARCHAR(10)", "Nome VARCHAR(100)", "Indirizzo VARCHAR(100)",
        "CAP VARCHAR(10)", "Località VARCHAR(50)", "Prov VARCHAR(5)", "PIVA VARCHAR(16)",
        "Telefono VARCHAR(30)", "Cellulare VARCHAR(30)", "Fax VARCHAR(30)", "Email VARCHAR(100)",
        "Note LONGTEXT"}},
      {"Impiegati",
       {"CodImp INTEGER", "Cognome VARCHAR(50)", "Nome VARCHAR(50)", "Tariffa CURRENCY", "Note LONGTEXT"}},
      {"Articoli",
       {"Codice VARCHAR(40)", "Descrizione VARCHAR(50)", "Costo CURRENCY", "Ricarico DOUBLE", "Note LONGTEXT",
        "PrezzoIvato CURRENCY", "Prezzo CURRENCY", "Aliquota CURRENCY", "CodiceArtFor VARCHAR(40)",
        "DataIns DATETIME", "Categoria VARCHAR(50)", "UM VARCHAR(10)", "IdFornitore LONG",
        "CodiceIVA VARCHAR(10)"}},
      {"Liste",
       {"Id INTEGER", "Chiave VARCHAR(10)", "Codice VARCHAR(10)", "Descrizione VARCHAR(50)",
        "Predefinito BOOLEAN"}},
      {"CodiciIVA",
       {"CodiceIVA VARCHAR(10)", "Descrizione VARCHAR(50)", "Esenzione BOOLEAN", "Aliquota DOUBLE",
        "Predefinito BOOLEAN"}},
      {"Attivita", {"CodAtt VARCHAR(10)", "Descrizione VARCHAR(50)", "TOMO CURRENCY", "Bloccata BOOLEAN"}},
      {"_Pars", {"k01 VARCHAR(20)", "k02 VARCHAR(50)", "l01 LONG", "s01 VARCHAR(100)", "m01 BLOB"}},
  };
  return tables;
}

TEST(Schema, EveryTableHasItsColumnsInOrderAndNothingElseExists) {
  const QString db = testenv::freshDatabase();
  QStringList expectedNames;
  for (const auto& [table, columns] : expectedTables()) {
    EXPECT_EQ(columnsOf(db, table), columns) << table.toStdString();
    expectedNames << table;
  }
  expectedNames << "costi_prev_sum";
  expectedNames.sort();
  QStringList names = testdb::rows(
      db, "SELECT name FROM sqlite_master WHERE type IN ('table','view') AND name NOT LIKE 'sqlite_%'");
  names.sort();
  EXPECT_EQ(names, expectedNames);
}

TEST(Schema, KeysAreUniqueAndAutoNumbersAreNeverReused) {
  const QString db = testenv::freshDatabase();
  testdb::exec(db, "INSERT INTO Articoli (Codice, Descrizione) VALUES ('VITE', 'Vite M6')");
  // Keys typed by the user compare without case, as the user reads them.
  EXPECT_EQ(testdb::rows(db, "SELECT Codice FROM Articoli WHERE Codice = 'vite'"), QStringList{"VITE"});
  testdb::exec(db, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Uno')");
  testdb::exec(db, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Due')");
  testdb::exec(db, "DELETE FROM CliFor WHERE Nome = 'Due'");
  testdb::exec(db, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Tre')");
  EXPECT_EQ(testdb::rows(db, "SELECT IdCliFor, Nome FROM CliFor ORDER BY IdCliFor"),
            (QStringList{"1|Uno", "3|Tre"}));
  // Yes/No columns are False when not given.
  testdb::exec(db, "INSERT INTO Commesse (CodCom, IdCliente) VALUES ('C1', 1)");
  EXPECT_EQ(testdb::rows(db, "SELECT Chiusa, Consegnata, InGaranzia, Attiva FROM Commesse"),
            QStringList{"0|0|0|0"});
}

TEST(Schema, TemplateHoldsOnlyTheOtherCostCategories) {
  const QString db = testenv::freshDatabase();
  for (const auto& [table, columns] : expectedTables()) {
    if (table == "_Pars") continue;
    EXPECT_EQ(testdb::rows(db, "SELECT count(*) FROM " + table), QStringList{"0"}) << table.toStdString();
  }
  const QStringList categories = testdb::rows(db, "SELECT k01, l01, s01 FROM _Pars ORDER BY l01");
  ASSERT_FALSE(categories.isEmpty());
  EXPECT_EQ(testdb::rows(db, "SELECT count(*) FROM _Pars WHERE k01 <> 'catcos'"), QStringList{"0"});
  EXPECT_EQ(testdb::rows(db, "SELECT count(DISTINCT l01) FROM _Pars WHERE s01 <> ''"),
            QStringList{QString::number(categories.size())});
}

TEST(Schema, CostSumsPerQuoteLineAndJobOrder) {
  const QString db = testenv::freshDatabase();
  testdb::exec(db,
               "INSERT INTO Costi (Classe, CodCom, IdStima, Valore) VALUES "
               "(0, 'C1', 1, 10.5), (2, 'C1', 1, 0.1), (2, 'C1', 1, 0.2), "
               "(0, 'C1', 2, 7), (3, 'C2', 1, 3), (0, 'C1', NULL, 4), (0, 'C1', NULL, 1.25)");
  EXPECT_EQ(testdb::rows(db,
                         "SELECT IdStima, CodCom, CostoTotale FROM costi_prev_sum "
                         "ORDER BY CodCom, IdStima IS NULL, IdStima"),
            (QStringList{"1|C1|10.8", "2|C1|7.0", "NULL|C1|5.25", "1|C2|3.0"}));
  // Amounts are fixed-point: the total is exact, not the sum of binary fractions.
  EXPECT_EQ(
      testdb::rows(db, "SELECT CostoTotale = 10.8 FROM costi_prev_sum WHERE IdStima = 1 AND CodCom = 'C1'"),
      QStringList{"1"});
  EXPECT_EQ(testdb::rows(db, "SELECT count(*) FROM costi_prev_sum WHERE IdStima = 3"), QStringList{"0"})
      << "a quote line without costs has no row";
}

TEST(Schema, RowsAreFoundThroughAnIndexNotByReadingWholeTables) {
  const QString db = testenv::freshDatabase();
  // The searches the windows make on tables that grow: deletion checks, cost days, lists, layouts.
  const char* searches[] = {
      "SELECT * FROM Costi WHERE CodCom='C1' AND Data='2024-03-05' AND Classe=0",
      "DELETE FROM Costi WHERE Data='2024-03-05'",
      "SELECT Data, Sum(Valore) FROM Costi GROUP BY Data",
      "SELECT IdCosto FROM Costi WHERE Codice='A'",
      "SELECT * FROM Costi WHERE CodImp=1",
      "SELECT Sum(Quantita*CostoUnitario) FROM Costi WHERE InEconomia=0 AND Classe=0 AND CodCom='C1'",
      "SELECT * FROM costi_prev_sum WHERE IdStima=1 AND CodCom='C1'",
      "SELECT * FROM Commesse WHERE CodCom='C1'",
      "SELECT IdCliente FROM Commesse WHERE IdCliente=1",
      "SELECT CodCom FROM Commesse WHERE IdModello=1",
      "SELECT * FROM CommessePre WHERE CodCom='C1'",
      "SELECT * FROM PreVoci WHERE IdModelloPre=1",
      "SELECT * FROM Articoli WHERE Codice='A'",
      "SELECT IdFornitore FROM Articoli WHERE IdFornitore=1",
      "SELECT Codice FROM Articoli WHERE Categoria='A'",
      "SELECT Codice FROM Articoli WHERE UM='A'",
      "SELECT Codice FROM Articoli WHERE CodiceIVA='A'",
      "SELECT * FROM CliFor WHERE IdCliFor=1",
      "SELECT * FROM CliFor WHERE Tipo='Cliente'",
      "SELECT * FROM Liste WHERE Chiave='um'",
      "SELECT * FROM _Pars WHERE k01='gridlayout' AND k02='gex_com'",
  };
  for (const char* sql : searches) {
    const QString plan = testdb::rows(db, QStringLiteral("EXPLAIN QUERY PLAN ") + sql).join('\n');
    EXPECT_TRUE(plan.contains("USING INDEX") || plan.contains("USING COVERING INDEX") ||
                plan.contains("USING INTEGER PRIMARY KEY") || plan.contains("USING PRIMARY KEY"))
        << sql << "\n"
        << plan.toStdString();
  }
}

TEST(TemplateBuilder, AFailingScriptLeavesNoTemplate) {
  QTemporaryDir dir;
  QFile script(dir.path() + "/schema.sql");
  ASSERT_TRUE(script.open(QIODevice::WriteOnly));
  script.write("CREATE TABLE A (x LONG);\nCREATE TABLE A (y LONG);\n");
  script.close();

  QProcess builder;
  builder.start(QStringLiteral(MKTEMPLATE), {script.fileName(), dir.path() + "/master.gen"});
  ASSERT_TRUE(builder.waitForFinished());
  EXPECT_NE(builder.exitCode(), 0);
  EXPECT_EQ(UserDirs::entries(dir.path()), QStringList{"schema.sql"});
}

}  // namespace
