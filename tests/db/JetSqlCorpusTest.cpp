// Every SQL text the program's windows compose, run as they compose it against the real schema with
// the seeded rows, each with a check of what it must return or change.
#include <gtest/gtest.h>

#include <functional>

#include "platform/db/Connection.h"
#include "platform/db/JetSql.h"
#include "platform/db/Recordset.h"
#include "tests/db/DbTestSupport.h"

using namespace db;

namespace {

struct Outcome {
  Recordset* rs;  // for a SELECT
  int changed;    // for any other statement
  QString path;
};

struct CorpusCase {
  const char* name;
  QString sql;
  std::function<void(const Outcome&)> check;
};

std::ostream& operator<<(std::ostream& out, const CorpusCase& c) { return out << c.name; }

Variant at(const Outcome& r, int row, const char* field) {
  return r.rs->ValueAt(row, r.rs->FieldIndex(field));
}
Currency money(double v) { return *Currency::fromDouble(v); }

std::function<void(const Outcome&)> rows(int count) {
  return [count](const Outcome& r) { EXPECT_EQ(r.rs->RecordCount(), count); };
}

// The view query of the job orders and its two filters.
const QString B =
    "SELECT Commesse.*, CliFor.Nome AS Cliente FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = "
    "CliFor.IdCliFor";
const QString costBase = "SELECT * FROM Costi WHERE CodCom='C001' AND Data=#03/05/2024#";
const QString amount = "SELECT Sum([Quantita]*[CostoUnitario]) AS V From Costi WHERE ";
const QString reportQuery =
    "SELECT Commesse.*, CliFor.Nome FROM Commesse LEFT JOIN CliFor ON Commesse.IdCliente = CliFor.IdCliFor";

std::function<void(const Outcome&)> amountIs(double expected) {
  return [expected](const Outcome& r) {
    ASSERT_EQ(r.rs->RecordCount(), 1);
    EXPECT_DOUBLE_EQ(r.rs->Value("V").toDouble(), expected);
  };
}

std::vector<CorpusCase> corpus() {
  return {
      // Views of the main window.
      {"ViewJobOrders", B,
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 2);
         EXPECT_EQ(r.rs->FieldNames().first(), "CodCom");
         EXPECT_EQ(r.rs->FieldNames().last(), "Cliente");
         EXPECT_EQ(at(r, 0, "Cliente"), Variant("Rossi Costruzioni"));
       }},
      {"ViewOpenJobOrders", B + " WHERE Chiusa=False",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 1);
         EXPECT_EQ(at(r, 0, "CodCom"), Variant("C001"));
       }},
      {"ViewClosedJobOrders", B + " WHERE Chiusa=True",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 1);
         EXPECT_EQ(at(r, 0, "CodCom"), Variant("C002"));
       }},
      {"ViewCostDays", "SELECT Costi.Data, Sum(Costi.Valore) AS TotValore From Costi GROUP BY Costi.Data",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 3);
         EXPECT_EQ(at(r, 0, "Data").toDate(), QDate(2024, 3, 5));
         EXPECT_EQ(at(r, 0, "TotValore"), Variant(money(265)));
         EXPECT_EQ(at(r, 1, "TotValore"), Variant(money(105.1)));
       }},
      {"ViewArticles",
       "SELECT Articoli.*, CliFor.Nome, CliFor.Località, CliFor.Prov FROM Articoli LEFT JOIN CliFor ON "
       "Articoli.IdFornitore = CliFor.IdCliFor ORDER BY Articoli.Codice",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 2);
         EXPECT_EQ(at(r, 0, "Codice"), Variant("CAVO1"));
         EXPECT_EQ(at(r, 1, "Località"), Variant("Torino"));
       }},
      {"ViewSuppliers", "SELECT * FROM CliFor WHERE Tipo='Fornitore'", rows(2)},
      {"ViewCustomers", "SELECT * FROM CliFor WHERE Tipo='Cliente'", rows(2)},
      {"ViewEmployees", "SELECT * FROM Impiegati", rows(2)},
      {"ViewTemplates", "SELECT * FROM PreModelli", rows(2)},
      {"ViewCategories", "SELECT * FROM Liste WHERE Chiave='cat'",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 2);
         EXPECT_EQ(r.rs->ValueAt(0, 3), Variant("Elettrico")) << "the description is the fourth column";
       }},
      {"ViewUnits", "SELECT * FROM Liste WHERE Chiave='um'",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 3);
         EXPECT_EQ(r.rs->ValueAt(0, 2), Variant("PZ")) << "the code is the third column";
       }},
      {"ViewVatCodes", "SELECT * FROM CodiciIVA", rows(2)},

      // Deletion rules: the blocking checks and the deletions.
      {"DeleteJobCosts", "DELETE * FROM Costi WHERE CodCom='C001'",
       [](const Outcome& r) {
         EXPECT_EQ(r.changed, 5);
         EXPECT_EQ(testdb::count(r.path, "SELECT * FROM Costi"), 1);
       }},
      {"DeleteJobLines", "DELETE * FROM CommessePre WHERE CodCom='C001'",
       [](const Outcome& r) { EXPECT_EQ(r.changed, 2); }},
      {"DeleteJob", "DELETE * FROM Commesse WHERE CodCom='C001'",
       [](const Outcome& r) {
         EXPECT_EQ(r.changed, 1);
         EXPECT_EQ(testdb::count(r.path, "SELECT * FROM Commesse WHERE CodCom='C002'"), 1);
       }},
      {"DeleteCostDay", "DELETE * FROM Costi WHERE Data=#03/05/24#",
       [](const Outcome& r) {
         EXPECT_EQ(r.changed, 3);
         EXPECT_EQ(testdb::count(r.path, "SELECT * FROM Costi WHERE Data='2024-03-05'"), 0);
       }},
      {"CheckArticleUsed", "SELECT IdCosto FROM Costi WHERE Codice='CAVO1'", rows(2)},
      {"CheckArticleFree", "SELECT IdCosto FROM Costi WHERE Codice='PRESA'", rows(0)},
      {"DeleteArticle", "DELETE * FROM Articoli WHERE Codice='PRESA'",
       [](const Outcome& r) { EXPECT_EQ(r.changed, 1); }},
      {"CheckSupplierUsed", "SELECT IdFornitore FROM Articoli WHERE IdFornitore=3", rows(2)},
      {"CheckSupplierFree", "SELECT IdFornitore FROM Articoli WHERE IdFornitore=4", rows(0)},
      {"DeleteSupplier", "DELETE * FROM CliFor WHERE IdCliFor=4",
       [](const Outcome& r) { EXPECT_EQ(r.changed, 1); }},
      {"CheckCustomerUsed", "SELECT IdCliente FROM Commesse WHERE IdCliente=1", rows(2)},
      {"CheckCustomerFree", "SELECT IdCliente FROM Commesse WHERE IdCliente=2", rows(0)},
      {"DeleteCustomer", "DELETE * FROM CliFor WHERE IdCliFor=2",
       [](const Outcome& r) { EXPECT_EQ(r.changed, 1); }},
      {"CheckEmployeeUsed", "SELECT * FROM Costi WHERE CodImp=1", rows(2)},
      {"CheckEmployeeFree", "SELECT * FROM Costi WHERE CodImp=2", rows(0)},
      {"DeleteEmployee", "DELETE * FROM Impiegati WHERE CodImp=2",
       [](const Outcome& r) { EXPECT_EQ(r.changed, 1); }},
      {"CheckTemplateUsed", "SELECT CodCom FROM Commesse WHERE IdModello=1", rows(1)},
      {"CheckTemplateFree", "SELECT CodCom FROM Commesse WHERE IdModello=2", rows(0)},
      {"DeleteTemplateLines", "DELETE * FROM PreVoci WHERE IdModelloPre=1",
       [](const Outcome& r) { EXPECT_EQ(r.changed, 2); }},
      {"DeleteTemplate", "DELETE * FROM PreModelli WHERE IdModello=2",
       [](const Outcome& r) { EXPECT_EQ(r.changed, 1); }},
      {"CheckCategoryUsed", "SELECT Codice FROM Articoli WHERE Categoria='Elettrico'", rows(2)},
      {"CheckCategoryFree", "SELECT Codice FROM Articoli WHERE Categoria='Idraulica'", rows(0)},
      {"CheckCategoryWithApostrophe",
       "SELECT Codice FROM Articoli WHERE Categoria=" + jetText("Ferro e l'acciaio"), rows(0)},
      {"CheckUnitUsed", "SELECT Codice FROM Articoli WHERE UM='MT'", rows(1)},
      {"CheckUnitFree", "SELECT Codice FROM Articoli WHERE UM='KG'", rows(0)},
      {"DeleteListEntry", "DELETE * FROM Liste WHERE Id=3",
       [](const Outcome& r) { EXPECT_EQ(r.changed, 1); }},
      {"CheckVatUsed", "SELECT Codice FROM Articoli WHERE CodiceIVA='IVA22'", rows(2)},
      {"CheckVatFree", "SELECT Codice FROM Articoli WHERE CodiceIVA='IVA10'", rows(0)},
      {"DeleteVat", "DELETE * FROM CodiciIVA WHERE CodiceIVA='IVA10'",
       [](const Outcome& r) { EXPECT_EQ(r.changed, 1); }},

      // Grid layouts.
      {"LayoutRow", "SELECT * FROM _Pars WHERE k01='gridlayout' AND k02='gex_com'",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 1);
         EXPECT_EQ(r.rs->Value("m01").toBytes(), QByteArray("A\0B\0", 4));
       }},

      // New job order and job-order editing.
      {"CustomerList", "SELECT IdCliFor, Nome FROM CliFor WHERE Tipo='Cliente' ORDER BY Nome",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 2);
         EXPECT_EQ(at(r, 0, "Nome"), Variant("D'Angelo Srl"));
       }},
      {"TemplateList", "SELECT IdModello, Descrizione FROM PreModelli ORDER BY Descrizione", rows(2)},
      {"QuoteLinesFromTemplate",
       "INSERT INTO CommessePre ( CodCom, Codice, Descrizione, DescEstesa, Ordine, UM, Tariffa ) SELECT "
       "'C003' AS Com, "
       "PreVoci.Codice, PreVoci.Descrizione, PreVoci.DescEstesa, PreVoci.Ordine, PreVoci.UM, PreVoci.Tariffa "
       "From "
       "PreVoci WHERE PreVoci.IdModelloPre=1",
       [](const Outcome& r) {
         EXPECT_EQ(r.changed, 2);
         EXPECT_EQ(
             testdb::scalar(r.path,
                            "SELECT group_concat(Codice || ':' || Tariffa || ':' || ifnull(QPrev, '-')) "
                            "FROM CommessePre WHERE CodCom='C003'"),
             "V01:100:-,V02:3.5:-");
       }},
      {"JobOrderRecord", "SELECT * FROM Commesse WHERE CodCom='C001'",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 1);
         EXPECT_EQ(at(r, 0, "EcoTar"), Variant(money(40)));
       }},

      // Economic summary.
      {"SummaryQuoted", "SELECT Sum(Prezzo) AS V From CommessePre WHERE CodCom='C001'",
       [](const Outcome& r) { EXPECT_EQ(r.rs->Value("V"), Variant(money(550))); }},
      {"SummaryBilledByTime",
       "SELECT Sum([Quantita]*[PrezzoUnitario]) AS V From Costi WHERE InEconomia=True AND CodCom='C001'",
       amountIs(115)},
      {"SummaryLabourQuoted", amount + "InEconomia=False AND Classe=0 AND CodCom='C001'", amountIs(200)},
      {"SummaryLabourByTime", amount + "InEconomia=True AND Classe=0 AND CodCom='C001'", amountIs(50)},
      {"SummaryMaterialsQuoted", amount + "InEconomia=False AND Classe=2 AND CodCom='C001'", amountIs(75)},
      {"SummaryMaterialsByTime", amount + "InEconomia=True AND Classe=2 AND CodCom='C001'",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 1);
         EXPECT_TRUE(r.rs->Value("V").isNull()) << "an empty sum is Null";
       }},
      {"SummaryOtherQuoted", amount + "InEconomia=False AND Classe=3 AND CodCom='C001'", amountIs(10)},
      {"SummaryOtherByTime", amount + "InEconomia=True AND Classe=3 AND CodCom='C001'", amountIs(30.1)},
      {"SummaryHoursQuoted",
       "SELECT Sum([Quantita]) AS Q From Costi WHERE InEconomia=False AND Classe=0 AND CodCom='C001'",
       [](const Outcome& r) { EXPECT_DOUBLE_EQ(r.rs->Value("Q").toDouble(), 8); }},
      {"SummaryHoursByTime",
       "SELECT Sum([Quantita]) AS Q From Costi WHERE InEconomia=True AND Classe=0 AND CodCom='C001'",
       [](const Outcome& r) { EXPECT_DOUBLE_EQ(r.rs->Value("Q").toDouble(), 2); }},

      // Daily cost entry.
      {"OpenJobOrders", "SELECT CodCom, IdModello, EcoTar FROM Commesse WHERE Chiusa=False ORDER BY CodCom",
       rows(1)},
      {"EmployeeNames",
       "SELECT CodImp, [Cognome] & ' ' & [Nome] AS Impiegato FROM Impiegati ORDER BY Cognome",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 2);
         EXPECT_EQ(at(r, 0, "Impiegato"), Variant("Gallo Anna"));
       }},
      {"ArticleChoices", "SELECT Codice, Descrizione, Costo, Prezzo FROM Articoli ORDER BY Codice", rows(2)},
      {"LabourOfTheDay", costBase + " AND Classe=0",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 2);
         EXPECT_EQ(r.rs->FieldNames().at(27), "PrezzoUnitario") << "the grids address Costi by position";
       }},
      {"MaterialsOfTheDay", costBase + " AND Classe=2", rows(0)},
      {"OtherCostsOfTheDay", "SELECT * FROM Costi WHERE CodCom='C001' AND Data=#03/06/2024# AND Classe=3",
       rows(1)},
      {"UnitChoices", "SELECT Codice, Descrizione FROM Liste WHERE Chiave='um' ORDER BY Codice",
       [](const Outcome& r) { EXPECT_EQ(at(r, 0, "Codice"), Variant("KG")); }},
      {"OtherCostCategories", "SELECT l01, s01 FROM _Pars WHERE k01='catcos' ORDER BY s01",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 5) << "the template's categories";
         EXPECT_EQ(r.rs->Field(0).type, adInteger);
       }},
      {"QuoteLineChoices",
       "SELECT Codice, Descrizione, IdVocePre FROM CommessePre WHERE CodCom='C001' ORDER BY Codice", rows(2)},
      {"FindOpenJobOrder", "SELECT CodCom as Codice, DesCom as Descrizione FROM Commesse WHERE Chiusa=False",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 1);
         EXPECT_EQ(r.rs->FieldNames(), QStringList({"Codice", "Descrizione"}));
       }},
      {"JobOrderRate", "SELECT EcoTar FROM Commesse WHERE CodCom='C001'",
       [](const Outcome& r) { EXPECT_EQ(r.rs->Value("EcoTar"), Variant(money(40))); }},
      {"ArticlePrices", "SELECT Costo, Prezzo, UM, Descrizione FROM Articoli WHERE Codice='CAVO1'",
       [](const Outcome& r) { EXPECT_EQ(r.rs->Value("Costo"), Variant(money(1.5))); }},
      {"EmployeeRate", "SELECT Tariffa FROM Impiegati WHERE CodImp=1",
       [](const Outcome& r) { EXPECT_EQ(r.rs->Value("Tariffa"), Variant(money(25))); }},

      // Quote lines and templates.
      {"QuoteLines", "SELECT * FROM CommessePre WHERE CodCom='C001'",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 2);
         EXPECT_EQ(r.rs->FieldNames().at(11), "Prezzo");
       }},
      {"TemplateFromQuoteLines",
       "INSERT INTO PreVoci ( Codice, Descrizione, DescEstesa, UM, Tariffa, IdModelloPre ) SELECT "
       "CommessePre.Codice, "
       "CommessePre.Descrizione, CommessePre.DescEstesa, CommessePre.UM, CommessePre.Tariffa, 7 AS Espr1 "
       "From "
       "CommessePre WHERE (((CommessePre.CodCom)='C001'))",
       [](const Outcome& r) {
         EXPECT_EQ(r.changed, 2);
         EXPECT_EQ(testdb::count(r.path, "SELECT * FROM PreVoci WHERE IdModelloPre=7 AND Tariffa=3.5"), 1);
       }},
      {"TemplateRecord", "SELECT * FROM PreModelli WHERE IdModello=1", rows(1)},
      {"TemplateLines", "SELECT * FROM PREVOCI WHERE IdModelloPre=1 ORDER BY Codice",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 2);
         EXPECT_EQ(at(r, 1, "Codice"), Variant("V02"));
       }},

      // Master data.
      {"ListRecord", "SELECT * FROM Liste WHERE Id=2", rows(1)},
      {"ClearDefaultUnit", "UPDATE Liste SET Liste.Predefinito = False WHERE Liste.Id<>2 AND Chiave='um'",
       [](const Outcome& r) {
         EXPECT_EQ(r.changed, 2);
         EXPECT_EQ(testdb::count(r.path, "SELECT * FROM Liste WHERE Predefinito=1"), 1)
             << "the default category stays";
         EXPECT_EQ(testdb::scalar(r.path, "SELECT Id FROM Liste WHERE Predefinito=1"), "4");
       }},
      {"VatRecord", "SELECT * FROM CodiciIVA WHERE CodiceIVA='IVA22'", rows(1)},
      {"ClearDefaultVat",
       "UPDATE CodiciIVA SET CodiciIVA.Predefinito = False WHERE CodiciIVA.CodiceIVA<>'IVA10'",
       [](const Outcome& r) {
         EXPECT_EQ(r.changed, 1);
         EXPECT_EQ(testdb::count(r.path, "SELECT * FROM CodiciIVA WHERE Predefinito=1"), 0);
       }},
      {"CustomerRecord", "SELECT * FROM CliFor WHERE IdCliFor=2",
       [](const Outcome& r) { EXPECT_EQ(r.rs->Value("Nome"), Variant("D'Angelo Srl")); }},
      {"CategoriesForArticle", "SELECT * FROM Liste WHERE Chiave='cat' ORDER BY Descrizione", rows(2)},
      {"UnitsForArticle", "SELECT * FROM Liste WHERE Chiave='um' ORDER BY Descrizione",
       [](const Outcome& r) { EXPECT_EQ(at(r, 0, "Descrizione"), Variant("Chili")); }},
      {"SuppliersForArticle", "SELECT IdCliFor, Nome FROM CliFor WHERE Tipo='Fornitore' ORDER BY Nome",
       rows(2)},
      {"VatForArticle", "SELECT CodiceIVA, Descrizione, Aliquota FROM CodiciIVA ORDER BY Descrizione",
       [](const Outcome& r) { EXPECT_DOUBLE_EQ(at(r, 0, "Aliquota").toDouble(), 22); }},
      {"ArticleRecord", "SELECT * FROM Articoli WHERE Codice='CAVO1'",
       [](const Outcome& r) { EXPECT_EQ(r.rs->Value("DataIns").toDate(), QDate(2024, 1, 10)); }},
      {"ArticleCodeTaken", "SELECT Codice FROM Articoli WHERE Codice='cavo1'", rows(1)},
      {"EmployeeRecord", "SELECT * FROM Impiegati WHERE CodImp=1", rows(1)},
      {"ActivityRecord", "SELECT * FROM Attivita WHERE CodAtt='ATT1'",
       [](const Outcome& r) { EXPECT_EQ(r.rs->Value("TOMO"), Variant(money(45))); }},

      // Table browser.
      {"BrowseParameters", "SELECT * FROM _Pars", rows(7)},

      // Job-order print dialog and report.
      {"PrintJobCodes", "SELECT CodCom FROM Commesse ORDER BY CodCom", rows(2)},
      {"PrintCustomers", "SELECT Nome FROM CliFor WHERE Tipo='Cliente' ORDER BY Nome", rows(2)},
      {"ReportAll", reportQuery, rows(2)},
      {"ReportOpen", reportQuery + " WHERE Chiusa=False", rows(1)},
      {"ReportClosed", reportQuery + " WHERE Chiusa=True", rows(1)},
      {"ReportOneJob", reportQuery + " WHERE CodCom='C002'",
       [](const Outcome& r) { EXPECT_EQ(r.rs->Value("Nome"), Variant("Rossi Costruzioni")); }},
      {"ReportCustomer", reportQuery + " WHERE Nome='Rossi Costruzioni'", rows(2)},
      {"ReportCustomerOpen", reportQuery + " WHERE Nome='Rossi Costruzioni' AND Chiusa=False", rows(1)},
      {"ReportCustomerClosed", reportQuery + " WHERE Nome='Rossi Costruzioni' AND Chiusa=True", rows(1)},
      {"ReportCustomerJob", reportQuery + " WHERE Nome='Rossi Costruzioni' AND CodCom='C001'", rows(1)},
      {"ReportCustomerWithApostrophe", reportQuery + " WHERE Nome=" + jetText("D'Angelo Srl"), rows(0)},
      {"SubReportQuoteLines",
       "SELECT CommessePre.Codice, CommessePre.Descrizione, CommessePre.Tariffa, CommessePre.UM, "
       "CommessePre.Quantita, "
       "CommessePre.QPrev, CommessePre.Prezzo, IIf(IsNull([CostoTotale]),0,[CostoTotale]) AS CT, "
       "[Prezzo]-IIf(IsNull([CostoTotale]),0,[CostoTotale]) AS Delta FROM CommessePre LEFT JOIN "
       "costi_prev_sum ON "
       "(CommessePre.IdVocePre = costi_prev_sum.IdStima) AND (CommessePre.CodCom = costi_prev_sum.CodCom) "
       "Where "
       "CommessePre.CodCom = 'C001' ORDER BY CommessePre.Codice",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 2);
         EXPECT_DOUBLE_EQ(at(r, 0, "CT").toDouble(), 200);
         EXPECT_DOUBLE_EQ(at(r, 0, "Delta").toDouble(), 0);
         EXPECT_DOUBLE_EQ(at(r, 1, "CT").toDouble(), 85);
         EXPECT_DOUBLE_EQ(at(r, 1, "Delta").toDouble(), 265);
       }},
      {"SubReportQuoteLinesWithoutCosts",
       "SELECT CommessePre.Codice, CommessePre.Prezzo, IIf(IsNull([CostoTotale]),0,[CostoTotale]) AS CT, "
       "[Prezzo]-IIf(IsNull([CostoTotale]),0,[CostoTotale]) AS Delta FROM CommessePre LEFT JOIN "
       "costi_prev_sum ON "
       "(CommessePre.IdVocePre = costi_prev_sum.IdStima) AND (CommessePre.CodCom = costi_prev_sum.CodCom) "
       "Where "
       "CommessePre.CodCom = 'C002' ORDER BY CommessePre.Codice",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 1);
         EXPECT_DOUBLE_EQ(at(r, 0, "CT").toDouble(), 0)
             << "a quote line without costs has no row in the saved query";
         EXPECT_DOUBLE_EQ(at(r, 0, "Delta").toDouble(), 50);
       }},
      {"SubReportLabour",
       "SELECT Costi.*, Impiegati.Cognome, Impiegati.Nome, CommessePre.Codice, CommessePre.Descrizione FROM "
       "(Costi "
       "INNER JOIN Impiegati ON Costi.CodImp = Impiegati.CodImp) LEFT JOIN CommessePre ON (Costi.IdStima = "
       "CommessePre.IdVocePre) AND (Costi.CodCom = CommessePre.CodCom) WHERE Costi.CodCom='C001' ORDER BY "
       "Costi.Data DESC",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 2);
         EXPECT_EQ(at(r, 0, "Cognome"), Variant("Neri"));
         EXPECT_GE(r.rs->FieldIndex("CommessePre.Codice"), 0);
         EXPECT_GE(r.rs->FieldIndex("Costi.Descrizione"), 0);
       }},
      {"SubReportMaterials",
       "SELECT Costi.*, CommessePre.Codice, CommessePre.Descrizione FROM Costi LEFT JOIN CommessePre ON "
       "(Costi.IdStima "
       "= CommessePre.IdVocePre) AND (Costi.CodCom = CommessePre.CodCom) Where (((Costi.CodCom) = 'C001') "
       "And "
       "((Costi.Classe) = 2)) ORDER BY Costi.Data DESC",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 1);
         EXPECT_EQ(at(r, 0, "CommessePre.Codice"), Variant("V02"));
       }},
      {"SubReportOtherCosts",
       "SELECT Costi.*, CommessePre.Codice, CommessePre.Descrizione, [_Pars].s01 AS Categoria FROM (Costi "
       "LEFT JOIN "
       "CommessePre ON (Costi.IdStima = CommessePre.IdVocePre) AND (Costi.CodCom = CommessePre.CodCom)) "
       "INNER JOIN "
       "_Pars ON Costi.Tipo = [_Pars].l01 Where (((Costi.CodCom) = 'C001') And ((Costi.Classe) = 3) And "
       "(([_Pars].k01) = 'catcos')) ORDER BY Costi.Data DESC",
       [](const Outcome& r) {
         ASSERT_EQ(r.rs->RecordCount(), 1) << "a row whose category is unknown is left out";
         EXPECT_EQ(at(r, 0, "Categoria"), Variant("Trasporti"));
         EXPECT_EQ(at(r, 0, "Costi.Descrizione"), Variant("Trasporto"));
       }},

      // Customer, supplier and article lists.
      {"CustomerBook", "SELECT * From CliFor WHERE Tipo='Cliente' ORDER BY Nome", rows(2)},
      {"SupplierBook", "SELECT * From CliFor WHERE Tipo='Fornitore' ORDER BY Nome", rows(2)},
      {"CustomerRegister", "SELECT * From CliFor WHERE Tipo='Cliente' ORDER BY IdCliFor",
       [](const Outcome& r) { EXPECT_EQ(at(r, 0, "IdCliFor"), Variant(std::int32_t(1))); }},
      {"SupplierRegister", "SELECT * From CliFor WHERE Tipo='Fornitore' ORDER BY IdCliFor", rows(2)},
      {"ArticleCategories", "SELECT Descrizione FROM Liste WHERE Chiave='cat' ORDER BY Descrizione", rows(2)},
      {"ArticleCodes", "SELECT Codice FROM Articoli ORDER BY Codice", rows(2)},
      {"ArticleList", "SELECT * From Articoli", rows(2)},
      {"ArticleListByCategory", "SELECT * From Articoli WHERE Categoria='Elettrico'", rows(2)},
  };
}

class JetSqlCorpus : public ::testing::TestWithParam<CorpusCase> {};

}  // namespace

TEST_P(JetSqlCorpus, RunsAsWrittenAgainstTheSchema) {
  const CorpusCase& c = GetParam();
  const QString path = dbtest::seededDatabase();
  Connection conn;
  conn.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Persist Security Info=False");
  Outcome run{nullptr, 0, path};
  Recordset rs;
  if (c.sql.startsWith("SELECT", Qt::CaseInsensitive)) {
    rs.Open(c.sql, conn, adOpenStatic, adLockReadOnly, adCmdText);
    run.rs = &rs;
  } else {
    run.changed = conn.Execute(c.sql);
  }
  c.check(run);
}

INSTANTIATE_TEST_SUITE_P(ProgramSql, JetSqlCorpus, ::testing::ValuesIn(corpus()),
                         [](const ::testing::TestParamInfo<CorpusCase>& info) {
                           return std::string(info.param.name);
                         });
