#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>

#include "jobs/frm_gex_prev.h"
#include "jobs/frm_io_PrevModelli.h"
#include "jobs/frm_io_PrevModelli_New.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/SharedInstance.h"
#include "platform/grid/GEXPreview.h"
#include "platform/grid/GridEX.h"
#include "tests/jobs/PrevTestSupport.h"
#include "tests/support/PdfText.h"

using namespace prevtest;

namespace {

enum { colIdModelloPre = 2, colCodice, colDescrizione, colDescEstesa, colOrdine, colUM, colTariffa };

// The shared edit window on a template, active.
frm_io_PrevModelli& openTemplate(std::int32_t id) {
  frm_io_PrevModelli& edit = forms::SharedInstance<frm_io_PrevModelli>::get();
  edit.Apri(id);
  QApplication::setActiveWindow(&edit);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&edit));
  edit.gex->setFocus();
  return edit;
}

using PrevModelliTest = PrevTest;

TEST_F(PrevModelliTest, ATemplateSavedFromNuovoOpensInTheEditWindowWithAnEmptyGrid) {
  auto* newTemplate = new frm_io_PrevModelli_New;
  newTemplate->Nuovo();
  EXPECT_EQ(newTemplate->windowTitle(), "Nuovo Modello di Preventivo");
  EXPECT_EQ(newTemplate->parentWidget(), main);
  QApplication::setActiveWindow(newTemplate);
  ASSERT_TRUE(QTest::qWaitForWindowActive(newTemplate));
  // The description cannot be left empty.
  EXPECT_EQ(QApplication::focusWidget(), newTemplate->txtData[0]);
  QTest::keyClick(newTemplate->txtData[0], Qt::Key_Return);
  newTemplate->cmdSalva->click();
  EXPECT_EQ(QApplication::focusWidget(), newTemplate->txtData[0]);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreModelli"), 1);

  QTest::keyClicks(newTemplate->txtData[0], "Scala");
  newTemplate->cmdSalva->click();
  settle();
  const Variant id = testdb::scalar(cn, "SELECT IdModello FROM PreModelli WHERE Descrizione='Scala'");
  ASSERT_FALSE(id.isNull());
  EXPECT_EQ(refreshes, 0);
  ASSERT_TRUE(forms::SharedInstance<frm_io_PrevModelli>::loaded());
  frm_io_PrevModelli& edit = forms::SharedInstance<frm_io_PrevModelli>::get();
  EXPECT_TRUE(edit.isVisible());
  EXPECT_EQ(edit.txtData[0]->text(), "Scala");
  EXPECT_EQ(edit.gex->recordCount(), 0);
  EXPECT_EQ(edit.parentWidget(), main);
}

TEST_F(PrevModelliTest, NuovoDaCommessaReturnsTheSavedIdOrZeroAfterAnyCancel) {
  const std::int32_t id =
      runModal(
          [&] { return Variant(forms::SharedInstance<frm_io_PrevModelli_New>::get().NuovoDaCommessa()); },
          [](QWidget* modal) {
            EXPECT_EQ(modal->windowTitle(), "Nuovo Modello da Preventivo");
            EXPECT_EQ(modal->findChild<QPushButton*>("cmdSalva")->text(), "Salva");
            QTest::keyClicks(modal->findChild<QLineEdit*>("txtData0"), "Da commessa");
            modal->findChild<QPushButton*>("cmdSalva")->click();
          })
          .toInt();
  settle();
  EXPECT_GT(id, 1);
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM PreModelli WHERE IdModello=" + QString::number(id)),
            Variant("Da commessa"));

  // Annulla and closing the window both give 0 and keep nothing of what was typed.
  for (const bool byButton : {true, false}) {
    runModal(
        [&] {
          EXPECT_EQ(forms::SharedInstance<frm_io_PrevModelli_New>::get().NuovoDaCommessa(), 0);
          return Variant();
        },
        [byButton](QWidget* modal) {
          QTest::keyClicks(modal->findChild<QLineEdit*>("txtData0"), byButton ? "Annullato" : "Chiuso");
          if (byButton)
            modal->findChild<QPushButton*>("cmdAnnulla")->click();
          else
            modal->close();
        });
    settle();
  }
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreModelli"), 2);
  EXPECT_FALSE(forms::SharedInstance<frm_io_PrevModelli>::loaded());
}

TEST_F(PrevModelliTest, LinesAreOrderedByCodeAndGetTheTemplatesIdWithNothingElseRequired) {
  auto* edit = new frm_io_PrevModelli;
  edit->Apri(1);
  grid::GridEX& g = *edit->gex;
  EXPECT_EQ(edit->windowTitle(), "Modelli Preventivo");
  EXPECT_EQ(edit->txtData[0]->text(), "Cancello");
  ASSERT_EQ(g.rowCount(), 2);
  EXPECT_EQ(g.rowValue(1, colCodice), Variant("A1"));
  EXPECT_EQ(g.rowValue(2, colCodice), Variant("B2"));
  EXPECT_EQ(g.cellText(1, 7), "Ore");
  QApplication::setActiveWindow(edit);
  ASSERT_TRUE(QTest::qWaitForWindowActive(edit));
  EXPECT_GE(listRoomLeft(g, 1, 7), 0) << "every unit shows whole";

  g.setFocus();
  typeInCell(g, -1, colDescrizione, "Solo descrizione");
  g.setValue(colIdModelloPre, Variant(99));
  EXPECT_TRUE(g.updateRow());
  EXPECT_EQ(
      testdb::count(
          cn,
          "SELECT * FROM PreVoci WHERE IdModelloPre=1 AND Descrizione='Solo descrizione' AND Codice IS NULL"),
      1);

  // Esc reaches the grid: it closes the cell's editor, then drops what was typed on the line.
  typeInCell(g, 1, colDescrizione, "Cambiata");
  EXPECT_TRUE(g.rowPending());
  for (int i = 0; i < 2; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(g.rowPending());
  EXPECT_TRUE(edit->isVisible());
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreVoci WHERE Descrizione='Cambiata'"), 0);
}

TEST_F(PrevModelliTest, ThePreviewShowsTheDescriptionAsTypedAndClosingSavesIt) {
  auto* edit = new frm_io_PrevModelli;
  edit->Apri(1);
  QApplication::setActiveWindow(edit);
  ASSERT_TRUE(QTest::qWaitForWindowActive(edit));
  edit->txtData[0]->setFocus();
  edit->txtData[0]->selectAll();
  QTest::keyClicks(edit->txtData[0], "Cancello scorrevole");

  QTemporaryDir dir;
  const QString pdf = printIntoPdf(dir.path());
  edit->cmdPrint->click();
  frm_gex_prev& preview = forms::SharedInstance<frm_gex_prev>::get();
  EXPECT_TRUE(preview.isVisible());
  EXPECT_FALSE(preview.isModal());
  EXPECT_EQ(preview.parentWidget(), nullptr);
  EXPECT_EVENTUALLY(preview.gexprev->pageCount() == 1);
  preview.gexprev->toolBar()->actions().value(0)->trigger();
  const QStringList pages = testenv::pdfPages(pdf);
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains("Modello: Cancello scorrevole"));
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM PreModelli WHERE IdModello=1"), Variant("Cancello"));

  // An emptied description is refused on closing, and the window stays.
  const QPointer<frm_io_PrevModelli> alive(edit);
  edit->txtData[0]->clear();
  edit->close();
  EXPECT_EQ(messages, QStringList{"Inserire la descrizione del modello."});
  EXPECT_TRUE(edit->isVisible());
  EXPECT_EQ(refreshes, 0);

  QTest::keyClicks(edit->txtData[0], "Cancello a battente");
  QTest::keyClick(edit->txtData[0], Qt::Key_Escape);
  settle();
  EXPECT_TRUE(alive.isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM PreModelli WHERE IdModello=1"),
            Variant("Cancello a battente"));
  EXPECT_EQ(refreshes, 1);
}

TEST_F(PrevModelliTest, TabPastTheRateWritesTheLineAndStartsTheNextOneInItsCode) {
  grid::GridEX& g = *openTemplate(1).gex;
  typeInCell(g, -1, colCodice, "C3");
  typeInCell(g, -1, colUM, "H");  // the unit by its code, in another case
  typeInCell(g, -1, colTariffa, "2");
  EXPECT_FALSE(g.rowPending());
  EXPECT_EQ(g.row(), -1);
  EXPECT_EQ(g.col(), colCodice) << "the next code typed goes into Codice, not into Tariffa";
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreVoci WHERE IdModelloPre=1 AND Codice='C3' AND Tariffa=2"), 1);
  EXPECT_EQ(testdb::scalar(cn, "SELECT UM FROM PreVoci WHERE Codice='C3'"), Variant("h"));
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreVoci WHERE Codice IS NULL"), 0);
}

TEST_F(PrevModelliTest, ALineTypedForOneTemplateStaysWithItWhenTheWindowMovesToAnother) {
  testdb::exec(cn, "INSERT INTO PreModelli (IdModello, Descrizione) VALUES (2, 'Scala')");
  frm_io_PrevModelli& edit = openTemplate(1);
  typeInCell(*edit.gex, -1, colCodice, "C3");
  ASSERT_TRUE(edit.gex->rowPending());
  edit.Apri(2);  // as a template made from the main window does
  EXPECT_EQ(testdb::rows(cn, "SELECT IdModelloPre FROM PreVoci WHERE Codice='C3'"), QStringList{"1"});
  EXPECT_EQ(edit.txtData[0]->text(), "Scala");
  EXPECT_EQ(edit.gex->recordCount(), 0);
}

TEST_F(PrevModelliTest, ALongTextSetThroughTheEditorShowsAtOnceUnderItsLine) {
  frm_io_PrevModelli& edit = openTemplate(1);
  grid::GridEX& g = *edit.gex;
  auto* table = qobject_cast<QTableView*>(g.view());
  ASSERT_EQ(g.rowValue(1, colCodice), Variant("A1"));
  const int plainHeight = table->rowHeight(0);
  runModal(
      [&] {
        clickCellButton(g, 1, colDescrizione);
        return Variant();
      },
      [](QWidget* modal) {
        auto* text = modal->findChild<QPlainTextEdit*>("txtText");
        QTest::keyClicks(text, "Taglio");
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, "a misura");
        modal->findChild<QPushButton*>("cmdOK")->click();
      });
  EXPECT_EQ(g.value(colDescEstesa), Variant("Taglio\na misura"));
  EXPECT_GT(table->rowHeight(0), plainHeight) << "the preview row opens under the line";
  EXPECT_EQ(table->rowHeight(1), plainHeight);
  EXPECT_TRUE(g.updateRow());
  EXPECT_EQ(testdb::scalar(cn, "SELECT DescEstesa FROM PreVoci WHERE Codice='A1'"),
            Variant("Taglio\na misura"));

  // So does the long text of the new line, which stays under the line once it is written.
  settle();
  typeInCell(g, -1, colCodice, "C3");
  runModal(
      [&] {
        clickCellButton(g, -1, colDescrizione);
        return Variant();
      },
      [](QWidget* modal) {
        QTest::keyClicks(modal->findChild<QPlainTextEdit*>("txtText"), "Nuova");
        modal->findChild<QPushButton*>("cmdOK")->click();
      });
  EXPECT_GT(table->rowHeight(2), plainHeight);
  typeInCell(g, -1, colTariffa, "2");
  ASSERT_EQ(g.rowValue(3, colCodice), Variant("C3"));
  EXPECT_GT(table->rowHeight(2), plainHeight);
  EXPECT_EQ(table->rowHeight(3), plainHeight) << "the fresh new line";
}

}  // namespace
