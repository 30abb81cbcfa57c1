#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include "common/comfrmDateSelect.h"
#include "common/comfrmFindRecord.h"
#include "core/MainWindowHooks.h"
#include "jobs/CostGrids.h"
#include "platform/forms/SharedInstance.h"
#include "tests/jobs/CostiTestSupport.h"

namespace {

using namespace costs;

QStringList listTexts(const grid::ValueList& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.text(i);
  return texts;
}

bool costWindowShown() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<frm_io_Costi*>(w) && w->isVisible()) return true;
  return false;
}

// Clicks a button of the window that opens a modal dialog, lets drive act on the dialog, and makes
// the window active again.
template <class Dialog>
void throughDialog(frm_io_Costi& w, QPushButton* button, const std::function<void(Dialog*)>& drive) {
  runModal(
      [&] {
        click(button);
        return Variant();
      },
      [&](QWidget* dialog) {
        auto* opened = qobject_cast<Dialog*>(dialog);
        ASSERT_NE(opened, nullptr);
        drive(opened);
      });
  activate(&w);
}

// Chooses a job order in the finder the window opens.
void chooseJobOrder(frm_io_Costi& w, const QString& code) {
  throughDialog<comfrmFindRecord>(w, w.cmdComSelect, [&](comfrmFindRecord* finder) {
    EXPECT_EQ(finder->windowTitle(), "Trova Commessa");
    type(code);
    press(Qt::Key_Return);
  });
}

// Closes the window and waits until it is unloaded.
void closeWindow(frm_io_Costi& w) {
  w.close();
  EXPECT_EVENTUALLY(!forms::SharedInstance<frm_io_Costi>::loaded());
}

TEST_F(CostiTest, WithoutAnOpenJobOrderTheMessageShowsAndNoWindow) {
  testdb::exec(cn, "UPDATE Commesse SET Chiusa=True");
  open();
  EXPECT_EQ(messages, QStringList({"Nessuna Commessa Attiva presente"}));
  EXPECT_FALSE(costWindowShown());
}

TEST_F(CostiTest, OpensOnTheLowestOpenJobOrderWithTheDaysRowsAndTheirColumns) {
  // A parameter row of another group is no cost category, whatever its code.
  testdb::exec(cn, "INSERT INTO _Pars (k01, k02, l01, s01) VALUES ('gridlayout', 'prova', 9, 'Vista')");
  frm_io_Costi& w = open();
  EXPECT_EQ(w.windowTitle(), "Dati Reali");
  EXPECT_EQ(w.cmdComSelect->text(), "Commessa: B001");
  EXPECT_EQ(w.cmdDateApply->text(), "martedì 05-marzo-2024");
  EXPECT_EQ(w.SSTab1->tabText(0), "  &1 - Manodopera     ");
  EXPECT_EQ(w.SSTab1->tabText(2), "  &3 - Altri Costi     ");

  EXPECT_EQ(visibleCaptions(w.gexMan),
            QStringList({"Impiegato", "Ore", "Costo orario", "Tariffa oraria", "Voce Stima"}));
  EXPECT_EQ(visibleCaptions(w.gexMat),
            QStringList({"Codice", "Descrizione", "UM", "Quantità", "Costo U.", "Prezzo U.", "Voce Stima"}));
  EXPECT_EQ(visibleCaptions(w.gexAC),
            QStringList({"Tipo", "Descrizione", "UM", "Quantità", "Costo U.", "Prezzo U.", "Voce Stima"}));
  EXPECT_EQ(w.gexAC->recordNavigatorString(), "altri costi:|/");
  EXPECT_EQ(w.gexMan->column(colPrezzoUnitario)->key(), "PrezzoUnitario") << "Costi's columns by position";

  ASSERT_EQ(w.gexMan->rowCount(), 1);
  EXPECT_EQ(w.gexMan->cellText(1, colCodImp), "Rossi Mario") << "the employee shows by name";
  EXPECT_EQ(w.gexMan->cellText(1, colCostoUnitario), "25,00");
  EXPECT_EQ(w.gexMat->rowCount(), 0);
  ASSERT_EQ(w.gexAC->rowCount(), 1);
  EXPECT_EQ(w.gexAC->cellText(1, colTipo), "Noleggi") << "the category shows by its text";
  EXPECT_EQ(listTexts(w.gexMat->column(colUM)->valueList()), QStringList({"M", "PZ"}));
  EXPECT_EQ(listTexts(w.gexAC->column(colUM)->valueList()), QStringList({"M", "PZ"}));
  EXPECT_EQ(listTexts(w.gexAC->column(colTipo)->valueList()),
            QStringList({"Consulenze", "Noleggi", "Spese varie", "Subappalti", "Trasporti"}));
  ASSERT_EQ(w.sgexStime->rowCount(), 2) << "only the quote lines of the current job order";
  EXPECT_EQ(w.sgexStime->cellText(1, 1), "V1");

  // A later call starts over on the day it is given, with the units as they are now.
  testdb::exec(cn, "UPDATE Liste SET Codice='MT' WHERE Codice='M'");
  w.Apri(QDate(2024, 3, 6));
  EXPECT_EQ(w.cmdDateApply->text(), "mercoledì 06-marzo-2024");
  EXPECT_EQ(listTexts(w.gexMat->column(colUM)->valueList()), QStringList({"MT", "PZ"}));
  EXPECT_EQ(w.gexAC->column(colUM)->valueList().value(0), Variant("MT"));
  ASSERT_EQ(w.gexMan->rowCount(), 1);
  EXPECT_EQ(w.gexMan->cellText(1, colCodImp), "Bianchi Anna");
  EXPECT_EQ(w.gexAC->rowCount(), 0);
}

TEST_F(CostiTest, ADayOfAnotherCenturyLoadsItsOwnRows) {
  frm_io_Costi& w = open(QDate(2030, 3, 5));
  ASSERT_EQ(w.gexMat->rowCount(), 1);
  EXPECT_EQ(w.gexMat->cellText(1, colCodice), "VITE");
  w.Apri(QDate(1930, 3, 5));
  ASSERT_EQ(w.gexMat->rowCount(), 1);
  EXPECT_EQ(w.gexMat->cellText(1, colCodice), "CAVO1");
}

TEST_F(CostiTest, AnEmployeeBringsHisHourlyCostAndTheJobsRate) {
  frm_io_Costi& w = open();
  grid::GridEX* g = w.gexMan;
  typeInCell(g, -1, colCodImp, "Bianchi Anna");
  EXPECT_EQ(g->value(colCostoUnitario).toDouble(), 0) << "an employee without a rate costs 0";
  typeInCell(g, -1, colCodImp, "Rossi Mario");
  EXPECT_EQ(g->value(colCostoUnitario).toDouble(), 25);
  EXPECT_EQ(g->value(colPrezzoUnitario).toDouble(), 0) << "B001 has no rate";
  g->cancelRow();

  chooseJobOrder(w, "B002");
  EXPECT_EQ(w.cmdComSelect->text(), "Commessa: B002");
  EXPECT_EQ(w.gexMan->rowCount(), 0) << "the grids show the chosen job order's day";
  EXPECT_EQ(w.sgexStime->rowCount(), 1);
  typeInCell(g, -1, colCodImp, "Rossi Mario");
  EXPECT_EQ(g->value(colPrezzoUnitario).toDouble(), 40);
  typeInCell(g, -1, colQuantita, "2,5");
  closeWindow(w);
  EXPECT_FALSE(costWindowShown());
  EXPECT_EQ(
      testdb::count(
          cn,
          "SELECT * FROM Costi WHERE CodCom='B002' AND Data=#03/05/2024# AND Classe=0 AND CodImp=1 "
          "AND InEconomia=True AND Quantita=2.5 AND CostoUnitario=25 AND PrezzoUnitario=40 AND Valore=62.5"),
      1);

  // An employee deleted meanwhile costs 0 and nothing fails.
  frm_io_Costi& again = open();
  testdb::exec(cn, "DELETE * FROM Impiegati WHERE CodImp=1");
  typeInCell(again.gexMan, -1, colCodImp, "Rossi Mario");
  EXPECT_EQ(again.gexMan->value(colCostoUnitario).toDouble(), 0);
  EXPECT_EQ(frm_io_Costi::TarOP(99), Currency());
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(CostiTest, TheEmployeeListOpensAsWideAsItsCellWithEveryNameWhole) {
  frm_io_Costi& w = open();
  grid::GridEX* g = w.gexMan;
  g->setRow(-1);
  g->setCol(colCodImp);
  g->view()->setFocus();
  press(Qt::Key_F2);
  auto* cell = qobject_cast<QComboBox*>(focused());
  ASSERT_NE(cell, nullptr);
  cell->showPopup();
  auto* list = qobject_cast<QTableView*>(cell->view());
  EXPECT_EVENTUALLY(list->isVisible());
  EXPECT_EQ(list->window()->width(), cell->width());
  for (const QString name : {"Rossi Mario", "Bianchi Anna"})
    EXPECT_GE(list->columnWidth(1), list->fontMetrics().horizontalAdvance(name)) << name.toStdString();
  cell->hidePopup();
  press(Qt::Key_Escape);
}

TEST_F(CostiTest, ALabourRowNeedsItsHoursAndItsEmployee) {
  frm_io_Costi& w = open();
  grid::GridEX* g = w.gexMan;
  typeInCell(g, -1, colCodImp, "Rossi Mario");
  clickRow(g, 1, colQuantita);
  EXPECT_TRUE(g->rowPending()) << "no hours: the row stays in editing";
  EXPECT_TRUE(messages.isEmpty()) << "moving between rows refuses silently";
  w.close();
  EXPECT_TRUE(w.isVisible()) << "the window keeps the row it cannot write";
  ASSERT_EQ(messages.size(), 1) << "and says why";
  EXPECT_TRUE(messages[0].contains("Da completare: Ore.")) << messages[0].toStdString();
  EXPECT_TRUE(g->rowPending());

  typeInCell(g, -1, colQuantita, "tre");
  clickRow(g, 1, colQuantita);
  EXPECT_TRUE(g->rowPending()) << "hours that are not a number";

  typeInCell(g, -1, colCodImp, "");
  EXPECT_EQ(g->cellText(-1, colCodImp), "Rossi Mario") << "the employee cannot be emptied";
  g->cancelRow();

  typeInCell(g, -1, colQuantita, "3");
  clickRow(g, 1, colQuantita);
  EXPECT_TRUE(g->rowPending()) << "hours without an employee";
  // Neither the day nor the job order moves on over it, and each says why.
  messages.clear();
  click(w.cmdDateApply);
  click(w.cmdComSelect);
  EXPECT_EQ(messages.size(), 2);
  for (const QString& message : messages)
    EXPECT_TRUE(message.contains("Da completare: Impiegato.")) << message.toStdString();
  EXPECT_TRUE(w.cmdComSelect->text().endsWith("B001"));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  typeInCell(g, -1, colCodImp, "Rossi Mario");
  clickRow(g, 1, colQuantita);
  EXPECT_FALSE(g->rowPending());
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE Classe=0 AND CodCom='B001' AND Data=#03/05/2024#"),
            2);
  EXPECT_EQ(messages.size(), 2);
}

TEST_F(CostiTest, ARowForAJobOrderAnotherProgramDeletedIsRefusedAndStaysInEditing) {
  frm_io_Costi& w = open();
  typeInCell(w.gexMan, -1, colCodImp, "Rossi Mario");
  typeInCell(w.gexMan, -1, colQuantita, "2");
  testdb::exec(cn, "DELETE FROM Commesse WHERE CodCom='B001'");
  clickRow(w.gexMan, 1, colQuantita);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], "La commessa B001 non esiste più: la riga non è stata registrata.");
  EXPECT_TRUE(w.gexMan->rowPending());
  EXPECT_EQ(w.gexMan->value(colQuantita).toDouble(), 2);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE CodCom='B001' AND Data=#03/05/2024# AND Classe=0"),
            1);
  w.gexMan->cancelRow();
}

TEST_F(CostiTest, ARowWhoseSaleValueIsBeyondTheMoneyRangeIsRefused) {
  frm_io_Costi& w = open();
  w.SSTab1->setCurrentIndex(1);
  grid::GridEX* g = w.gexMat;
  typeInCell(g, -1, colDescrizione, "Sabbia");
  typeInCell(g, -1, colQuantita, "1000000000");
  typeInCell(g, -1, colPrezzoUnitario, "1000000");
  EXPECT_FALSE(g->updateRow());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], "Il valore di vendita della riga (quantità per prezzo unitario) è troppo grande.");
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE Descrizione='Sabbia'"), 0);
  typeInCell(g, -1, colPrezzoUnitario, "1");
  EXPECT_TRUE(g->updateRow());
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE Descrizione='Sabbia' AND Quantita=1000000000"), 1);
}

TEST_F(CostiTest, AnArticleFillsItsCellsAndTheValueIsQuantityTimesCost) {
  frm_io_Costi& w = open();
  w.SSTab1->setCurrentIndex(1);
  grid::GridEX* g = w.gexMat;
  typeInCell(g, -1, colCodice, "CAVO1");
  EXPECT_EQ(g->cellText(-1, colUM), "M");
  EXPECT_EQ(g->cellText(-1, colCostoUnitario), "1,50");
  EXPECT_EQ(g->cellText(-1, colPrezzoUnitario), "2,20");
  EXPECT_EQ(g->cellText(-1, colDescrizione), "Cavo 3x1,5");
  EXPECT_EQ(g->cellText(-1, colQuantita), "1,00");
  typeInCell(g, -1, colQuantita, "2,5");
  typeInCell(g, -1, colCostoUnitario, "10");
  ASSERT_TRUE(g->updateRow());

  typeInCell(g, -1, colCodice, "VITE");
  EXPECT_EQ(g->cellText(-1, colUM), "");
  EXPECT_EQ(g->cellText(-1, colPrezzoUnitario), "0,00");
  typeInCell(g, -1, colCostoUnitario, "");
  ASSERT_TRUE(g->updateRow());

  // A code that names no article (an apostrophe included) leaves what the row holds.
  typeInCell(g, -1, colDescrizione, "Tubo");
  typeInCell(g, -1, colCodice, "D'ANGELO");
  EXPECT_EQ(g->cellText(-1, colDescrizione), "Tubo");
  ASSERT_TRUE(g->updateRow());
  EXPECT_TRUE(messages.isEmpty());

  EXPECT_EQ(
      testdb::count(cn,
                    "SELECT * FROM Costi WHERE Codice='CAVO1' AND Classe=2 AND CodCom='B001' AND "
                    "Data=#03/05/2024# AND Quantita=2.5 AND Valore=25 AND PrezzoUnitario=2.2 AND UM='M'"),
      1);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE Codice='VITE' AND Data=#03/05/2024# AND Valore=0"),
            1);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE Codice='D''ANGELO' AND Descrizione='Tubo'"), 1);
}

TEST_F(CostiTest, AQuoteLineTakesTheRowIntoTheQuoteAndClearingItTakesItOut) {
  frm_io_Costi& w = open();
  w.SSTab1->setCurrentIndex(2);
  grid::GridEX* g = w.gexAC;
  typeInCell(g, 1, colIdStima, "V1");
  clickRow(g, -1, colDescrizione);
  EXPECT_EQ(testdb::scalar(cn, "SELECT IdStima FROM Costi WHERE IdCosto=2"), Variant(std::int32_t(11)));
  EXPECT_EQ(testdb::scalar(cn, "SELECT InEconomia FROM Costi WHERE IdCosto=2"), Variant(false));
  EXPECT_EQ(g->cellText(1, colIdStima), "V1");

  typeInCell(g, 1, colIdStima, "");
  clickRow(g, -1, colDescrizione);
  EXPECT_TRUE(testdb::scalar(cn, "SELECT IdStima FROM Costi WHERE IdCosto=2").isNull());
  EXPECT_EQ(testdb::scalar(cn, "SELECT InEconomia FROM Costi WHERE IdCosto=2"), Variant(true));

  chooseJobOrder(w, "C003");
  EXPECT_EQ(w.sgexStime->rowCount(), 0) << "a job order without quote lines offers none";
}

TEST_F(CostiTest, TheDayPickerChangesTheDayAndCancellingKeepsIt) {
  frm_io_Costi& w = open();
  const auto pick = [&](const std::function<void(comfrmDateSelect*)>& drive) {
    throughDialog<comfrmDateSelect>(w, w.cmdDateApply, [&](comfrmDateSelect* picker) {
      EXPECT_EQ(picker->windowTitle(), "Seleziona la Data");
      drive(picker);
    });
  };
  pick([](comfrmDateSelect* d) {
    d->mv->setSelectedDate(QDate(2024, 3, 6));
    click(d->cmdOK);
  });
  EXPECT_EQ(w.cmdDateApply->text(), "mercoledì 06-marzo-2024");
  ASSERT_EQ(w.gexMan->rowCount(), 1);
  EXPECT_EQ(w.gexMan->cellText(1, colCodImp), "Bianchi Anna");

  testdb::exec(cn, "DELETE * FROM Costi WHERE IdCosto=3");
  pick([](comfrmDateSelect* d) { click(d->cmdCancel); });
  EXPECT_EQ(w.cmdDateApply->text(), "mercoledì 06-marzo-2024");
  EXPECT_EQ(w.gexMan->rowCount(), 0) << "the day is read again";

  // A row typed for a day is written on that day before the day changes.
  typeInCell(w.gexMan, -1, colCodImp, "Rossi Mario");
  typeInCell(w.gexMan, -1, colQuantita, "1");
  pick([](comfrmDateSelect* d) {
    d->mv->setSelectedDate(QDate(2024, 3, 5));
    click(d->cmdOK);
  });
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM Costi WHERE Data=#03/06/2024# AND CodImp=1"), 1);
  EXPECT_EQ(w.gexMan->rowCount(), 1);
}

TEST_F(CostiTest, ARowTheDatabaseRefusesIsReportedAndStaysInEditing) {
  frm_io_Costi& w = open();
  testdb::exec(cn, "DELETE * FROM Costi WHERE IdCosto=1");
  typeInCell(w.gexMan, 1, colQuantita, "4");
  clickRow(w.gexMan, -1, colQuantita);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_FALSE(messages.first().isEmpty());
  EXPECT_TRUE(w.gexMan->rowPending());
  EXPECT_EQ(w.gexMan->value(colQuantita).toDouble(), 4) << "what was typed is kept";
}

TEST_F(CostiTest, ClosingTheWindowRefreshesTheMainWindowsView) {
  QWidget owner;
  int refreshed = 0;
  MainWindowHooks::registerMainWindow(&owner, [&] { ++refreshed; });
  frm_io_Costi& w = open();
  EXPECT_EQ(w.parentWidget(), &owner);
  EXPECT_EQ(refreshed, 0);
  closeWindow(w);
  EXPECT_EQ(refreshed, 1);
  EXPECT_FALSE(costWindowShown());
  MainWindowHooks::unregisterMainWindow();
}

}  // namespace
