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

const QString kLunga = "Trave d'acciaio zincata a caldo per coperture industriali con fori passanti";

QStringList codes(const QStringList& texts) {
  QStringList found;
  for (const QString& t : texts)
    if (t == "CAVO1" || t == "TRAVE" || t == "VITE") found << t;
  return found;
}

// The page item that shows a text; nullptr when none does.
const report::PageItem* itemOf(const report::Pages& pages, const QString& text) {
  for (const report::Page& page : pages)
    for (const report::PageItem& item : page.items)
      if (item.kind == report::PageItem::Kind::Text && item.text == text) return &item;
  return nullptr;
}

class ArticoliListTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    exec("INSERT INTO Liste (Chiave, Descrizione) VALUES ('cat', 'Ferro e l''acciaio'), ('cat', 'Elettrico'), "
         "('cat', 'Vuota'), ('um', 'Metri')");
    exec("INSERT INTO Articoli (Codice, Descrizione, Prezzo, PrezzoIvato, DataIns, Categoria) VALUES "
         "('TRAVE', '" + QString(kLunga).replace("'", "''") + "', 80, 97.6, #02/01/24#, 'Ferro e l''acciaio'), "
         "('CAVO1', 'Cavo elettrico', 1234.5, 1506.09, #01/10/24#, 'Elettrico'), "
         "('VITE', 'Vite', 0.1, 0.12, #01/11/24#, NULL)");
  }

  frmPrintReportArticoli* open() {
    auto* dialog = new frmPrintReportArticoli;
    dialog->Stampa("Ufficio");
    activate(dialog);
    return dialog;
  }

  // Previews the list of a category and returns the texts of its pages.
  QStringList previewOf(frmPrintReportArticoli* dialog, const QString& categoria) {
    dialog->cmbCat->setCurrentIndex(dialog->cmbCat->findText(categoria));
    EXPECT_EQ(dialog->cmbCat->currentText(), categoria);
    report::ReportViewer* viewer = preview(dialog);
    return viewer ? pageTexts(viewer->pages()) : QStringList();
  }

  PrintSetup print;
  QString& answer = print.answer;
};

TEST_F(ArticoliListTest, ListsEveryArticleOrOneCategoryUnderATitleThatSaysWhich) {
  frmPrintReportArticoli* dialog = open();
  EXPECT_EQ(dialog->windowTitle(), "Stampa Articoli");
  EXPECT_EQ(items(dialog->cmbCat), (QStringList{"(Tutte)", "Elettrico", "Ferro e l'acciaio", "Vuota"}));
  EXPECT_EQ(items(dialog->cmbArt), (QStringList{"(Tutti)", "CAVO1", "TRAVE", "VITE"}));
  EXPECT_EQ(dialog->cmbCat->currentText(), "(Tutte)");
  EXPECT_EQ(dialog->cmbArt->currentText(), "(Tutti)");
  EXPECT_EQ(dialog->GridEX1->value(3), Variant("Anagrafica articoli"));
  EXPECT_EQ(dialog->lbl[4]->text(), "Numero etichette:");
  EXPECT_EQ(dialog->txtSkipLabels->text(), "0");
  // The list holds the article list only: its category filter and export are offered, the label
  // controls are not.
  EXPECT_TRUE(dialog->cmbCat->isEnabled() && dialog->Label3->isEnabled() && dialog->cmdExp->isEnabled());
  for (QWidget* w : std::initializer_list<QWidget*>{dialog->cmbArt, dialog->Label1, dialog->lbl[1], dialog->txtSkipLabels,
                                                   dialog->UpDown2})
    EXPECT_FALSE(w->isEnabled()) << w->metaObject()->className();

  QStringList texts = previewOf(dialog, "(Tutte)");
  EXPECT_EQ(texts.first(), "Articoli");
  EXPECT_EQ(codes(texts), (QStringList{"TRAVE", "CAVO1", "VITE"}));
  EXPECT_TRUE(texts.contains("1.234,50"));
  EXPECT_TRUE(texts.contains("1.506,09"));
  EXPECT_TRUE(texts.contains("0,10"));

  // A description with an apostrophe matches as itself.
  texts = previewOf(dialog, "Ferro e l'acciaio");
  EXPECT_EQ(texts.first(), "Articoli - Categoria: Ferro e l'acciaio");
  EXPECT_EQ(codes(texts), QStringList{"TRAVE"});
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();

  texts = previewOf(dialog, "Vuota");
  EXPECT_EQ(texts.first(), "Articoli - Categoria: Vuota");
  EXPECT_TRUE(codes(texts).isEmpty());

  texts = previewOf(dialog, "(Tutte)");
  EXPECT_EQ(texts.first(), "Articoli");
  EXPECT_EQ(codes(texts).size(), 3);

  dialog->Stampa("Magazzino");
  EXPECT_EQ(items(dialog->cmbprinters), (QStringList{"Ufficio", "Magazzino", "Ufficio", "Magazzino"}));
  EXPECT_EQ(dialog->GridEX1->rowCount(), 1);
}

TEST_F(ArticoliListTest, ExportsReadBackWithTheSpreadsheetAsAPlainTable) {
  QTemporaryDir dir;
  frmPrintReportArticoli* dialog = open();
  dialog->cmbCat->setCurrentIndex(dialog->cmbCat->findText("Elettrico"));

  answer = dir.filePath("articoli.xls");
  exportAs(dialog, 10);
  EXPECT_TRUE(dialog->report().ModoExport);
  QStringList cells = xlsCells(answer);
  EXPECT_FALSE(cells.contains("T Articoli - Categoria: Elettrico"));
  EXPECT_EQ(cells.count("T Codice"), 1);
  const int row = int(cells.indexOf("D 2024-01-10"));
  ASSERT_GE(row, 0) << cells.join("|").toStdString();
  EXPECT_EQ(cells.mid(row, 5), (QStringList{"D 2024-01-10", "T CAVO1", "T Cavo elettrico", "N 1234.5", "N 1506.09"}));
  EXPECT_FALSE(cells.contains("T TRAVE"));

  // Long descriptions stay on one line in the spreadsheet and wrap on paper.
  dialog->cmbCat->setCurrentIndex(0);
  exportAs(dialog, 10);
  ASSERT_TRUE(itemOf(dialog->report().pages(), kLunga));
  EXPECT_FALSE(itemOf(dialog->report().pages(), kLunga)->wrap);
  cells = xlsCells(answer);
  EXPECT_TRUE(cells.contains("T " + kLunga));
  EXPECT_TRUE(cells.contains("T VITE"));
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_FALSE(dialog->report().ModoExport);
  EXPECT_TRUE(itemOf(viewer->pages(), kLunga)->wrap);
  EXPECT_EQ(pageTexts(viewer->pages()).first(), "Articoli");

  // Every other export prints as designed.
  dialog->cmbCat->setCurrentIndex(dialog->cmbCat->findText("Ferro e l'acciaio"));
  answer = dir.filePath("articoli.pdf");
  exportAs(dialog, 12);
  const QString pdf = testenv::pdfPages(answer).join(u'\n');
  EXPECT_TRUE(pdf.contains("Articoli - Categoria: Ferro e l'acciaio"));
  EXPECT_TRUE(pdf.contains("97,60"));
  EXPECT_FALSE(pdf.contains("CAVO1"));

  answer = dir.filePath("articoli.html");
  exportAs(dialog, 13);
  EXPECT_FALSE(dialog->report().ModoExport);
  const QStringList texts = htmlTexts(answer);
  EXPECT_EQ(texts.first(), "Articoli - Categoria: Ferro e l'acciaio");
  EXPECT_TRUE(texts.contains("Prezzo ivato"));
  EXPECT_TRUE(texts.contains("TRAVE"));

  answer = dir.filePath("articoli.rtf");
  exportAs(dialog, 11);
  const QString rtf = rtfText(answer);
  EXPECT_TRUE(rtf.contains("Articoli - Categoria: Ferro e l'acciaio"));
  EXPECT_TRUE(rtf.contains("80,00"));
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

}  // namespace
