// The job-order report and the register as a firm hands them to its accountant: read back by the
// word processor and the spreadsheet reader a user would open them with.
#include <QCheckBox>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/grid/GridEX.h"
#include "platform/report/ReportViewer.h"
#include "reports/frmPrintReportClienti.h"
#include "reports/frmPrintReportCom.h"
#include "tests/reports/ExportReaders.h"
#include "tests/reports/ReportTestSupport.h"
#include "tests/support/PdfText.h"

namespace {

// C001 gets a material whose description wraps in its column; C002 gets labour rows enough to run
// onto another page.
class AccountantExportTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    testdb::exec(cn,
                 "INSERT INTO Costi (Classe, Tipo, CodCom, InEconomia, IdStima, Data, CodImp, Codice, "
                 "Descrizione, UM, "
                 "Quantita, CostoUnitario, Valore, PrezzoUnitario) VALUES "
                 "(2, 0, 'C001', False, 0, #02/07/08#, 0, 'QE-7', 'Quadro elettrico con l''interruttore', "
                 "'PZ', 1, 80, "
                 "80, 0)");
    for (int day = 1; day <= 65; ++day)
      testdb::exec(cn, QStringLiteral(
                           "INSERT INTO Costi (Classe, Tipo, CodCom, InEconomia, IdStima, Data, CodImp, UM, "
                           "Quantita, CostoUnitario, Valore, PrezzoUnitario) VALUES "
                           "(0, 0, 'C002', False, 3, #%1/%2/09#, 2, 'h', 1, 20, 20, 0)")
                           .arg(1 + (day - 1) / 28)
                           .arg(1 + (day - 1) % 28));
  }

  // The job-order dialog with all five sub-reports ticked.
  frmPrintReportCom* openFullDialog() {
    frmPrintReportCom* dialog = openDialog();
    for (size_t i = 2; i < 5; ++i) click(dialog->chkView[i]);
    return dialog;
  }

  // Exports the report of the dialog in the mode given to `name` in `dir`; returns the file's path.
  QString exported(PrintReportDialog* dialog, int mode, const QTemporaryDir& dir, const QString& name) {
    print.answer = dir.filePath(name);
    exportAs(dialog, mode);
    return print.answer;
  }

  PrintSetup print;
};

TEST_F(AccountantExportTest, RichTextKeepsFiguresUnderTheirHeadingsAndBreaksPagesAsTheReportDoes) {
  QTemporaryDir dir;
  frmPrintReportCom* dialog = openFullDialog();
  const QStringList pdf = testenv::pdfPages(exported(dialog, 12, dir, "commesse.pdf"));
  const QStringList rtf = rtfPages(exported(dialog, 11, dir, "commesse.rtf"));
  ASSERT_GE(pdf.size(), 3);
  ASSERT_EQ(rtf.size(), pdf.size());
  // Each page ends with the same text in both.
  for (int p = 0; p < pdf.size(); ++p)
    EXPECT_EQ(pdf[p].trimmed().section(u'\n', -1).simplified(),
              rtf[p].trimmed().section(u'\n', -1).simplified())
        << "page " << p + 1;

  // The long description wraps in its own column; the unit, quantity and cost stay under theirs.
  const std::vector<PageWord> words = rtfWords(dir.filePath("commesse.rtf"));
  const auto it = std::adjacent_find(words.begin(), words.end(), [](const PageWord& a, const PageWord& b) {
    return a.text == "Quadro" && b.text == "elettrico";
  });
  ASSERT_NE(it, words.end());
  const PageWord& row = *it;
  // The word on the row, or the nearest heading above it on its page.
  const auto onRow = [&](const QString& text, bool above) {
    PageWord found;
    for (const PageWord& w : words)
      if (w.page == row.page && w.text == text &&
          (above ? w.top < row.top - 2 && w.top > found.top : std::abs(w.top - row.top) < 2))
        found = w;
    return found;
  };
  EXPECT_NEAR(onRow("PZ", false).left, onRow("UM", true).left, 2);
  EXPECT_NEAR(onRow("1,00", false).right, onRow("Quantità", true).right, 2);
  EXPECT_NEAR(onRow("80,00", false).right, onRow("Costo", true).right, 2);
  EXPECT_GT(onRow("UM", true).top, 0);
  const auto next =
      std::find_if(words.begin(), words.end(), [](const PageWord& w) { return w.text == "l'interruttore"; });
  ASSERT_NE(next, words.end());
  EXPECT_NEAR(next->left, row.left, 2);
  EXPECT_GT(next->top, row.top + 5);
}

TEST_F(AccountantExportTest, LabourRowsGoingOnToANewPageAreHeadedAgainAndAnEmptyQuoteCheckSumsToZero) {
  QTemporaryDir dir;
  frmPrintReportCom* dialog = openFullDialog();
  const QStringList pdf = testenv::pdfPages(exported(dialog, 12, dir, "commesse.pdf"));
  int continued = 0;
  for (const QString& page : pdf) {
    const int firstRow = page.indexOf("Gialli Anna");
    if (firstRow < 0 || page.contains("Dettaglio Manodopera")) continue;
    ++continued;
    const int headings = page.indexOf(QRegularExpression("Data +Impiegato +Ore +Voce Preventivo +Costo"));
    EXPECT_GE(headings, 0) << page.toStdString();
    EXPECT_LT(headings, firstRow) << page.toStdString();
  }
  EXPECT_GE(continued, 1);

  // C003 has no quote lines: its totals are zeros, as the summary's are.
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  const QStringList c003 = between(pageTexts(viewer->pages()), "C003", "");
  EXPECT_EQ(between(c003, "Controllo Preventivo", "Dettaglio Manodopera").mid(10),
            (QStringList{"Totale", "0,00", "0,00", "0,00"}));
}

TEST_F(AccountantExportTest, SpreadsheetNumbersCarryTheFormatsTheyPrintWith) {
  QTemporaryDir dir;
  frmPrintReportCom* dialog = openFullDialog();
  const QString book = exported(dialog, 10, dir, "commesse.xls");
  const QStringList cells = xlsCells(book);
  const QStringList numbers = xlsNumbers(book);

  // The economic summary's amounts are numbers, shown grouped with two decimals.
  EXPECT_FALSE(cells.contains("T 1.120,00 "));
  EXPECT_TRUE(numbers.contains("1120.0|##,##0.00 ")) << numbers.join("\n").toStdString();
  // The quote check: quantities, cost and difference as the page shows them; dates as dates.
  const QStringList c002 = between(cells, "T Q01", "T Totale");
  EXPECT_EQ(c002.mid(0, 9), (QStringList{"T Q01", "T Cablaggio", "N 25.0", "T h", "N 2.0", "N 2.0", "N 50.0",
                                         "N 1500.0", "N -1450.0"}));
  for (const char* value : {"25.0", "2.0", "50.0", "1500.0", "-1450.0"})
    EXPECT_TRUE(numbers.contains(QString(value) + "|##,##0.00")) << value;
  EXPECT_TRUE(numbers.contains("39539.0|dd-mm-yyyy")) << "1 April 2008";
  EXPECT_EQ(numbers.filter(QRegularExpression("\\|General$")), QStringList());
  // An empty quote check sums to numbers too.
  EXPECT_EQ(between(cells, "T C003", "").filter("N 0.0").size(), 18 + 3);

  // The register writes its codes as five digits.
  auto* customers = new frmPrintReportClienti;
  customers->Stampa("Ufficio");
  activate(customers);
  QTest::keyClick(customers->GridEX1->view(), Qt::Key_Down);
  ASSERT_EQ(customers->GridEX1->row(), 2);
  const QStringList register_ = xlsNumbers(exported(customers, 10, dir, "clienti.xls"));
  EXPECT_EQ(register_, (QStringList{"1.0|00000", "2.0|00000"}));
}

}  // namespace
