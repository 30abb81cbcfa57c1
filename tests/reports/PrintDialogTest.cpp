// The job-order print dialog: its lists and filters, and its outputs to files.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>
#include <algorithm>

#include "core/Globals.h"
#include "platform/forms/DatePicker.h"
#include "platform/grid/GridEX.h"
#include "platform/report/ReportViewer.h"
#include "reports/arp_o_Com01.h"
#include "reports/comfrmPrintProgress.h"
#include "reports/frmPrintReportArticoli.h"
#include "reports/frmPrintReportClienti.h"
#include "reports/frmPrintReportCom.h"
#include "tests/reports/ExportReaders.h"
#include "tests/reports/ReportTestSupport.h"
#include "tests/support/PdfText.h"

namespace {

// Debian's interpreter, with the packaged readers (xlrd) beside it.
const QString kPython = "/usr/bin/python3";

void choose(QComboBox* combo, const QString& text) {
  const int index = combo->findText(text);
  ASSERT_GE(index, 0) << text.toStdString();
  combo->setCurrentIndex(index);
}

// The job-order codes printed, in order.
QStringList codesPrinted(const QStringList& texts) {
  QStringList codes;
  for (const QString& t : texts)
    if (t.size() == 4 && t.startsWith("C00")) codes << t;
  return codes;
}

class PrintDialogTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    AnnoLavoro = 2024;
  }

  PrintSetup print;
  QStringList& asked = print.asked;
  QString& answer = print.answer;
};

TEST_F(PrintDialogTest, OpensWithItsListsAndFiltersAndMatchesNamesWithAnApostrophe) {
  frmPrintReportCom* dialog = new frmPrintReportCom;
  dialog->Stampa("Magazzino", "C002");
  EXPECT_EQ(dialog->windowTitle(), " Stampe Commesse");
  EXPECT_EQ(items(dialog->cmbFor), (QStringList{"(Tutte)", "(Aperte)", "(Chiuse)", "C001", "C002", "C003"}));
  EXPECT_EQ(items(dialog->cmbCat), (QStringList{"(Tutti)", "Bianchi Srl", "D'Angelo Srl"}));
  EXPECT_EQ(dialog->cmbFor->currentText(), "C002");
  EXPECT_EQ(dialog->cmbprinters->currentText(), "Magazzino");
  EXPECT_EQ(dialog->Dat1->value(), Variant(QDate(2024, 1, 1)));
  EXPECT_EQ(dialog->Dat2->value(), Variant(QDate(2024, 3, 5)));
  const QString captions[] = {"[A] Riepilogo dati economici ", "[B] Controllo Preventivo ",
                              "[C] Dettaglio Manodopera", "[D] Dettaglio Materiali ",
                              "[E] Dettaglio Altri Costi"};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(dialog->chkView[i]->text(), captions[i]);
    EXPECT_EQ(dialog->chkView[i]->isChecked(), i < 2);
  }
  EXPECT_EQ(dialog->GridEX1->rowCount(), 1);
  EXPECT_EQ(dialog->GridEX1->value(3), Variant("Dati Commessa"));
  EXPECT_FALSE(dialog->GridEX1->column(2)->visible());

  // Typing in the copies field keeps digits only.
  activate(dialog);
  dialog->txtNumCopies->setFocus();
  dialog->txtNumCopies->selectAll();
  type("3a'-2");
  EXPECT_EQ(dialog->txtNumCopies->text(), "32");

  // Called again while open: the printers are listed once more, the report list keeps its one row.
  dialog->Stampa("Ufficio", "");
  EXPECT_EQ(items(dialog->cmbprinters), (QStringList{"Ufficio", "Magazzino", "Ufficio", "Magazzino"}));
  EXPECT_EQ(dialog->GridEX1->rowCount(), 1);

  choose(dialog->cmbFor, "(Aperte)");
  choose(dialog->cmbCat, "(Tutti)");
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  QStringList texts = pageTexts(viewer->pages());
  EXPECT_TRUE(texts.contains("Commesse selezionate: (Aperte) - Clienti selezionati: (Tutti)"));
  EXPECT_EQ(codesPrinted(texts), (QStringList{"C002", "C003"}));

  choose(dialog->cmbCat, "D'Angelo Srl");
  viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_EQ(codesPrinted(pageTexts(viewer->pages())), QStringList{"C002"});
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();

  choose(dialog->cmbFor, "C001");
  viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  texts = pageTexts(viewer->pages());
  EXPECT_TRUE(codesPrinted(texts).isEmpty());
  EXPECT_TRUE(texts.contains("Commesse selezionate: C001 - Clienti selezionati: D'Angelo Srl"));

  choose(dialog->cmbFor, "(Tutte)");
  choose(dialog->cmbCat, "(Tutti)");
  viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_EQ(codesPrinted(pageTexts(viewer->pages())), (QStringList{"C001", "C002", "C003"}));
  EXPECT_EQ(viewer->toolAction(2)->text(), "Stampa");
  EXPECT_FALSE(viewer->toolAction(0));
  EXPECT_EQ(viewer->zoomBox()->itemText(0), "Larghezza");
  EXPECT_EQ(viewer->zoomBox()->itemText(1), "Pagina");
}

TEST_F(PrintDialogTest, EachReportListFillsItsFrameWithItsTitlesWholeAndNoScrollBar) {
  auto* clienti = new frmPrintReportClienti;
  clienti->Stampa("Ufficio");
  auto* articoli = new frmPrintReportArticoli;
  articoli->Stampa("Ufficio");
  for (PrintReportDialog* dialog :
       std::initializer_list<PrintReportDialog*>{openDialog(), clienti, articoli}) {
    activate(dialog);
    SCOPED_TRACE(dialog->windowTitle().toStdString());
    int iconWidth = 0;
    for (int extra : {0, 200}) {
      dialog->resize(dialog->width() + extra, dialog->height());
      QCoreApplication::processEvents();
      auto* list = qobject_cast<QTableView*>(dialog->GridEX1->view());
      const QHeaderView* header = list->horizontalHeader();
      EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
      EXPECT_NEAR(header->length(), list->viewport()->width(), 1) << "the list fills its frame";
      if (!iconWidth) iconWidth = header->sectionSize(0);
      EXPECT_EQ(header->sectionSize(0), iconWidth) << "the icon column keeps its width";
      for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QString title = list->model()->index(row, 2).data().toString();
        EXPECT_GE(header->sectionSize(2), list->fontMetrics().horizontalAdvance(title))
            << title.toStdString();
      }
    }
  }
}

TEST(CreaFiltroTest, EachStateAndCustomerGivesItsClauseWithTextsQuoted) {
  EXPECT_EQ(frmPrintReportCom::CreaFiltro("(Tutte)", "(Tutti)"), "");
  EXPECT_EQ(frmPrintReportCom::CreaFiltro("(Aperte)", "(Tutti)"), " WHERE Chiusa=False");
  EXPECT_EQ(frmPrintReportCom::CreaFiltro("(Chiuse)", "(Tutti)"), " WHERE Chiusa=True");
  EXPECT_EQ(frmPrintReportCom::CreaFiltro("C001", "(Tutti)"), " WHERE CodCom='C001'");
  EXPECT_EQ(frmPrintReportCom::CreaFiltro("(Tutte)", "Bianchi"), " WHERE Nome='Bianchi'");
  EXPECT_EQ(frmPrintReportCom::CreaFiltro("(Aperte)", "Bianchi"), " WHERE Nome='Bianchi' AND Chiusa=False");
  EXPECT_EQ(frmPrintReportCom::CreaFiltro("(Chiuse)", "Bianchi"), " WHERE Nome='Bianchi' AND Chiusa=True");
  EXPECT_EQ(frmPrintReportCom::CreaFiltro("C001", "D'Angelo"), " WHERE Nome='D''Angelo' AND CodCom='C001'");
  EXPECT_EQ(frmPrintReportCom::CreaFiltro("L'1", "(Tutti)"), " WHERE CodCom='L''1'");
}

// The cursor over the program whenever a report preview window is shown.
class PreviewCursorWatch : public QObject {
 public:
  PreviewCursorWatch() { qApp->installEventFilter(this); }
  ~PreviewCursorWatch() override { qApp->removeEventFilter(this); }
  QList<int> shapes;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && qobject_cast<report::ReportViewer*>(watched))
      shapes << (QApplication::overrideCursor() ? int(QApplication::overrideCursor()->shape()) : -1);
    return false;
  }
};

TEST_F(PrintDialogTest, TheBusyCursorShowsWhileAReportRunsAndIsRestoredAfterwardsAlsoOnFailure) {
  QTemporaryDir dir;
  frmPrintReportCom* dialog = openDialog();
  PreviewCursorWatch watch;
  ASSERT_TRUE(preview(dialog));
  EXPECT_EQ(watch.shapes, QList<int>{Qt::WaitCursor});
  EXPECT_FALSE(QApplication::overrideCursor());

  answer = dir.filePath("commesse.pdf");
  exportAs(dialog, 12);
  EXPECT_TRUE(QFile::exists(answer));
  EXPECT_FALSE(QApplication::overrideCursor());

  testdb::exec(cn, "DROP VIEW costi_prev_sum");
  click(dialog->cmdPreview);
  EXPECT_FALSE(QApplication::overrideCursor());
  exportAs(dialog, 10);
  EXPECT_FALSE(QApplication::overrideCursor());
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[1].startsWith("Errore nella lettura dei dati del report"))
      << messages[1].toStdString();
}

TEST_F(PrintDialogTest, PrintingFromThePreviewOnAMissingPrinterShowsTheMessageAboveThePreview) {
  frmPrintReportCom* dialog = openDialog();
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  const QList<QAction*> tools = viewer->findChild<QToolBar*>()->actions();
  const auto print =
      std::find_if(tools.begin(), tools.end(), [](QAction* a) { return a->text() == "Stampa"; });
  ASSERT_NE(print, tools.end());
  (*print)->trigger();
  EXPECT_EQ(messages, QStringList{"La stampante \"Ufficio\" non esiste o non è disponibile."});
  EXPECT_TRUE(viewer->isVisible());
}

TEST_F(PrintDialogTest, ExportsWriteFilesThatTheirReadersOpenAndCancellingWritesNothing) {
  QTemporaryDir dir;
  frmPrintReportCom* dialog = openDialog();
  EXPECT_EQ(dialog->cmdExp->text(), "&Esporta..");
  for (auto [mode, caption] : {std::pair{10, "in Excel"},
                               {11, "in RTF (Rich text format)"},
                               {12, "in PDF (Acrobat Reader)"},
                               {13, "in HTML"}})
    EXPECT_EQ(dialog->mnuexp[mode]->text(), caption);

  // Cancelled: nothing written, though the report has been run.
  exportAs(dialog, 12);
  ASSERT_EQ(asked, QStringList{".pdf Acrobat reader (*.pdf)|*.pdf"});
  EXPECT_TRUE(QDir(dir.path()).isEmpty());
  EXPECT_FALSE(dialog->report().pages().empty());

  answer = dir.filePath("commesse.pdf");
  exportAs(dialog, 12);
  const QString pdf = testenv::pdfPages(answer).join("\n");
  EXPECT_TRUE(pdf.contains("Commesse selezionate: (Tutte) - Clienti selezionati: (Tutti)"));
  EXPECT_TRUE(pdf.contains("05-03-2008"));
  EXPECT_TRUE(pdf.contains("D'Angelo Srl"));
  EXPECT_TRUE(pdf.contains("1.120,00"));

  answer = dir.filePath("commesse.html");
  exportAs(dialog, 13);
  EXPECT_EQ(asked.last(), ".html Formato HTML (*.html)|*.html");
  const QString html = runTool(kPython, {"-c",
                                         "import sys, html.parser\n"
                                         "class P(html.parser.HTMLParser):\n"
                                         "    def handle_data(self, d):\n"
                                         "        d = d.strip()\n"
                                         "        if d: print(d)\n"
                                         "P().feed(open(sys.argv[1], encoding='utf-8').read())\n",
                                         answer});
  EXPECT_TRUE(html.split('\n').contains("D'Angelo Srl"));
  EXPECT_TRUE(html.split('\n').contains("Quadro di comando"));

  // Excel: numbers stay numbers; then a preview runs with the normal layout.
  answer = dir.filePath("commesse.xls");
  exportAs(dialog, 10);
  EXPECT_EQ(asked.last(), ".xls Microsoft Excel (*.xls)|*.xls");
  EXPECT_TRUE(dialog->report().ModoExport);
  const QStringList cells = xlsCells(answer);
  EXPECT_TRUE(cells.contains("T C001"));
  EXPECT_TRUE(cells.contains("T Impianto elettrico"));
  EXPECT_TRUE(cells.contains("N 600.0"));
  EXPECT_TRUE(cells.contains("N -150.0"));
  // C001's five dates: all shown dates are date cells, delivery and end by their flags too; only
  // the warranty placeholders stay text.
  const QStringList dates = cells.filter(QRegularExpression("^(D |T \\.\\.\\.\\.$)"));
  EXPECT_EQ(dates.mid(dates.indexOf("D 2008-01-07"), 5),
            (QStringList{"D 2008-01-07", "D 2008-02-01", "D 2008-02-10", "D 2008-03-05", "T ...."}));
  EXPECT_EQ(dates.mid(dates.indexOf("D 2008-04-01"), 5),
            (QStringList{"D 2008-04-01", "D 2008-06-30", "T ....", "T ....", "T ...."}));
  report::ReportViewer* viewer = preview(dialog);
  ASSERT_TRUE(viewer);
  EXPECT_FALSE(dialog->report().ModoExport);
  EXPECT_EQ(pageTexts(viewer->pages()).count("Controllo Preventivo"), 3);

  // A file that cannot be written: the user is told, and nothing is left under its name.
  EXPECT_TRUE(messages.isEmpty());
  answer = dir.filePath("manca/commesse.rtf");
  exportAs(dialog, 11);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Impossibile scrivere il file")) << messages[0].toStdString();
  EXPECT_FALSE(QFile::exists(answer));
  EXPECT_TRUE(dialog->isVisible());

  // A database that fails during the run is reported the same way.
  testdb::exec(cn, "DROP VIEW costi_prev_sum");
  answer = dir.filePath("rotto.pdf");
  exportAs(dialog, 12);
  ASSERT_EQ(messages.size(), 2);
  EXPECT_TRUE(messages[1].startsWith("Errore nella lettura dei dati del report"))
      << messages[1].toStdString();
  EXPECT_FALSE(QFile::exists(answer));
}

}  // namespace

namespace {

TEST(PrintProgressTest, AnnullaOnlyHidesTheWindow) {
  comfrmPrintProgress progress;
  progress.show();
  EXPECT_EQ(progress.windowTitle(), "Stampa");
  QTest::mouseClick(progress.cmdCancel, Qt::LeftButton);
  EXPECT_FALSE(progress.isVisible());
}

}  // namespace
