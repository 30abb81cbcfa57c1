// The customer and supplier lists: the address book grouped by initial, the register in code order,
// each dialog showing only its own kind, and the exports read back by programs that are not ours.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
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

// The texts of the pages that are in `wanted`, in page order.
QStringList only(const QStringList& texts, const QStringList& wanted) {
  QStringList kept;
  for (const QString& t : texts)
    if (wanted.contains(t)) kept << t;
  return kept;
}

// The lines drawn on the pages that run from x = 0 to x = `right`.
int lines(const report::Pages& pages, int right) {
  int count = 0;
  for (const report::Page& page : pages)
    for (const report::PageItem& item : page.items)
      if (item.kind == report::PageItem::Kind::Line && item.line.x2() - item.line.x1() == right) ++count;
  return count;
}

int allLines(const report::Pages& pages) {
  int count = 0;
  for (const report::Page& page : pages)
    for (const report::PageItem& item : page.items) count += item.kind == report::PageItem::Kind::Line;
  return count;
}

// Makes the register (the list's second row) the current report, as the Down key does.
void chooseRegister(PrintReportDialog* dialog) {
  dialog->GridEX1->view()->setFocus();
  QTest::keyClick(dialog->GridEX1->view(), Qt::Key_Down);
  ASSERT_EQ(dialog->GridEX1->row(), 2);
}

class CliForListTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    exec("INSERT INTO CliFor (IdCliFor, Tipo, Nome, Località, Prov, Telefono, Cellulare, Fax) VALUES "
         "(7, 'Cliente', 'Bianchi Srl', 'Milano', 'MI', '02 1234567', '333 1112223', '02 7654321'), "
         "(2, 'Cliente', 'D''Angelo Srl', 'Bari', 'BA', NULL, NULL, NULL), "
         "(3, 'Cliente', NULL, 'Roma', 'RM', NULL, NULL, NULL), "
         "(4, 'Cliente', '', 'Napoli', 'NA', NULL, NULL, NULL), "
         "(5, 'Cliente', 'Barbieri Luca', 'Como', 'CO', NULL, NULL, NULL), "
         "(6, 'Cliente', 'Zeta Impianti', 'Lecco', 'LC', NULL, NULL, NULL), "
         "(10, 'Fornitore', 'Ferri Spa', 'Brescia', 'BS', NULL, NULL, NULL), "
         "(11, 'Fornitore', 'Bulloni Srl', 'Lodi', 'LO', NULL, NULL, NULL)");
  }

  template <class Dialog>
  Dialog* open() {
    auto* dialog = new Dialog;
    dialog->Stampa("Magazzino");
    activate(dialog);
    return dialog;
  }

  PrintSetup print;
  QStringList& asked = print.asked;
  QString& answer = print.answer;
};

const QStringList kCustomers = {"Bianchi Srl", "D'Angelo Srl", "Barbieri Luca", "Zeta Impianti"};
const QStringList kSuppliers = {"Ferri Spa", "Bulloni Srl"};

TEST_F(CliForListTest, CustomerAddressBookGroupsByInitialAndTheRegisterWritesFiveDigitCodes) {
  auto* dialog = open<frmPrintReportClienti>();
  EXPECT_EQ(dialog->windowTitle(), "Stampa Clienti");
  EXPECT_EQ(dialog->cmbprinters->currentText(), "Magazzino");
  EXPECT_EQ(dialog->lbl[4]->text(), "Numero copie:");
  ASSERT_EQ(dialog->GridEX1->rowCount(), 2);
  EXPECT_EQ(dialog->GridEX1->value(3), Variant("Clienti (Rubrica)"));

  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->windowTitle(), "Rubrica Clienti");
  QStringList texts = pageTexts(viewer->pages());
  EXPECT_EQ(texts.first(), "Clienti");
  EXPECT_TRUE(only(texts, kSuppliers).isEmpty());
  // The nameless customers head the book under an empty letter, where the sort puts them.
  EXPECT_EQ(only(texts, kCustomers + QStringList{"Roma", "Napoli", "B", "D", "Z"}),
            (QStringList{"Roma", "Napoli", "B", "Barbieri Luca", "Bianchi Srl", "D", "D'Angelo Srl", "Z", "Zeta Impianti"}));
  EXPECT_EQ(lines(viewer->pages(), 3000), 4) << "one group heading per initial, the empty one included";
  EXPECT_TRUE(texts.contains("02 7654321"));

  chooseRegister(dialog);
  viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->windowTitle(), "Rubrica Clienti");
  texts = pageTexts(viewer->pages());
  EXPECT_EQ(texts.first(), "Clienti");
  EXPECT_EQ(only(texts, {"00002", "00003", "00004", "00005", "00006", "00007", "00010"}),
            (QStringList{"00002", "00003", "00004", "00005", "00006", "00007"}));
  EXPECT_EQ(texts[texts.indexOf("00007") + 1], "Bianchi Srl");
  EXPECT_FALSE(texts.contains("02 7654321")) << "the register has no fax column";

  // Called again while open: the printers are listed once more and the list is rebuilt.
  dialog->Stampa("Ufficio");
  EXPECT_EQ(items(dialog->cmbprinters), (QStringList{"Ufficio", "Magazzino", "Ufficio", "Magazzino"}));
  EXPECT_EQ(dialog->cmbprinters->currentText(), "Ufficio");
  EXPECT_EQ(dialog->GridEX1->rowCount(), 2);
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(CliForListTest, SupplierListsExportAsPlainTablesWhereTheyShouldAndPrintedOtherwise) {
  for (int i = 1; i <= 70; ++i)
    exec(QStringLiteral("INSERT INTO CliFor (IdCliFor, Tipo, Nome) VALUES (%1, 'Fornitore', 'Officina %2')").arg(100 + i).arg(i, 2, 10, QChar('0')));
  QTemporaryDir dir;
  auto* dialog = open<frmPrintReportFornitori>();
  EXPECT_EQ(dialog->windowTitle(), "Stampa Fornitori");
  EXPECT_EQ(dialog->GridEX1->value(3), Variant("Fornitori (Rubrica)"));

  // The address book in a spreadsheet: no rules, then a preview draws them again.
  answer = dir.filePath("rubrica.xls");
  exportAs(dialog, 10);
  EXPECT_EQ(asked, QStringList{".xls Microsoft Excel (*.xls)|*.xls"});
  EXPECT_EQ(allLines(dialog->rubrica().pages()), 0);
  QStringList cells = xlsCells(answer);
  EXPECT_TRUE(cells.contains("T Fornitori"));
  EXPECT_TRUE(cells.contains("T B"));
  EXPECT_TRUE(cells.contains("T Bulloni Srl"));
  EXPECT_TRUE(cells.contains("T Officina 70"));
  EXPECT_TRUE(only(cells, {"T Bianchi Srl", "T D'Angelo Srl"}).isEmpty());
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->windowTitle(), "Rubrica Fornitori");
  EXPECT_EQ(lines(viewer->pages(), 3000), 3);
  EXPECT_GT(allLines(viewer->pages()), 3);

  // The address book on a web page keeps its title and its headings on every page.
  answer = dir.filePath("rubrica.html");
  exportAs(dialog, 13);
  const int bookPages = int(dialog->rubrica().pages().size());
  ASSERT_GE(bookPages, 2);
  QStringList texts = htmlTexts(answer);
  EXPECT_TRUE(texts.contains("Fornitori"));
  EXPECT_EQ(texts.count("Telefono"), bookPages);

  chooseRegister(dialog);
  viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_EQ(viewer->windowTitle(), "Anagrafica Fornitori");
  EXPECT_TRUE(only(pageTexts(viewer->pages()), kCustomers).isEmpty());

  // The register on a web page: no title, headings once, no rules.
  answer = dir.filePath("anagrafica.html");
  exportAs(dialog, 13);
  EXPECT_TRUE(dialog->anagrafica().ModoExport);
  EXPECT_EQ(allLines(dialog->anagrafica().pages()), 0);
  texts = htmlTexts(answer);
  EXPECT_FALSE(texts.contains("Fornitori"));
  EXPECT_EQ(texts.count("Codice"), 1);
  EXPECT_EQ(texts[texts.indexOf("00010") + 1], "Ferri Spa");
  EXPECT_TRUE(texts.contains("00170"));

  // In a spreadsheet the same, the codes as numbers.
  answer = dir.filePath("anagrafica.xls");
  exportAs(dialog, 10);
  cells = xlsCells(answer);
  EXPECT_FALSE(cells.contains("T Fornitori"));
  EXPECT_EQ(cells.count("T Codice"), 1);
  EXPECT_EQ(cells[cells.indexOf("N 11.0") + 1], "T Bulloni Srl");

  // As a document it prints as designed: title, headings on every page.
  answer = dir.filePath("anagrafica.pdf");
  exportAs(dialog, 12);
  EXPECT_FALSE(dialog->anagrafica().ModoExport);
  const int registerPages = int(dialog->anagrafica().pages().size());
  ASSERT_GE(registerPages, 2);
  const QStringList pdf = testenv::pdfPages(answer);
  ASSERT_EQ(pdf.size(), registerPages);
  EXPECT_TRUE(pdf[0].trimmed().startsWith("Fornitori\n"));
  for (const QString& page : pdf) EXPECT_EQ(page.count("Codice"), 1);
  EXPECT_TRUE(pdf[0].contains("00011"));

  answer = dir.filePath("anagrafica.rtf");
  exportAs(dialog, 11);
  const QString rtf = rtfText(answer);
  EXPECT_TRUE(rtf.contains("Fornitori"));
  EXPECT_EQ(rtf.count("Codice"), registerPages);
  EXPECT_TRUE(rtf.contains("Officina 70"));

  // Cancelled: the report runs, nothing is written.
  answer.clear();
  exportAs(dialog, 12);
  EXPECT_EQ(asked.last(), ".pdf Acrobat reader (*.pdf)|*.pdf");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 6);
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

}  // namespace
