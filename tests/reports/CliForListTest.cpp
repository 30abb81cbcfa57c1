// The customer and supplier lists: the address book grouped by initial, the register in code order,
// each dialog showing only its own kind, and the exports read back by programs that are not ours.
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>

#include "platform/grid/GridEX.h"
#include "platform/report/ReportViewer.h"
#include "reports/arpCliFor.h"
#include "reports/arpCliFor2.h"
#include "reports/frmPrintReportClienti.h"
#include "reports/frmPrintReportFornitori.h"
#include "tests/reports/ExportReaders.h"
#include "tests/reports/ReportTestSupport.h"
#include "tests/support/PdfText.h"

namespace {

// The lines drawn on the pages from x = 0 to x = `right`; every line when `right` is 0.
int lines(const report::Pages& pages, int right = 0) {
  int count = 0;
  for (const report::Page& page : pages)
    for (const report::PageItem& item : page.items)
      count += item.kind == report::PageItem::Kind::Line &&
               (right == 0 || item.line.x2() - item.line.x1() == right);
  return count;
}

// Makes the register, the list's second row, the current report as the Down key does.
void chooseRegister(PrintReportDialog* dialog) {
  QTest::keyClick(dialog->GridEX1->view(), Qt::Key_Down);
  ASSERT_EQ(dialog->GridEX1->row(), 2);
}

class CliForListTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    testdb::exec(cn,
                 "INSERT INTO CliFor (IdCliFor, Tipo, Nome, Località, Prov, Fax) VALUES "
                 "(7, 'Cliente', 'Bianchi Srl', 'Milano', 'MI', '02 7654321'), (2, 'Cliente', 'D''Angelo "
                 "Srl', 'Bari', 'BA', NULL), "
                 "(3, 'Cliente', NULL, 'Roma', 'RM', NULL), (4, 'Cliente', '', 'Napoli', 'NA', NULL), "
                 "(5, 'Cliente', 'Barbieri Luca', 'Como', 'CO', NULL), (10, 'Fornitore', 'Ferri Spa', "
                 "'Brescia', 'BS', NULL), "
                 "(11, 'Fornitore', 'Bulloni Srl', 'Lodi', 'LO', NULL)");
  }

  template <class Dialog>
  Dialog* open() {
    auto* dialog = new Dialog;
    dialog->Stampa("Magazzino");
    activate(dialog);
    return dialog;
  }

  PrintSetup print;
};

const QStringList kCustomers = {"Bianchi Srl", "D'Angelo Srl", "Barbieri Luca"};
const QStringList kSuppliers = {"Ferri Spa", "Bulloni Srl"};

TEST_F(CliForListTest, CustomerAddressBookGroupsByInitialAndTheRegisterWritesFiveDigitCodes) {
  auto* dialog = open<frmPrintReportClienti>();
  EXPECT_EQ(dialog->windowTitle(), "Stampa Clienti");
  EXPECT_EQ(dialog->cmbprinters->currentText(), "Magazzino");
  ASSERT_EQ(dialog->GridEX1->rowCount(), 2);
  EXPECT_EQ(dialog->GridEX1->value(3), Variant("Clienti (Rubrica)"));

  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->windowTitle(), "Rubrica Clienti");
  QStringList texts = pageTexts(viewer->pages());
  EXPECT_EQ(texts.first(), "Clienti");
  EXPECT_TRUE(only(texts, kSuppliers).isEmpty());
  // The nameless customers head the book under an empty letter, where the sort puts them.
  EXPECT_EQ(only(texts, kCustomers + QStringList{"Roma", "Napoli", "B", "D"}),
            (QStringList{"Roma", "Napoli", "B", "Barbieri Luca", "Bianchi Srl", "D", "D'Angelo Srl"}));
  EXPECT_EQ(lines(viewer->pages(), 3000), 3) << "one group heading per initial, the empty one included";
  EXPECT_TRUE(texts.contains("02 7654321"));

  chooseRegister(dialog);
  viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->windowTitle(), "Rubrica Clienti");
  texts = pageTexts(viewer->pages());
  EXPECT_EQ(only(texts, {"00002", "00003", "00004", "00005", "00007", "00010"}),
            (QStringList{"00002", "00003", "00004", "00005", "00007"}));
  EXPECT_EQ(texts[texts.indexOf("00007") + 1], "Bianchi Srl");
  EXPECT_FALSE(texts.contains("02 7654321")) << "the register has no fax column";

  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(CliForListTest, SupplierListsExportAsPlainTablesWhereTheyShouldAndAsPrintedOtherwise) {
  for (int i = 1; i <= 70; ++i)
    testdb::exec(cn, QStringLiteral(
                         "INSERT INTO CliFor (IdCliFor, Tipo, Nome) VALUES (%1, 'Fornitore', 'Officina %2')")
                         .arg(100 + i)
                         .arg(i, 2, 10, QChar('0')));
  QTemporaryDir dir;
  auto* dialog = open<frmPrintReportFornitori>();
  EXPECT_EQ(dialog->windowTitle(), "Stampa Fornitori");

  // The address book in a spreadsheet: without its rules; a preview draws them again.
  print.answer = dir.filePath("rubrica.xls");
  exportAs(dialog, 10);
  EXPECT_EQ(print.asked, QStringList{".xls Microsoft Excel (*.xls)|*.xls"});
  EXPECT_EQ(lines(dialog->addressBookReport().pages()), 0);
  const QStringList book = xlsCells(print.answer);
  EXPECT_EQ(only(book, {"T Fornitori", "T B", "T Bulloni Srl", "T Officina 70", "T Bianchi Srl"}),
            (QStringList{"T Fornitori", "T B", "T Bulloni Srl", "T Officina 70"}));
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->windowTitle(), "Rubrica Fornitori");
  const int bookPages = viewer->pageCount();
  EXPECT_EQ(lines(viewer->pages(), 3000), 3);
  EXPECT_EQ(lines(viewer->pages(), ListReport::Width), 1 + bookPages + 3)
      << "title, page headings, group ends";

  // On a web page the address book keeps its title and its headings on every page.
  print.answer = dir.filePath("rubrica.html");
  exportAs(dialog, 13);
  QStringList texts = htmlTexts(print.answer);
  EXPECT_TRUE(texts.contains("Fornitori"));
  EXPECT_EQ(texts.count("Telefono"), bookPages);

  // The register on a web page and in a spreadsheet: no title, headings once, no rules.
  chooseRegister(dialog);
  print.answer = dir.filePath("anagrafica.html");
  exportAs(dialog, 13);
  EXPECT_EQ(lines(dialog->registerReport().pages()), 0);
  texts = htmlTexts(print.answer);
  EXPECT_FALSE(texts.contains("Fornitori"));
  EXPECT_EQ(texts.count("Codice"), 1);
  EXPECT_EQ(texts[texts.indexOf("00010") + 1], "Ferri Spa");
  print.answer = dir.filePath("anagrafica.xls");
  exportAs(dialog, 10);
  const QStringList cells = xlsCells(print.answer);
  EXPECT_FALSE(cells.contains("T Fornitori"));
  EXPECT_EQ(cells.count("T Codice"), 1);
  EXPECT_EQ(cells[cells.indexOf("N 11.0") + 1], "T Bulloni Srl");

  // As a document it prints as designed, and the preview under its own title.
  print.answer = dir.filePath("anagrafica.pdf");
  exportAs(dialog, 12);
  const QStringList pdf = testenv::pdfPages(print.answer);
  ASSERT_GE(pdf.size(), 2);
  EXPECT_TRUE(pdf[0].trimmed().startsWith("Fornitori\n"));
  for (const QString& page : pdf) EXPECT_EQ(page.count("Codice"), 1);
  print.answer = dir.filePath("anagrafica.rtf");
  exportAs(dialog, 11);
  const QString rtf = rtfText(print.answer);
  EXPECT_EQ(rtf.count("Codice"), pdf.size());
  EXPECT_TRUE(rtf.contains("Officina 70"));
  viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->windowTitle(), "Anagrafica Fornitori");
  EXPECT_TRUE(only(pageTexts(viewer->pages()), kCustomers).isEmpty());

  // Cancelled: nothing is written.
  print.answer.clear();
  exportAs(dialog, 12);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 6);
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

// Names that differ in case share their initial's group, headed once in capitals.
TEST_F(CliForListTest, TheAddressBookHasOneGroupPerInitialWhateverTheCase) {
  testdb::exec(cn,
               "INSERT INTO CliFor (IdCliFor, Tipo, Nome) VALUES (20, 'Cliente', 'bassi spa'), "
               "(21, 'Cliente', 'bruno snc'), (22, 'Cliente', 'd''amico')");
  auto* dialog = open<frmPrintReportClienti>();
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  const QStringList texts = pageTexts(viewer->pages());
  EXPECT_EQ(
      only(texts, {"B", "b", "D", "d", "Barbieri Luca", "bassi spa", "Bianchi Srl", "bruno snc", "d'amico"}),
      (QStringList{"B", "Barbieri Luca", "bassi spa", "Bianchi Srl", "bruno snc", "D", "d'amico"}));
  EXPECT_EQ(lines(viewer->pages(), 3000), 3) << "the empty initial, B and D";
}

}  // namespace
