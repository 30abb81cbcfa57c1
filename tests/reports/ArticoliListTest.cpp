// The article list: every article or one category, the title that says which, and the exports
// read back by programs that are not ours.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include "platform/grid/GridEX.h"
#include "platform/report/ReportViewer.h"
#include "reports/arpArticoli.h"
#include "reports/frmPrintReportArticoli.h"
#include "tests/reports/ExportReaders.h"
#include "tests/reports/ReportTestSupport.h"
#include "tests/support/PdfText.h"

namespace {

const QString kLongText = "Trave d'acciaio zincata a caldo per coperture industriali con fori passanti";
const QStringList kCodes = {"CAVO1", "TRAVE", "VITE"};

// Whether the long description wraps on the pages.
bool wraps(const report::Pages& pages) {
  for (const report::Page& page : pages)
    for (const report::PageItem& item : page.items)
      if (item.text == kLongText) return item.wrap;
  ADD_FAILURE() << "the long description is missing";
  return false;
}

class ArticoliListTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    testdb::exec(
        cn,
        "INSERT INTO Liste (Chiave, Descrizione) VALUES ('cat', 'Ferro e l''acciaio'), ('cat', 'Elettrico'), "
        "('cat', 'Vuota'), ('um', 'Metri')");
    testdb::exec(cn,
                 "INSERT INTO Articoli (Codice, Descrizione, Prezzo, PrezzoIvato, DataIns, Categoria) VALUES "
                 "('TRAVE', '" +
                     QString(kLongText).replace("'", "''") +
                     "', 80, 97.6, #02/01/24#, 'Ferro e l''acciaio'), "
                     "('CAVO1', 'Cavo elettrico', 1234.5, 1506.09, #01/10/24#, 'Elettrico'), "
                     "('VITE', 'Vite', 0.1, 0.12, #01/11/24#, NULL)");
    dialog = new frmPrintReportArticoli;
    dialog->Stampa("Ufficio");
    activate(dialog);
  }

  void category(const QString& text) {
    dialog->cmbCat->setCurrentIndex(dialog->cmbCat->findText(text));
    ASSERT_EQ(dialog->cmbCat->currentText(), text);
  }
  QStringList previewOf(const QString& text) {
    category(text);
    report::ReportViewer* viewer = preview(dialog);
    return viewer ? pageTexts(viewer->pages()) : QStringList();
  }

  PrintSetup print;
  frmPrintReportArticoli* dialog = nullptr;
};

TEST_F(ArticoliListTest, ListsEveryArticleOrOneCategoryUnderATitleThatSaysWhich) {
  EXPECT_EQ(dialog->windowTitle(), "Stampa Articoli");
  EXPECT_EQ(items(dialog->cmbCat), (QStringList{"(Tutte)", "Elettrico", "Ferro e l'acciaio", "Vuota"}));
  EXPECT_EQ(items(dialog->cmbArt), (QStringList{"(Tutti)", "CAVO1", "TRAVE", "VITE"}));
  EXPECT_EQ(dialog->GridEX1->value(3), Variant("Anagrafica articoli"));
  EXPECT_EQ(dialog->lbl[4]->text(), "Numero etichette:");
  // The list holds the article list only: its category filter and export are offered, the label
  // controls are not.
  EXPECT_TRUE(dialog->cmbCat->isEnabled() && dialog->Label3->isEnabled() && dialog->cmdExp->isEnabled());
  for (QWidget* w : std::initializer_list<QWidget*>{dialog->cmbArt, dialog->Label1, dialog->lbl[1],
                                                    dialog->txtSkipLabels, dialog->UpDown2})
    EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();

  QStringList texts = previewOf("(Tutte)");
  EXPECT_EQ(texts.first(), "Articoli");
  EXPECT_EQ(only(texts, kCodes), (QStringList{"TRAVE", "CAVO1", "VITE"}));
  EXPECT_EQ(only(texts, {"1.234,50", "1.506,09", "0,10"}), (QStringList{"1.234,50", "1.506,09", "0,10"}));

  // A description with an apostrophe matches as itself.
  texts = previewOf("Ferro e l'acciaio");
  EXPECT_EQ(texts.first(), "Articoli - Categoria: Ferro e l'acciaio");
  EXPECT_EQ(only(texts, kCodes), QStringList{"TRAVE"});
  texts = previewOf("Vuota");
  EXPECT_EQ(texts.first(), "Articoli - Categoria: Vuota");
  EXPECT_TRUE(only(texts, kCodes).isEmpty());
  texts = previewOf("(Tutte)");
  EXPECT_EQ(texts.first(), "Articoli");
  EXPECT_EQ(only(texts, kCodes).size(), 3);
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(ArticoliListTest, ExportsReadBackWithTheSpreadsheetAsAPlainTable) {
  QTemporaryDir dir;
  category("Elettrico");
  print.answer = dir.filePath("articoli.xls");
  exportAs(dialog, 10);
  EXPECT_TRUE(dialog->report().ModoExport);
  QStringList cells = xlsCells(print.answer);
  EXPECT_FALSE(cells.contains("T Articoli - Categoria: Elettrico"));
  EXPECT_EQ(cells.count("T Codice"), 1);
  const int row = int(cells.indexOf("D 2024-01-10"));
  ASSERT_GE(row, 0) << cells.join("|").toStdString();
  EXPECT_EQ(cells.mid(row),
            (QStringList{"D 2024-01-10", "T CAVO1", "T Cavo elettrico", "N 1234.5", "N 1506.09"}));

  // Long descriptions stay on one line in the spreadsheet and wrap on paper.
  category("(Tutte)");
  exportAs(dialog, 10);
  dialog->report().Run();  // the export's run again: the pages went into the file
  EXPECT_FALSE(wraps(dialog->report().pages()));
  EXPECT_TRUE(xlsCells(print.answer).contains("T " + kLongText));
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_TRUE(wraps(viewer->pages()));
  EXPECT_EQ(pageTexts(viewer->pages()).value(0), "Articoli");

  // Every other export prints as designed.
  category("Ferro e l'acciaio");
  const QString title = "Articoli - Categoria: Ferro e l'acciaio";
  print.answer = dir.filePath("articoli.pdf");
  exportAs(dialog, 12);
  const QString pdf = testenv::pdfPages(print.answer).join(u'\n');
  EXPECT_TRUE(pdf.contains(title) && pdf.contains("97,60") && !pdf.contains("CAVO1")) << pdf.toStdString();
  print.answer = dir.filePath("articoli.html");
  exportAs(dialog, 13);
  const QStringList texts = htmlTexts(print.answer);
  EXPECT_EQ(only(texts, {title, "Prezzo ivato", "TRAVE"}), (QStringList{title, "Prezzo ivato", "TRAVE"}));
  print.answer = dir.filePath("articoli.rtf");
  exportAs(dialog, 11);
  const QString rtf = rtfText(print.answer);
  EXPECT_TRUE(rtf.contains(title) && rtf.contains("80,00")) << rtf.toStdString();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

}  // namespace
