#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "core/Globals.h"
#include "core/MainWindowHooks.h"
#include "common/comfrmAbout.h"
#include "platform/forms/ButtonBar.h"
#include "platform/forms/SharedInstance.h"
#include "platform/forms/StatusBar.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Twips.h"
#include "tests/app/DatiProva.h"
#include "tests/app/FinestraProva.h"
#include "tests/support/TestEnv.h"

namespace {

using VisteFinestra = FinestraProva;

// The darkest colour of a label as drawn: its text's colour (the edges of the letters are lighter).
QColor ColoreTesto(QWidget* etichetta) {
  const QImage immagine = etichetta->grab().toImage();
  QColor scuro = Qt::white;
  for (int y = 0; y < immagine.height(); ++y)
    for (int x = 0; x < immagine.width(); ++x)
      if (immagine.pixelColor(x, y).lightness() < scuro.lightness()) scuro = immagine.pixelColor(x, y);
  return scuro;
}

QStringList Voci(const QList<QAction*>& items, bool separatori) {
  QStringList testi;
  for (const QAction* item : items)
    if (item->isVisible() && item->isSeparator() == separatori) testi << item->text();
  return testi;
}

TEST_F(VisteFinestra, StartsOnTheJobOrdersWithTheirRowsAfterTheSplash) {
  Avvia();
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(forms::SharedInstance<comfrmAbout>::get().isVisible());
  EXPECT_EQ(w->windowTitle(), AppTitle);
  EXPECT_EQ(w->NodoCorrente, 0);
  EXPECT_EQ(w->lblTitle->text(), "Commesse");
  EXPECT_EQ(w->gexView->recordCount(), 3);
  EXPECT_TRUE(w->cmbFilter->isEnabled());
  ASSERT_EQ(w->cmbFilter->count(), 3);
  EXPECT_EQ(w->cmbFilter->itemText(0), "Tutte le commesse");
  EXPECT_EQ(w->cmbFilter->itemText(1), "Commesse aperte");
  EXPECT_EQ(w->cmbFilter->itemText(2), "Commesse chiuse");
  EXPECT_EQ(w->bb->selectedKey(), "0");
  EXPECT_TRUE(w->mnuViewItem[0]->isChecked());
  EXPECT_FALSE(w->picStart->isVisible());

  const QLocale italiano(QLocale::Italian, QLocale::Italy);
  EXPECT_EQ(w->sb->panelText(frmMain::pnlDatabase), DBPath);
  EXPECT_EQ(w->sb->panelText(frmMain::pnlWorkData), italiano.toString(DataLavoro, "ddd d MMM yy"));
  EXPECT_EQ(w->sb->panelText(frmMain::pnlData), italiano.toString(QDate::currentDate(), "ddd d MMM yy"));
  EXPECT_TRUE(w->sb->panelText(frmMain::pnlContatore).isEmpty());
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join('|').toStdString();
}

TEST_F(VisteFinestra, MenusAndNavigationBarFollowTheViewTable) {
  Avvia();
  const QStringList nuovo = {"Commessa\tCTRL+C", "Rapporto (Dati Reali)", "Materiale (articolo)\tCTRL+M",
                             "Fornitore\tCTRL+F", "Cliente\tCTRL+C", "Impiegato\tCTRL+G",
                             "Modello Preventivo\tCTRL+D", "Categoria Materiale", "Unità di misura Articolo",
                             "Codice Iva\tCTRL+I"};
  EXPECT_EQ(Voci(w->mnuNuovoItem, false), nuovo);
  EXPECT_EQ(Voci(w->mnuNuovoItem, true).size(), 2);
  const QStringList viste = {"Commesse\tCTRL+MAIUSC+C", "Rapporti (Dati Reali)", "Materiali\tCTRL+MAIUSC+M",
                             "Fornitori\tCTRL+MAIUSC+F", "Clienti\tCTRL+MAIUSC+C", "Impiegati\tCTRL+MAIUSC+G",
                             "Modelli Preventivo\tCTRL+MAIUSC+D", "Categorie Materiali",
                             "Unità di misura Articoli", "Codici Iva\tCTRL+MAIUSC+I"};
  EXPECT_EQ(Voci(w->mnuViewItem, false), viste);
  EXPECT_EQ(Voci(w->mnuViewItem, true).size(), 2);
  EXPECT_EQ(w->mnuFileEsci->text(), "Esci\tALT+F4");
  // Both menus hold items 0 to 38: twelve shown (two of them separators), the rest hidden.
  for (const QList<QAction*>* voci : {&w->mnuNuovoItem, &w->mnuViewItem}) {
    ASSERT_EQ(voci->size(), 39);
    for (int i = 0; i < voci->size(); ++i) {
      EXPECT_EQ((*voci)[i]->isVisible(), i < 12) << i;
      EXPECT_EQ((*voci)[i]->isSeparator(), i == 2 || i == 7 || i == 12) << i;
      EXPECT_EQ((*voci)[i]->data().isNull(), i == 2 || i == 7 || i >= 12) << i;
    }
  }

  // The Grid menu is hidden; its items follow the view's mask (hidden items can never be chosen).
  EXPECT_FALSE(w->mnuGrid->menuAction()->isVisible());
  QStringList abilitate;
  for (const QAction* item : w->mnuGridItem)
    if (!item->isSeparator() && item->isEnabled()) abilitate << item->text();
  EXPECT_EQ(abilitate, (QStringList{"&Campi", "&Formato", "&Predefinito"}));
  w->Nodi[4].setMnuGridEnable(8);
  MostraVista(4);
  abilitate.clear();
  for (const QAction* item : w->mnuGridItem)
    if (!item->isSeparator() && item->isEnabled()) abilitate << item->text();
  EXPECT_EQ(abilitate, QStringList{"&Formato"});

  ASSERT_EQ(w->bb->groupCount(), 3);
  EXPECT_EQ(w->bb->groupCaption(1), "Gestione");
  EXPECT_EQ(w->bb->groupCaption(2), "Anagrafiche");
  EXPECT_EQ(w->bb->groupCaption(3), "Impostazioni");
  EXPECT_EQ(w->bb->itemKeys(1), (QStringList{"0", "1"}));
  EXPECT_EQ(w->bb->itemKeys(2), (QStringList{"2", "3", "4", "5"}));
  EXPECT_EQ(w->bb->itemKeys(3), (QStringList{"6", "7", "8", "9"}));
  EXPECT_EQ(w->bb->itemCaption("8"), "Unità di misura Articoli");
}

TEST_F(VisteFinestra, EveryViewShowsItsRowsWithTheFilterBoxOnlyForJobOrders) {
  Avvia();
  const int righe[] = {3, 3, 2, 2, 3, 2, 2, 3, 3, 3};
  const QStringList titoli = {"Commesse", "Rapporti (Dati Reali)", "Materiali", "Fornitori", "Clienti",
                              "Impiegati", "Modelli Preventivo", "Categorie Materiali",
                              "Unità di misura Articoli", "Codici Iva"};
  for (int vista = 0; vista < kNumNodi; ++vista) {
    SCOPED_TRACE(vista);
    MostraVista(vista);
    EXPECT_EQ(w->NodoCorrente, vista);
    EXPECT_EQ(w->lblTitle->text(), titoli[vista]);
    EXPECT_EQ(w->gexView->recordCount(), righe[vista]);
    EXPECT_EQ(w->bb->selectedKey(), QString::number(vista));
    int spuntate = 0;
    for (const QAction* item : w->mnuViewItem) {
      if (item->isChecked()) ++spuntate;
      if (!item->data().isNull()) {
        EXPECT_EQ(item->isChecked(), item->data().toInt() == vista);
      }
    }
    EXPECT_EQ(spuntate, 1);
    EXPECT_EQ(w->cmbFilter->isEnabled(), vista == 0);
    EXPECT_EQ(w->cmbFilter->count(), vista == 0 ? 3 : 0);
    EXPECT_EQ(w->cmbFilter->palette().color(QPalette::Button),
              OleColor(vista == 0 ? colors::vbWindowBackground : colors::vbButtonFace));
    // The colour the label is drawn in, not only the one its palette holds.
    EXPECT_LE(std::abs(ColoreTesto(w->lblView).lightness() -
                       OleColor(vista == 0 ? colors::vbButtonText : colors::vbButtonShadow).lightness()),
              12);
  }
  // The key of every view is its first column.
  MostraVista(8);
  ASSERT_TRUE(SelezionaRiga("Codice", Variant("pz")));
  EXPECT_EQ(w->gexView->value(1), Variant(6));
  EXPECT_TRUE(Messaggi().isEmpty()) << Messaggi().join('|').toStdString();
}

TEST_F(VisteFinestra, NavigationBarAndShortcutLettersSwitchViews) {
  Avvia();
  QTest::mouseClick(w->bb->groupButton(2), Qt::LeftButton);
  QTest::mouseClick(w->bb->itemButton("3"), Qt::LeftButton);
  EXPECT_EQ(w->lblTitle->text(), "Fornitori");
  EXPECT_EQ(w->gexView->recordCount(), 2);
  EXPECT_EQ(QApplication::focusWidget(), w->gexView->view());

  // "C" belongs to the job orders and to the customers: the customers win.
  Premi(w->gexView->view(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(w->lblTitle->text(), "Clienti");
  EXPECT_EQ(w->bb->currentGroup(), 2);
  // The list keeps the focus through the switch, so the next letters work at once.
  ASSERT_EQ(QApplication::focusWidget(), w->gexView->view());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(w->lblTitle->text(), "Modelli Preventivo");
  EXPECT_EQ(w->bb->currentGroup(), 3);
  // With no control focused the window still sees its keys.
  QApplication::focusWidget()->clearFocus();
  ASSERT_EQ(QApplication::focusWidget(), nullptr);
  QTest::keyClick(w.get(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(w->lblTitle->text(), "Materiali");
  QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(w->lblTitle->text(), "Modelli Preventivo");
  // No view has R; Alt or Shift alone do nothing either.
  Premi(w->gexView->view(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  Premi(w->txtFind, Qt::Key_M, Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(w->lblTitle->text(), "Modelli Preventivo");
  // The window sees the keys whatever control has the focus.
  Premi(w->txtFind, Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(w->lblTitle->text(), "Codici Iva");
}

TEST_F(VisteFinestra, TheJobOrderFilterIsKeptAcrossViewSwitches) {
  Avvia();
  Premi(w->cmbFilter, Qt::Key_Down);
  EXPECT_EQ(w->cmbFilter->currentIndex(), 1);
  EXPECT_EQ(w->gexView->recordCount(), 2);
  Premi(w->cmbFilter, Qt::Key_Down);
  EXPECT_EQ(w->gexView->recordCount(), 1);
  Premi(w->cmbFilter, Qt::Key_Up);
  EXPECT_EQ(w->gexView->recordCount(), 2);

  MostraVista(4);
  EXPECT_EQ(w->gexView->recordCount(), 3);
  MostraVista(0);
  EXPECT_EQ(w->cmbFilter->currentText(), "Commesse aperte");
  EXPECT_EQ(w->FiltroNodo[0], 1);
  EXPECT_EQ(w->gexView->recordCount(), 2);
  EXPECT_FALSE(SelezionaRiga("CodCom", Variant("C002")));
}

TEST_F(VisteFinestra, ARefreshFromAnEntryFormRereadsTheViewAndDropsHandMadeChanges) {
  Avvia();
  MostraVista(4);
  const std::vector<grid::SortKey> ordinamentoSalvato = w->gexView->sortKeys().keys();
  ClicIntestazione("Località");
  Premi(w->txtFind, Qt::Key_P);
  ASSERT_EQ(w->txtFind->text(), "p");
  datiprova::EseguiSqlite("INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Nuovo Cliente')");

  MainWindowHooks::SetLay();
  EXPECT_EQ(w->gexView->recordCount(), 4);
  EXPECT_TRUE(w->txtFind->text().isEmpty());
  EXPECT_EQ(w->gexView->sortKeys().keys(), ordinamentoSalvato);
  EXPECT_EQ(w->lblTitle->text(), "Clienti");
}

TEST_F(VisteFinestra, AViewWhoseQueryFailsShowsTheErrorAndTheWindowGoesOn) {
  Avvia();
  w->Nodi[5].setSQLString("SELECT * FROM TabellaCheNonEsiste");
  MostraVista(5);
  ASSERT_EQ(Messaggi().size(), 1);
  EXPECT_EQ(mostrati.back().style, forms::vbOKOnly | forms::vbExclamation);
  EXPECT_EQ(w->gexView->recordCount(), 0);
  EXPECT_TRUE(w->gexView->isEnabled());
  MostraVista(4);
  EXPECT_EQ(w->gexView->recordCount(), 3);
  EXPECT_EQ(Messaggi().size(), 1) << Messaggi().join(QChar(0x7c)).toStdString();
}

TEST_F(VisteFinestra, AWindowShrunkBelowTheMinimumSpringsBack) {
  Avvia();
  w->resize(200, 150);
  QApplication::processEvents();
  EXPECT_GE(w->width(), TwipsToPixels(9405));
  EXPECT_GE(w->height(), TwipsToPixels(6600));

  w->resize(1000, 700);
  QApplication::processEvents();
  const QWidget* centro = w->centralWidget();
  const QRect griglia = w->gexView->geometry();
  EXPECT_EQ(griglia.left(), w->bb->width() + TwipsToPixels(30));
  EXPECT_EQ(griglia.right() + 1, centro->width() - TwipsToPixels(60));
  EXPECT_EQ(griglia.bottom() + 1, w->sb->geometry().top());
  EXPECT_GT(griglia.top(), w->shpTitle->geometry().bottom());
  EXPECT_EQ(w->shpTitle->width(), griglia.width());
  EXPECT_EQ(w->picStart->geometry(), griglia);
}

TEST_F(VisteFinestra, AViewWithoutAnyLayoutStillCannotBeEditedInPlace) {
  QTemporaryDir senzaLayout;
  setProgramFolder(senzaLayout.path());
  Avvia();
  setProgramFolder(QString());
  EXPECT_EQ(w->gexView->recordCount(), 3);
  EXPECT_FALSE(w->gexView->allowEdit());
  EXPECT_FALSE(w->gexView->allowAddNew());
  EXPECT_FALSE(w->gexView->allowDelete());
}

// A stored layout without text shows the view's own fields; one that cannot be read is told once and
// gives way to the layout file, and a file that cannot be read to one column per field: the rows
// always show, and Delete acts on the row's real key.
TEST_F(VisteFinestra, StoredOrFileLayoutsThatCannotBeUsedStillListTheViewsRows) {
  datiprova::EseguiSqlite("INSERT INTO _Pars (k01, k02, m01) VALUES ('gridlayout', 'gex_iva', NULL);"
                          "INSERT INTO _Pars (k01, k02, m01) VALUES ('gridlayout', 'gex_com', X'7B00');");
  QTemporaryDir programma;
  for (const QString& file : QDir(testenv::programDir()).entryList({"gex_*.lyt"}))
    QFile::copy(testenv::programDir() + '/' + file, programma.path() + '/' + file);
  setProgramFolder(programma.path());
  Avvia();

  // Job orders: the stored layout is unreadable, the file's columns take its place.
  EXPECT_EQ(w->gexView->recordCount(), 3);
  ASSERT_EQ(Messaggi().size(), 1);
  EXPECT_TRUE(Messaggi()[0].startsWith("Il layout della vista non è leggibile")) << Messaggi()[0].toStdString();
  const int colonneDelFile = w->gexView->columnCount();
  MostraVista(9);
  EXPECT_EQ(w->gexView->column(1)->key(), "CodiceIVA");
  EXPECT_EQ(w->gexView->columnCount(), 5);
  EXPECT_EQ(w->gexView->recordCount(), 3);
  MostraVista(0);
  EXPECT_EQ(w->gexView->columnCount(), colonneDelFile);
  EXPECT_EQ(Messaggi().size(), 1) << "told once";

  // VAT codes: no layout text, the view's own fields; Delete removes the chosen code.
  MostraVista(9);
  ASSERT_TRUE(SelezionaRiga("CodiceIVA", Variant("4")));
  Premi(w->gexView->view(), Qt::Key_Delete);
  EXPECT_EQ(Messaggi().last(), "Eliminare il Codice IVA selezionato?");
  EXPECT_EQ(datiprova::Conta("SELECT * FROM CodiciIVA WHERE CodiceIVA='4'"), 0);
  EXPECT_EQ(w->gexView->recordCount(), 2);

  // A layout file that cannot be read either: one column per field, rows and all.
  QFile rotto(programma.path() + "/gex_com.lyt");
  ASSERT_TRUE(rotto.open(QIODevice::WriteOnly | QIODevice::Truncate));
  rotto.write("{ non è un layout");
  rotto.close();
  MostraVista(0);
  setProgramFolder(QString());
  EXPECT_EQ(Messaggi().size(), 3);
  EXPECT_TRUE(Messaggi().last().contains(programma.path() + "/gex_com.lyt")) << Messaggi().last().toStdString();
  EXPECT_EQ(w->gexView->recordCount(), 3);
  EXPECT_EQ(w->gexView->column(1)->key(), "CodCom");
  EXPECT_TRUE(w->gexView->column("Cliente"));
}

}  // namespace

namespace {

QImage Immagine(const QIcon& icona) { return icona.pixmap(24, 24).toImage(); }

// Each view has its own icon, in the title band as in the navigation bar, and Print shows no
// floppy disk.
TEST_F(VisteFinestra, EachViewHasItsOwnIconAndPrintIsNotASaveButton) {
  Avvia();
  std::vector<QImage> titoli;
  for (int vista = 0; vista < kNumNodi; ++vista) {
    MostraVista(vista);
    const QImage titolo = w->imgTitle->pixmap().toImage();
    EXPECT_FALSE(titolo.isNull());
    for (size_t altra = 0; altra < titoli.size(); ++altra)
      EXPECT_NE(titolo, titoli[altra]) << "views " << altra << " and " << vista;
    titoli.push_back(titolo);
  }
  EXPECT_NE(Immagine(w->tbStampa->icon()),
            Immagine(QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton)));
}

}  // namespace
