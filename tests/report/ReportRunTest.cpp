#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <numeric>

#include "platform/db/Connection.h"
#include "platform/report/ExportFilter.h"
#include "platform/report/Expression_p.h"
#include "platform/report/ReportError.h"
#include "tests/report/ReportTestSupport.h"
#include "tests/support/TestEnv.h"

using namespace report;
using namespace reporttest;

namespace {

// The lowest point of the body of a page: above the bottom margin and the page footer.
int bodyBottom(const Report& r) {
  return r.pageSettings().pageSize().height() - r.pageSettings().bottomMargin -
         r.section("PageFooter")->height();
}

}  // namespace

TEST(ReportRun, PagesCarryHeadersFootersGroupsAndTotals) {
  const QString cs = testenv::connectionString(seededDatabase(150));
  ArticleList r;
  r.dc1.setConnectionString(cs);
  r.dc1.setSource("SELECT * FROM Articoli ORDER BY Categoria, Codice");
  r.Run();
  const Pages& pages = r.pages();
  ASSERT_GE(pages.size(), 4u);
  EXPECT_EQ(r.fetched, 150);
  EXPECT_EQ(r.endOfData, 1);
  EXPECT_EQ(r.pageNumber(), 0);

  const QStringList all = pageTexts(pages);
  EXPECT_EQ(all.count("Articoli"), int(pages.size()));  // page header on every page
  for (size_t p = 0; p < pages.size(); ++p) {
    EXPECT_EQ(pageOf(pages, QStringLiteral("Pagina %1").arg(p + 1)), int(p) + 1);
    for (const PageItem& item : pages[p].items) {
      if (item.text.startsWith("Pagina")) {
        EXPECT_EQ(item.rect.top(), bodyBottom(r)) << "footer of page " << p + 1 << " at the page's foot";
        continue;
      }
      EXPECT_LE(item.rect.bottom(), bodyBottom(r)) << item.text.toStdString() << " on page " << p + 1;
    }
  }
  // One group per category, in order, each opened once.
  EXPECT_EQ(all.count("Bulloneria"), 1);
  EXPECT_EQ(all.count("Colle & Vernici"), 1);
  EXPECT_EQ(all.count("Ferramenta"), 1);
  EXPECT_LT(all.indexOf("Bulloneria"), all.indexOf("Colle & Vernici"));
  EXPECT_LT(all.indexOf("A0147"), all.indexOf("Colle & Vernici"));
  // Every article once, formatted; the price keeps its value for the spreadsheet exports.
  EXPECT_EQ(all.count("A0000"), 1);
  EXPECT_EQ(all.count("A0149"), 1);
  EXPECT_TRUE(all.contains("1.000,50"));
  EXPECT_TRUE(all.contains("05-03-2008"));
  // Grand total: sum of 1000,5 + i for i < 150.
  EXPECT_EQ(r.txtTotal->text(), "161.250,00");
  EXPECT_EQ(all.last(), QStringLiteral("Pagina %1").arg(pages.size()));
  bool priceIsMoney = false;
  for (const PageItem& item : pages[0].items)
    if (item.text == "1.000,50") priceIsMoney = item.value.type() == VarType::Currency;
  EXPECT_TRUE(priceIsMoney);
}

TEST(ReportRun, SubReportsRunPerRecordAndBreakBetweenRowsWhenTallerThanAPage) {
  const QString path = seededDatabase(0, 120);
  JobOrderList r;
  r.connectionString = testenv::connectionString(path);
  r.dc1.setConnectionString(r.connectionString);
  r.dc1.setSource("SELECT * FROM Commesse ORDER BY CodCom");
  r.Run();
  const Pages& pages = r.pages();
  const QStringList all = pageTexts(pages);
  // C-01 shows its own three rows, newest first, with the employee's name from the expression.
  const int first = all.indexOf("C-01");
  const int second = all.indexOf("C-02");
  ASSERT_GE(first, 0);
  ASSERT_GT(second, first);
  const QStringList ofFirst = all.mid(first, second - first);
  EXPECT_EQ(ofFirst.count("Rossi Mario"), 3);
  EXPECT_FALSE(ofFirst.contains("Bianchi Lucia"));
  EXPECT_LT(ofFirst.indexOf("12-01-2009"), ofFirst.indexOf("10-01-2009"));
  EXPECT_TRUE(ofFirst.contains("75,00"));
  // C-02's 120 rows run over several pages, split between rows: each row whole on one page.
  EXPECT_EQ(all.mid(second).count("Bianchi Lucia"), 120);
  EXPECT_FALSE(all.mid(second).contains("Rossi Mario"));
  EXPECT_GE(pages.size(), 3u);
  for (int i = 0; i < 120; ++i) {
    const QString value = QStringLiteral("1.%1,00").arg(i, 3, 10, QChar('0'));
    EXPECT_EQ(all.count(value), 1) << value.toStdString();
    int namePage = 0;
    int valuePage = 0;
    for (size_t p = 0; p < pages.size(); ++p)
      for (const PageItem& item : pages[p].items) {
        if (item.text == QString::number(100 + i)) namePage = int(p);
        if (item.text == value) valuePage = int(p);
      }
    EXPECT_EQ(namePage, valuePage) << "row " << i;
  }
  for (const Page& page : pages)
    for (const PageItem& item : page.items)
      EXPECT_LE(item.rect.bottom(), page.size.height() - r.pageSettings().bottomMargin);
  // Report end detached the sub-report layout.
  EXPECT_EQ(r.controlAs<SubReport>("SubReport1").report(), nullptr);

  // Hidden, the sub-report takes no room and prints nothing: the detail shrinks by its height.
  r.control("SubReport1")->setVisible(false);
  r.Run();
  EXPECT_EQ(r.pages().size(), 1u);
  EXPECT_FALSE(pageTexts(r.pages()).contains("Rossi Mario"));
  int firstTop = 0;
  int secondTop = 0;
  for (const PageItem& item : r.pages().at(0).items) {
    if (item.text == "C-01") firstTop = item.rect.top();
    if (item.text == "C-02") secondTop = item.rect.top();
  }
  EXPECT_EQ(secondTop - firstTop, 900 - 400);
}

// Whatever the number of rows, a group header that would be the last thing on a page moves to
// the next one with its first row.
TEST(ReportRun, AGroupHeaderAtThePageFootMovesOnWithItsFirstRow) {
  ArticleList r;
  r.dc1.setConnectionString(testenv::connectionString(seededDatabase(240)));
  for (int rows = 120; rows <= 240; rows += 2) {
    r.dc1.setSource(QStringLiteral("SELECT * FROM (SELECT * FROM Articoli ORDER BY Codice LIMIT %1) "
                                   "ORDER BY Categoria, Codice")
                        .arg(rows));
    r.Run();
    const QStringList all = pageTexts(r.pages());
    for (const QString category : {"Colle & Vernici", "Ferramenta"}) {
      const int firstCode = all.indexOf(QRegularExpression("^A\\d{4}$"), all.indexOf(category));
      ASSERT_GE(firstCode, 0);
      EXPECT_EQ(pageOf(r.pages(), category), pageOf(r.pages(), all[firstCode]))
          << category.toStdString() << ", " << rows << " rows";
    }
  }
}

TEST(ReportRun, ExpressionsJoinColumnsAndQuotedTextsWithADoubledQuoteAsOne) {
  const auto column = [](const QString& name) { return Variant(name == "Nome" ? "Mario" : "Rossi"); };
  EXPECT_EQ(evaluateExpression("Cognome & \" \" & [Nome]", column).toString(), "Rossi Mario");
  EXPECT_EQ(evaluateExpression("\"D\"\"Angelo \"\"\" & Nome & \"\"\"\"", column).toString(),
            "D\"Angelo \"Mario\"");
  EXPECT_THROW(evaluateExpression("\"aperta", column), ReportError);
}

TEST(ReportRun, FormatStepChangesAndUnloadRestoresTheDesign) {
  const QString cs = testenv::connectionString(seededDatabase(4));
  ArticleList r;
  r.Load();
  r.lblTitle->setCaption("Articoli - Categoria: Ferramenta");
  r.section("ReportFooter")->setVisible(false);
  r.control("txtDescrizione")->setVisible(false);
  r.dc1.setConnectionString(cs);
  r.dc1.setSource("SELECT * FROM Articoli WHERE Categoria='Ferramenta'");
  r.Run();
  QStringList all = pageTexts(r.pages());
  EXPECT_TRUE(all.contains("Articoli - Categoria: Ferramenta"));
  EXPECT_FALSE(all.contains("Totale"));
  EXPECT_FALSE(all.contains("Articolo numero 2"));
  EXPECT_TRUE(all.contains("A0002"));
  EXPECT_FALSE(all.contains("A0000"));

  r.Unload();
  EXPECT_EQ(r.lblTitle->caption(), "Articoli");
  EXPECT_TRUE(r.section("ReportFooter")->visible());
  EXPECT_TRUE(r.control("txtDescrizione")->visible());
  EXPECT_TRUE(r.dc1.source().isEmpty());
  EXPECT_TRUE(r.pages().empty());
  r.dc1.setConnectionString(cs);
  r.dc1.setSource("SELECT * FROM Articoli");
  r.Run();
  all = pageTexts(r.pages());
  EXPECT_TRUE(all.contains("Totale"));
  EXPECT_TRUE(all.contains("Articolo numero 0"));

  // A control reached by a misspelt name or as the wrong kind is an error, not a null pointer.
  EXPECT_EQ(&r.controlAs<Label>("lblTitle"), r.lblTitle);
  for (const auto& lookUp : std::initializer_list<std::function<void()>>{
           [&] { r.controlAs<Label>("lblTitolo"); }, [&] { r.controlAs<Field>("lblTitle"); },
           [&] { r.section("PageHeader")->controlAs<Label>("txtCodice"); }})
    EXPECT_THROW(lookUp(), ReportError);
}

TEST(ReportRun, LongTextsWrapAndPushWhatLiesBelowOrStayOnOneLine) {
  const QString path = seededDatabase(0);
  db::Connection c;
  c.Open(testenv::connectionString(path));
  const QString longText = QString("Descrizione molto lunga della commessa ").repeated(8).trimmed();
  c.Execute("UPDATE Commesse SET DesCom='" + longText + "' WHERE CodCom='C-01'");
  JobOrderList r;
  r.connectionString = testenv::connectionString(path);
  r.dc1.setConnectionString(r.connectionString);
  r.dc1.setSource("SELECT * FROM Commesse WHERE CodCom='C-01'");
  r.Run();
  auto find = [&r](const QString& text) {
    for (const PageItem& item : r.pages().at(0).items)
      if (item.text == text) return item;
    return PageItem();
  };
  const PageItem grown = find(longText);
  EXPECT_TRUE(grown.wrap);
  EXPECT_GT(grown.rect.height(), 600);
  EXPECT_GE(find("Rossi Mario").rect.top(), grown.rect.bottom());

  r.controlAs<Field>("txtDesCom").setCanGrow(false);
  r.Run();
  const PageItem cut = find(longText);
  EXPECT_FALSE(cut.wrap);
  EXPECT_EQ(cut.rect.height(), 300);
  EXPECT_LT(find("Rossi Mario").rect.top(), grown.rect.bottom());
}

TEST(ReportRun, DataErrorsEndTheRunWithAnItalianDescription) {
  const QString cs = testenv::connectionString(seededDatabase(3));
  ArticleList r;
  r.dc1.setConnectionString(cs);
  r.dc1.setSource("SELECT * FROM Articoli");
  r.Run();
  ASSERT_FALSE(r.pages().empty());

  r.dc1.setSource("SELECT * FROM TabellaInesistente");
  try {
    r.Run();
    FAIL() << "no error";
  } catch (const ReportError& e) {
    EXPECT_TRUE(e.description().startsWith("Errore nella lettura dei dati del report: ")) << e.what();
  }
  EXPECT_TRUE(r.pages().empty());
  EXPECT_EQ(r.pageNumber(), 0);

  r.dc1.setSource("SELECT Codice, Prezzo FROM Articoli");  // no Categoria for the group
  try {
    r.Run();
    FAIL() << "no error";
  } catch (const ReportError& e) {
    EXPECT_EQ(e.description(), "Il campo \"Categoria\" non è tra i dati del report.");
  }

  r.dc1.setConnectionString(testenv::connectionString(testenv::homeDir() + "/manca.mdb"));
  r.dc1.setSource("SELECT * FROM Articoli");
  EXPECT_THROW(r.Run(), ReportError);
}

namespace {

// An export that keeps, for each page it is given, the page being laid out at that moment and the
// page's texts.
class WatchingExport : public ExportFilter {
 public:
  explicit WatchingExport(const Report& report) : m_report(report) {}
  std::vector<int> laidOutWhenWritten;
  Pages written;

 protected:
  void writePage(const Page& page) override {
    laidOutWhenWritten.push_back(m_report.pageNumber());
    written.push_back(page);
    put(QByteArray::number(int(page.items.size())));
  }

 private:
  const Report& m_report;
};

}  // namespace

TEST(ReportRun, AnExportTakesEachPageOnceAsItIsMadeAndTheRunKeepsNone) {
  const QTemporaryDir dir;
  ArticleList r;
  r.dc1.setConnectionString(testenv::connectionString(seededDatabase(150)));
  r.dc1.setSource("SELECT * FROM Articoli ORDER BY Categoria, Codice");
  r.Run();
  const Pages kept = r.pages();
  ASSERT_GE(kept.size(), 3u);

  std::vector<int> made;
  r.setPageMade([&made](int pages) { made.push_back(pages); });
  WatchingExport exporter(r);
  exporter.setFileName(dir.filePath("pagine.txt"));
  r.Export(exporter);

  // Page n reaches the file while the run is still on page n, not after the run.
  std::vector<int> numbers(kept.size());
  std::iota(numbers.begin(), numbers.end(), 1);
  EXPECT_EQ(exporter.laidOutWhenWritten, numbers);
  EXPECT_EQ(made, numbers);
  EXPECT_EQ(pageTexts(exporter.written), pageTexts(kept));
  EXPECT_TRUE(r.pages().empty());
  EXPECT_TRUE(QFile::exists(dir.filePath("pagine.txt")));
}
