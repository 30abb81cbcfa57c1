#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>

#include "core/Globals.h"
#include "jobs/QuoteLineGrid.h"
#include "jobs/frm_gex_prev.h"
#include "jobs/frm_io_Com_Edit.h"
#include "jobs/frm_io_Com_Prev.h"
#include "jobs/frm_io_PrevModelli_New.h"
#include "jobs/frm_io_Text.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/SharedInstance.h"
#include "platform/grid/GEXPreview.h"
#include "platform/grid/GridEX.h"
#include "sqlite3.h"
#include "tests/jobs/PrevTestSupport.h"
#include "tests/support/PdfText.h"

using namespace prevtest;

namespace {

// The columns every line grid shares, then the quote's own.
using namespace quotelines;
constexpr Column colCodCom = colParent;
constexpr Column colCosto = colCostoStimato;
enum { colQPrev = colCostoStimato + 1, colQuantita, colPrezzo };

class ComPrevTest : public PrevTest {
 protected:
  // Opens the quote of a job order and runs drive while it is shown; drive closes nothing.
  void withQuote(const QString& jobCode, const std::function<void(frm_io_Com_Prev&)>& drive) {
    frm_io_Com_Prev& w = forms::SharedInstance<frm_io_Com_Prev>::get();
    runModal(
        [&] {
          w.Apri(jobCode);
          return Variant();
        },
        [&](QWidget*) {
          drive(w);
          w.close();
        });
    settle();
  }
  static Currency money(double v) { return *Currency::fromDouble(v); }
  // "Salva come Modello", saving the new template with that description; afterSave, when given,
  // acts on the template window after the save and must close it.
  static void saveAsTemplate(frm_io_Com_Prev& w, const QString& description,
                             const std::function<void(QWidget*)>& afterSave = {}) {
    withTemplateDialog(w, [&](QWidget* modal) {
      QTest::keyClicks(modal->findChild<QLineEdit*>("txtData0"), description);
      modal->findChild<QPushButton*>("cmdSalva")->click();
      if (afterSave) afterSave(modal);
    });
  }
  // Presses "Salva come Modello" and hands its dialog to `drive`, which must close it.
  static void withTemplateDialog(frm_io_Com_Prev& w, const std::function<void(QWidget*)>& drive) {
    runModal(
        [&] {
          w.cmdModello->click();
          return Variant();
        },
        [&](QWidget* modal) {
          EXPECT_EQ(modal->windowTitle(), "Nuovo Modello da Preventivo");
          drive(modal);
        });
  }
};

TEST_F(ComPrevTest, QuantityFollowsTheQuotedQuantityAndTheAmountFollowsQuantityAndRate) {
  withQuote("C001", [&](frm_io_Com_Prev& w) {
    grid::GridEX& g = *w.gex;
    EXPECT_EQ(w.windowTitle(), "Preventivo");
    EXPECT_EQ(g.row(), -1);
    EXPECT_EQ(g.col(), colCodice);
    EXPECT_EQ(w.lblTot->text(), "33,50");
    EXPECT_EQ(g.column(colQPrev)->caption(), "Q.Prev.");
    EXPECT_EQ(g.column(colQuantita)->caption(), "Quantità");
    for (int hidden : {colIdVocePre, colCodCom, colDescEstesa, colOrdine, colCosto})
      EXPECT_FALSE(g.column(hidden)->visible());
    EXPECT_EQ(g.cellText(1, colUM), "Ore");  // the unit's description shows, its code is stored
    EXPECT_GE(listRoomLeft(g, 1, colUM), 0) << "every unit shows whole";
    EXPECT_EQ(headingsCutShort(qobject_cast<QTableView*>(g.view())), QStringList());

    typeInCell(g, -1, colCodice, "X1");
    EXPECT_EQ(g.value(colTariffa), Variant(money(0)));  // a new line starts at rate 0
    typeInCell(g, -1, colTariffa, "2,5");
    typeInCell(g, -1, colQPrev, "5");
    EXPECT_EQ(g.value(colQuantita).toDouble(), 5);
    EXPECT_EQ(g.value(colPrezzo), Variant(money(12.5)));
    typeInCell(g, -1, colQuantita, "0");  // a quantity of 0 is filled as an empty one
    typeInCell(g, -1, colQPrev, "6");
    EXPECT_EQ(g.value(colQuantita).toDouble(), 6);
    EXPECT_EQ(g.value(colPrezzo), Variant(money(15)));
    typeInCell(g, -1, colQuantita, "3");
    typeInCell(g, -1, colQPrev, "8");
    EXPECT_EQ(g.value(colQuantita).toDouble(), 3);
    EXPECT_EQ(g.value(colPrezzo), Variant(money(7.5)));

    // Text in a number column is refused and stays in its editor; the amount takes no typing.
    typeInCell(g, -1, colTariffa, "abc");
    QLineEdit* editor = nullptr;
    EXPECT_EVENTUALLY(editor = qobject_cast<QLineEdit*>(cellEditor(g)));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "abc");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(g.value(colTariffa), Variant(money(2.5)));
    auto* view = qobject_cast<QAbstractItemView*>(g.view());
    const Qt::ItemFlags priceFlags = view->model()->flags(view->model()->index(0, colPrezzo - 1));
    EXPECT_FALSE(priceFlags & Qt::ItemIsEditable);
    EXPECT_FALSE(priceFlags & Qt::ItemIsEnabled);

    // Without a unit the line cannot be left; with one it is written for this job order.
    pressInGrid(g, Qt::Key_Up);
    EXPECT_EVENTUALLY(g.row() == -1);
    EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre WHERE Codice='X1'"), 0);
    typeInCell(g, -1, colUM, "KG");  // the unit by its code, in another case
    g.setRow(1);
    EXPECT_EQ(testdb::count(cn,
                            "SELECT * FROM CommessePre WHERE Codice='X1' AND CodCom='C001' AND QPrev=8 "
                            "AND Quantita=3 AND Prezzo=7.5"),
              1);
    EXPECT_EQ(testdb::scalar(cn, "SELECT UM FROM CommessePre WHERE Codice='X1'"), Variant("kg"));
    EXPECT_EQ(w.lblTot->text(), "41,00");
  });
}

TEST_F(ComPrevTest, ALineWithZeroQuotedQuantityStaysAndTheTotalFollowsWritesAndDeletes) {
  answer = forms::vbYes;
  withQuote("C'02", [&](frm_io_Com_Prev& w) {
    grid::GridEX& g = *w.gex;
    EXPECT_EQ(w.lblTot->text(), ",00");
    typeInCell(g, -1, colCodice, "L1");
    chooseInCell(g, -1, colUM, "Ore");
    typeInCell(g, -1, colTariffa, "4");
    typeInCell(g, -1, colQuantita, "3");
    typeInCell(g, -1, colQPrev, "0");
    EXPECT_EQ(g.value(colPrezzo), Variant(money(12)));  // only the quoted quantity is missing
    EXPECT_FALSE(g.updateRow());
    EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre"), 2);
    typeInCell(g, -1, colQPrev, "1,5");
    EXPECT_TRUE(g.updateRow());
    EXPECT_EQ(testdb::scalar(cn, "SELECT Prezzo FROM CommessePre WHERE CodCom='C''02'"), Variant(money(12)));
    EXPECT_EQ(w.lblTot->text(), "12,00");

    g.setRow(1);
    pressInGrid(g, Qt::Key_Delete);
    EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre WHERE CodCom='C''02'"), 0);
    EXPECT_EQ(w.lblTot->text(), ",00");
  });
}

TEST_F(ComPrevTest, SaveAsTemplateWritesThePendingLineAndCopiesEveryLine) {
  withQuote("C001", [&](frm_io_Com_Prev& w) {
    grid::GridEX& g = *w.gex;
    typeInCell(g, -1, colCodice, "V3");
    chooseInCell(g, -1, colUM, "Ore");
    typeInCell(g, -1, colTariffa, "1");
    typeInCell(g, -1, colQPrev, "2");
    // Annulla copies nothing and says nothing.
    withTemplateDialog(w, [](QWidget* modal) { modal->findChild<QPushButton*>("cmdAnnulla")->click(); });
    EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreModelli"), 1);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre WHERE Codice='V3'"), 1);

    typeInCell(g, 1, colQuantita, "4");  // a changed line still in editing
    saveAsTemplate(w, "Da C001");
    EXPECT_EQ(messages, QStringList{"Modello generato"});
  });
  const Variant id = testdb::scalar(cn, "SELECT IdModello FROM PreModelli WHERE Descrizione='Da C001'");
  ASSERT_FALSE(id.isNull());
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre WHERE Codice='V1' AND Quantita=4"), 1);
  const QString lines = "SELECT * FROM PreVoci WHERE IdModelloPre=" + id.toString();
  EXPECT_EQ(testdb::count(cn, lines), 3);
  EXPECT_EQ(
      testdb::count(
          cn, lines + " AND Codice='V1' AND Descrizione='Taglio' AND DescEstesa='Taglio a misura' AND UM='h' "
                      "AND Tariffa=10 AND Ordine IS NULL AND CostoStimato IS NULL"),
      1);
  EXPECT_EQ(testdb::count(cn, lines + " AND Codice='V3' AND Tariffa=1"), 1);

  // A job order without lines gives a template without lines, all the same.
  messages.clear();
  withQuote("C'02", [&](frm_io_Com_Prev& w) { saveAsTemplate(w, "Vuoto"); });
  EXPECT_EQ(messages, QStringList{"Modello generato"});
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreModelli WHERE Descrizione='Vuoto'"), 1);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreVoci"), 5);
}

TEST_F(ComPrevTest, TheQuoteIsOwnedByTheMainWindowAndItsDialogsByTheQuoteAllWithTheProgramsIcon) {
  main->setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
  const qint64 icon = main->windowIcon().cacheKey();
  withQuote("C001", [&](frm_io_Com_Prev& w) {
    EXPECT_EQ(w.parentWidget(), main);
    EXPECT_TRUE(w.isWindow());
    EXPECT_EQ(w.windowIcon().cacheKey(), icon);
    withTemplateDialog(w, [&](QWidget* modal) {
      EXPECT_EQ(modal->parentWidget(), &w);
      EXPECT_EQ(modal->windowIcon().cacheKey(), icon);
      modal->findChild<QPushButton*>("cmdAnnulla")->click();
    });
    ASSERT_TRUE(w.gex->find(colCodice, grid::FindEqual, Variant("V1")));
    const int row = w.gex->row();
    runModal(
        [&] {
          clickCellButton(*w.gex, row, colDescrizione);
          return Variant();
        },
        [&](QWidget* modal) {
          EXPECT_EQ(modal->windowTitle(), "Testo");
          EXPECT_EQ(modal->parentWidget(), &w);
          EXPECT_EQ(modal->windowIcon().cacheKey(), icon);
          modal->close();
        });
  });
  // The template window opened from the main window's New belongs to the main window again.
  runModal([&] { return Variant(forms::SharedInstance<frm_io_PrevModelli_New>::get().NuovoDaCommessa()); },
           [&](QWidget* modal) {
             EXPECT_EQ(modal->parentWidget(), main);
             modal->close();
           });
}

// The template and its lines are written together: when the lines fail, nothing is left to clean
// up, even where nothing could delete a template (as when the program is killed half-way).
TEST_F(ComPrevTest, AFailedCopyIsReportedKeepsTheTemplateWindowAndStoresNoTemplate) {
  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open(db::Connection::dataSource(ConnString).toUtf8().constData(), &raw), SQLITE_OK);
  sqlite3_exec(raw,
               "CREATE TRIGGER rifiuta BEFORE INSERT ON PreVoci WHEN NEW.Codice='V2' "
               "BEGIN SELECT RAISE(ABORT, 'Voce rifiutata dal database'); END;"
               "CREATE TRIGGER resta BEFORE DELETE ON PreModelli BEGIN SELECT RAISE(ABORT, 'bloccato'); END;",
               nullptr, nullptr, nullptr);
  sqlite3_close(raw);
  withQuote("C001", [&](frm_io_Com_Prev& w) {
    saveAsTemplate(w, "Non riuscito", [](QWidget* modal) {
      EXPECT_TRUE(modal->isVisible());
      EXPECT_EQ(modal->findChild<QLineEdit*>("txtData0")->text(), "Non riuscito");
      modal->findChild<QPushButton*>("cmdAnnulla")->click();
    });
  });
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains("Voce rifiutata dal database")) << messages[0].toStdString();
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreModelli"), 1);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreVoci"), 2);
}

TEST_F(ComPrevTest, TabPastTheQuantityWritesTheLineAndStartsTheNextOneInItsCode) {
  withQuote("C'02", [&](frm_io_Com_Prev& w) {
    grid::GridEX& g = *w.gex;
    typeInCell(g, -1, colCodice, "L1");
    chooseInCell(g, -1, colUM, "Ore");
    typeInCell(g, -1, colTariffa, "4");
    typeInCell(g, -1, colQPrev, "2");
    typeInCell(g, -1, colQuantita, "3");
    EXPECT_FALSE(g.rowPending());
    EXPECT_EQ(g.row(), -1);
    EXPECT_EQ(g.col(), colCodice);
    EXPECT_EQ(
        testdb::count(
            cn,
            "SELECT * FROM CommessePre WHERE CodCom='C''02' AND Codice='L1' AND Quantita=3 AND Prezzo=12"),
        1);
  });
}

TEST_F(ComPrevTest, ClosingOverALineThatCannotBeWrittenSaysWhatItLacksAndKeepsIt) {
  withQuote("C'02", [&](frm_io_Com_Prev& w) {
    grid::GridEX& g = *w.gex;
    typeInCell(g, -1, colCodice, "L1");
    typeInCell(g, -1, colQPrev, "2");
    w.close();
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(messages.size(), 1);
    for (const char* lacking : {"UM", "Tariffa (maggiore di zero)", "Prezzo (maggiore di zero)", "Esc"})
      EXPECT_TRUE(messages[0].contains(QString::fromUtf8(lacking))) << lacking;
    EXPECT_FALSE(messages[0].contains("Codice")) << messages[0].toStdString();
    EXPECT_FALSE(messages[0].contains("Q.Prev.")) << messages[0].toStdString();
    EXPECT_TRUE(g.rowPending());
    EXPECT_EQ(g.value(colCodice), Variant("L1"));
    pressInGrid(g, Qt::Key_Escape);
    EXPECT_FALSE(g.rowPending());
  });
  EXPECT_EQ(messages.size(), 1);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CommessePre WHERE CodCom='C''02'"), 0);
}

TEST_F(ComPrevTest, TheLongTextEditorReplacesTheExtendedDescriptionOnlyWithAText) {
  withQuote("C001", [&](frm_io_Com_Prev& w) {
    grid::GridEX& g = *w.gex;
    ASSERT_TRUE(g.find(colCodice, grid::FindEqual, Variant("V1")));
    const int row = g.row();
    runModal(
        [&] {
          clickCellButton(g, row, colDescrizione);
          return Variant();
        },
        [](QWidget* modal) {
          auto* text = modal->findChild<QPlainTextEdit*>("txtText");
          EXPECT_EQ(modal->windowTitle(), "Testo");
          EXPECT_EQ(text->toPlainText(), "Taglio a misura");
          text->selectAll();
          QTest::keyClicks(text, "Riga uno");
          QTest::keyClick(text, Qt::Key_Return);
          QTest::keyClicks(text, "Riga due");
          modal->findChild<QPushButton*>("cmdOK")->click();
        });
    EXPECT_EQ(g.value(colDescEstesa), Variant("Riga uno\nRiga due"));
    runModal(
        [&] {
          clickCellButton(g, row, colDescrizione);
          return Variant();
        },
        [](QWidget* modal) {
          modal->findChild<QPlainTextEdit*>("txtText")->clear();
          modal->findChild<QPushButton*>("cmdOK")->click();
        });
    runModal(
        [&] {
          clickCellButton(g, row, colDescrizione);
          return Variant();
        },
        [](QWidget* modal) { modal->close(); });
    EXPECT_EQ(g.value(colDescEstesa), Variant("Riga uno\nRiga due"));
    EXPECT_TRUE(g.updateRow());
  });
  EXPECT_EQ(testdb::scalar(cn, "SELECT DescEstesa FROM CommessePre WHERE Codice='V1'"),
            Variant("Riga uno\nRiga due"));

  // Annulla and the close box hand back the empty text even after a text was handed back.
  runModal(
      [&] {
        EXPECT_EQ(forms::SharedInstance<frm_io_Text>::get().Testo("Primo"), "Primo");
        return Variant();
      },
      [](QWidget* modal) { modal->findChild<QPushButton*>("cmdOK")->click(); });
  settle();
  runModal(
      [&] {
        EXPECT_EQ(forms::SharedInstance<frm_io_Text>::get().Testo("Secondo"), "");
        return Variant();
      },
      [](QWidget* modal) { modal->findChild<QPushButton*>("cmdCancel")->click(); });
  settle();
  runModal(
      [&] {
        EXPECT_EQ(forms::SharedInstance<frm_io_Text>::get().Testo("Terzo"), "");
        return Variant();
      },
      [](QWidget* modal) { QTest::keyClick(modal->findChild<QPlainTextEdit*>("txtText"), Qt::Key_Escape); });
}

TEST_F(ComPrevTest, ThePrintPreviewHasTheQuoteHeadersOnEveryPageAndPrintsOnThePrinterChosen) {
  for (int i = 0; i < 90; ++i)
    testdb::exec(
        cn, QStringLiteral(
                "INSERT INTO CommessePre (CodCom, Codice, Descrizione, UM, Tariffa, QPrev, Quantita, Prezzo) "
                "VALUES ('C001', 'P%1', 'Voce %1', 'h', 1, 1, 1, 1)")
                .arg(i, 2, 10, QChar('0')));
  QTemporaryDir dir;
  const QString pdf = printIntoPdf(dir.path());
  int pages = 0;
  const QDate printDay = QDate::currentDate();
  withQuote("C001", [&](frm_io_Com_Prev& w) {
    runModal(
        [&] {
          w.cmdPrint->click();
          return Variant();
        },
        [&](QWidget* modal) {
          auto* preview = qobject_cast<frm_gex_prev*>(modal);
          ASSERT_NE(preview, nullptr);
          EXPECT_EQ(preview->windowTitle(), "Anteprima di Stampa");
          EXPECT_EVENTUALLY(preview->gexprev->pageCount() >= 2);
          pages = preview->gexprev->pageCount();
          preview->resize(640, 520);
          EXPECT_EQ(preview->gexprev->geometry(), preview->rect());
          QAction* print = preview->gexprev->toolBar()->actions().value(0);
          EXPECT_EQ(print->text(), "&Stampa..");
          print->trigger();
          preview->close();
        });
  });
  const QStringList printed = testenv::pdfPages(pdf);
  ASSERT_EQ(printed.size(), pages);
  // The Italian short date of the day the print ran on, which may have ended during the test.
  const QString startDay = printDay.toString("dd/MM/yy");
  const QString endDay = QDate::currentDate().toString("dd/MM/yy");
  for (const QString& page : printed) {
    EXPECT_TRUE(page.contains("Preventivo Commessa: C001"));
    EXPECT_TRUE(page.contains(startDay) || page.contains(endDay)) << page.toStdString();
    EXPECT_TRUE(page.contains("Q.Prev."));
  }
  EXPECT_TRUE(printed.last().contains("Voce 89"));
}

// The job-order window opens the quote of its job order with F9 and with its button.
TEST_F(ComPrevTest, F9AndPreventivoOfTheJobOrderWindowOpenItsQuote) {
  auto* edit = new frm_io_Com_Edit;
  edit->Apri("C001");
  activate(edit);
  QString title;
  int lines = 0;
  runModal(
      [] {
        press(Qt::Key_F9);
        return Variant();
      },
      [&](QWidget* modal) {
        if (auto* quote = qobject_cast<frm_io_Com_Prev*>(modal)) {
          title = quote->windowTitle();
          lines = quote->gex->recordCount();
        }
        modal->close();
      });
  EXPECT_EQ(title, "Preventivo");
  EXPECT_EQ(lines, 2);
  settle();
  runModal(
      [&] {
        click(edit->cmd_Prev);
        return Variant();
      },
      [&](QWidget* modal) {
        EXPECT_NE(qobject_cast<frm_io_Com_Prev*>(modal), nullptr);
        modal->close();
      });
}

}  // namespace
