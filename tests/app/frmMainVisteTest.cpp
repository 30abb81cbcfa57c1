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

#include "common/comfrmAbout.h"
#include "core/Globals.h"
#include "core/MainWindowHooks.h"
#include "platform/forms/ButtonBar.h"
#include "platform/forms/SharedInstance.h"
#include "platform/forms/StatusBar.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/Twips.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/app/TestData.h"
#include "tests/support/TestEnv.h"

namespace {

using MainWindowViews = MainWindowFixture;

// The darkest colour of a label as drawn: its text's colour (the edges of the letters are lighter).
QColor textColour(QWidget* label) {
  const QImage image = label->grab().toImage();
  QColor darkest = Qt::white;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y).lightness() < darkest.lightness()) darkest = image.pixelColor(x, y);
  return darkest;
}

QStringList menuTexts(const QList<QAction*>& items, bool separators) {
  QStringList texts;
  for (const QAction* item : items)
    if (item->isVisible() && item->isSeparator() == separators) texts << item->text();
  return texts;
}

TEST_F(MainWindowViews, StartsOnTheJobOrdersWithTheirRowsAfterTheSplash) {
  const QDate before = QDate::currentDate();
  start();
  const QDate after = QDate::currentDate();
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(forms::SharedInstance<comfrmAbout>::get().isVisible());
  EXPECT_EQ(w->windowTitle(), AppTitle);
  EXPECT_EQ(bb()->selectedKey(), "0");
  EXPECT_EQ(lblTitle()->text(), "Commesse");
  EXPECT_EQ(gexView()->recordCount(), 3);
  EXPECT_TRUE(cmbFilter()->isEnabled());
  ASSERT_EQ(cmbFilter()->count(), 3);
  EXPECT_EQ(cmbFilter()->itemText(0), "Tutte le commesse");
  EXPECT_EQ(cmbFilter()->itemText(1), "Commesse aperte");
  EXPECT_EQ(cmbFilter()->itemText(2), "Commesse chiuse");
  EXPECT_EQ(bb()->selectedKey(), "0");
  EXPECT_TRUE(control<QMenu>("mnuView")->actions()[0]->isChecked());
  EXPECT_FALSE(control<QWidget>("picStart")->isVisible());

  const QLocale italian(QLocale::Italian, QLocale::Italy);
  EXPECT_EQ(sb()->panelText(frmMain::pnlDatabase), DBPath);
  EXPECT_EQ(sb()->panelText(frmMain::pnlWorkDate), italian.toString(DataLavoro, "ddd d MMM yy"));
  EXPECT_TRUE(sb()->panelText(frmMain::pnlDate) == italian.toString(before, "ddd d MMM yy") ||
              sb()->panelText(frmMain::pnlDate) == italian.toString(after, "ddd d MMM yy"))
      << sb()->panelText(frmMain::pnlDate).toStdString();
  EXPECT_TRUE(sb()->panelText(frmMain::pnlCounter).isEmpty());
  EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
}

TEST_F(MainWindowViews, MenusAndNavigationBarFollowTheViewTable) {
  start();
  const QStringList newItems = {
      "Commessa\tCTRL+C",           "Rapporto (Dati Reali)", "Materiale (articolo)\tCTRL+M",
      "Fornitore\tCTRL+F",          "Cliente\tCTRL+C",       "Impiegato\tCTRL+G",
      "Modello Preventivo\tCTRL+D", "Categoria Materiale",   "Unità di misura Articolo",
      "Codice Iva\tCTRL+I"};
  EXPECT_EQ(menuTexts(control<QMenu>("mnuFileNewSub")->actions(), false), newItems);
  EXPECT_EQ(menuTexts(control<QMenu>("mnuFileNewSub")->actions(), true).size(), 2);
  const QStringList views = {
      "Commesse\tCTRL+MAIUSC+C",           "Rapporti (Dati Reali)",  "Materiali\tCTRL+MAIUSC+M",
      "Fornitori\tCTRL+MAIUSC+F",          "Clienti\tCTRL+MAIUSC+C", "Impiegati\tCTRL+MAIUSC+G",
      "Modelli Preventivo\tCTRL+MAIUSC+D", "Categorie Materiali",    "Unità di misura Articoli",
      "Codici Iva\tCTRL+MAIUSC+I"};
  EXPECT_EQ(menuTexts(control<QMenu>("mnuView")->actions(), false), views);
  EXPECT_EQ(menuTexts(control<QMenu>("mnuView")->actions(), true).size(), 2);
  EXPECT_EQ(control<QAction>("mnuFileExit")->text(), "Esci\tALT+F4");
  // Both menus hold items 0 to 38: twelve shown (two of them separators), the rest hidden.
  for (const char* menu : {"mnuFileNewSub", "mnuView"}) {
    const QList<QAction*> entries = control<QMenu>(menu)->actions();
    ASSERT_EQ(entries.size(), 39);
    for (int i = 0; i < entries.size(); ++i) {
      EXPECT_EQ(entries[i]->isVisible(), i < 12) << i;
      EXPECT_EQ(entries[i]->isSeparator(), i == 2 || i == 7 || i == 12) << i;
      EXPECT_EQ(entries[i]->data().isNull(), i == 2 || i == 7 || i >= 12) << i;
    }
  }

  // The Grid menu is hidden; its items follow the view's mask (hidden items can never be chosen).
  EXPECT_FALSE(control<QMenu>("mnuGrid")->menuAction()->isVisible());
  QStringList enabled;
  for (const QAction* item : control<QMenu>("mnuGrid")->actions())
    if (!item->isSeparator() && item->isEnabled()) enabled << item->text();
  EXPECT_EQ(enabled, (QStringList{"&Campi", "&Formato", "&Predefinito"}));
  w->node(4).setMnuGridEnable(8);
  showView(4);
  enabled.clear();
  for (const QAction* item : control<QMenu>("mnuGrid")->actions())
    if (!item->isSeparator() && item->isEnabled()) enabled << item->text();
  EXPECT_EQ(enabled, QStringList{"&Formato"});

  ASSERT_EQ(bb()->groupCount(), 3);
  EXPECT_EQ(bb()->groupCaption(1), "Gestione");
  EXPECT_EQ(bb()->groupCaption(2), "Anagrafiche");
  EXPECT_EQ(bb()->groupCaption(3), "Impostazioni");
  EXPECT_EQ(bb()->itemKeys(1), (QStringList{"0", "1"}));
  EXPECT_EQ(bb()->itemKeys(2), (QStringList{"2", "3", "4", "5"}));
  EXPECT_EQ(bb()->itemKeys(3), (QStringList{"6", "7", "8", "9"}));
  EXPECT_EQ(bb()->itemCaption("8"), "Unità di misura Articoli");
}

TEST_F(MainWindowViews, EveryViewShowsItsRowsWithTheFilterBoxOnlyForJobOrders) {
  start();
  const int rows[] = {3, 3, 2, 2, 3, 2, 2, 3, 3, 3};
  const QStringList titles = {"Commesse",
                              "Rapporti (Dati Reali)",
                              "Materiali",
                              "Fornitori",
                              "Clienti",
                              "Impiegati",
                              "Modelli Preventivo",
                              "Categorie Materiali",
                              "Unità di misura Articoli",
                              "Codici Iva"};
  for (int view = 0; view < kNodeCount; ++view) {
    SCOPED_TRACE(view);
    showView(view);
    EXPECT_EQ(lblTitle()->text(), titles[view]);
    EXPECT_EQ(gexView()->recordCount(), rows[view]);
    EXPECT_EQ(bb()->selectedKey(), QString::number(view));
    int checked = 0;
    for (const QAction* item : control<QMenu>("mnuView")->actions()) {
      if (item->isChecked()) ++checked;
      if (!item->data().isNull()) {
        EXPECT_EQ(item->isChecked(), item->data().toInt() == view);
      }
    }
    EXPECT_EQ(checked, 1);
    EXPECT_EQ(cmbFilter()->isEnabled(), view == 0);
    EXPECT_EQ(cmbFilter()->count(), view == 0 ? 3 : 0);
    EXPECT_EQ(cmbFilter()->palette().color(QPalette::Button),
              OleColor(view == 0 ? colors::vbWindowBackground : colors::vbButtonFace));
    // The colour the label is drawn in, not only the one its palette holds.
    EXPECT_LE(std::abs(textColour(control<QLabel>("lblView")).lightness() -
                       OleColor(view == 0 ? colors::vbButtonText : colors::vbButtonShadow).lightness()),
              12);
  }
  // The key of every view is its first column.
  showView(8);
  ASSERT_TRUE(selectRow("Codice", Variant("pz")));
  EXPECT_EQ(gexView()->value(1), Variant(6));
  EXPECT_TRUE(messages().isEmpty()) << messages().join('|').toStdString();
}

TEST_F(MainWindowViews, NavigationBarAndShortcutLettersSwitchViews) {
  start();
  QTest::mouseClick(bb()->groupButton(2), Qt::LeftButton);
  QTest::mouseClick(bb()->itemButton("3"), Qt::LeftButton);
  EXPECT_EQ(lblTitle()->text(), "Fornitori");
  EXPECT_EQ(gexView()->recordCount(), 2);
  EXPECT_EQ(QApplication::focusWidget(), gexView()->view());

  // "C" belongs to the job orders and to the customers: the customers win.
  pressKey(gexView()->view(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(lblTitle()->text(), "Clienti");
  EXPECT_EQ(bb()->currentGroup(), 2);
  // The list keeps the focus through the switch, so the next letters work at once.
  ASSERT_EQ(QApplication::focusWidget(), gexView()->view());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(lblTitle()->text(), "Modelli Preventivo");
  EXPECT_EQ(bb()->currentGroup(), 3);
  // With no control focused the window still sees its keys.
  QApplication::focusWidget()->clearFocus();
  ASSERT_EQ(QApplication::focusWidget(), nullptr);
  QTest::keyClick(w.get(), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(lblTitle()->text(), "Materiali");
  QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(lblTitle()->text(), "Modelli Preventivo");
  // No view has R; Alt or Shift alone do nothing either.
  pressKey(gexView()->view(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
  pressKey(txtFind(), Qt::Key_M, Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(lblTitle()->text(), "Modelli Preventivo");
  // The window sees the keys whatever control has the focus.
  pressKey(txtFind(), Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(lblTitle()->text(), "Codici Iva");
}

TEST_F(MainWindowViews, TheJobOrderFilterIsKeptAcrossViewSwitches) {
  start();
  pressKey(cmbFilter(), Qt::Key_Down);
  EXPECT_EQ(cmbFilter()->currentIndex(), 1);
  EXPECT_EQ(gexView()->recordCount(), 2);
  pressKey(cmbFilter(), Qt::Key_Down);
  EXPECT_EQ(gexView()->recordCount(), 1);
  pressKey(cmbFilter(), Qt::Key_Up);
  EXPECT_EQ(gexView()->recordCount(), 2);

  showView(4);
  EXPECT_EQ(gexView()->recordCount(), 3);
  showView(0);
  EXPECT_EQ(cmbFilter()->currentText(), "Commesse aperte");
  EXPECT_EQ(cmbFilter()->currentIndex(), 1);
  EXPECT_EQ(gexView()->recordCount(), 2);
  EXPECT_FALSE(selectRow("CodCom", Variant("C002")));
}

TEST_F(MainWindowViews, ARefreshFromAnEntryFormRereadsTheViewAndDropsHandMadeChanges) {
  start();
  showView(4);
  const std::vector<grid::SortKey> savedSort = gexView()->sortKeys().keys();
  clickHeader("Località");
  pressKey(txtFind(), Qt::Key_P);
  ASSERT_EQ(txtFind()->text(), "p");
  testdb::exec(DBPath, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Nuovo Cliente')");

  MainWindowHooks::SetLay();
  EXPECT_EQ(gexView()->recordCount(), 4);
  EXPECT_TRUE(txtFind()->text().isEmpty());
  EXPECT_EQ(gexView()->sortKeys().keys(), savedSort);
  EXPECT_EQ(lblTitle()->text(), "Clienti");
}

TEST_F(MainWindowViews, AViewWhoseQueryFailsShowsTheErrorAndTheWindowGoesOn) {
  start();
  w->node(5).setSQLString("SELECT * FROM TabellaCheNonEsiste");
  showView(5);
  ASSERT_EQ(messages().size(), 1);
  EXPECT_EQ(shown.back().style, forms::vbOKOnly | forms::vbExclamation);
  EXPECT_EQ(gexView()->recordCount(), 0);
  EXPECT_TRUE(gexView()->isEnabled());
  showView(4);
  EXPECT_EQ(gexView()->recordCount(), 3);
  EXPECT_EQ(messages().size(), 1) << messages().join(QChar(0x7c)).toStdString();
}

TEST_F(MainWindowViews, AWindowShrunkBelowTheMinimumSpringsBack) {
  start();
  w->resize(200, 150);
  QApplication::processEvents();
  EXPECT_GE(w->width(), TwipsToPixels(9405));
  EXPECT_GE(w->height(), TwipsToPixels(6600));

  w->resize(1000, 700);
  QApplication::processEvents();
  const QWidget* central = w->centralWidget();
  const QRect gridView = gexView()->geometry();
  EXPECT_EQ(gridView.left(), bb()->width() + TwipsToPixels(30));
  EXPECT_EQ(gridView.right() + 1, central->width() - TwipsToPixels(60));
  EXPECT_EQ(gridView.bottom() + 1, sb()->geometry().top());
  EXPECT_GT(gridView.top(), control<QFrame>("shpTitle")->geometry().bottom());
  EXPECT_EQ(control<QFrame>("shpTitle")->width(), gridView.width());
  EXPECT_EQ(control<QWidget>("picStart")->geometry(), gridView);
}

TEST_F(MainWindowViews, AViewWithoutAnyLayoutStillCannotBeEditedInPlace) {
  QTemporaryDir withoutLayout;
  setProgramFolder(withoutLayout.path());
  start();
  setProgramFolder(QString());
  EXPECT_EQ(gexView()->recordCount(), 3);
  EXPECT_FALSE(gexView()->allowEdit());
  EXPECT_FALSE(gexView()->allowAddNew());
  EXPECT_FALSE(gexView()->allowDelete());
}

// A stored layout without text shows the view's own fields; one that cannot be read is told once and
// gives way to the layout file, and a file that cannot be read to one column per field: the rows
// always show, and Delete acts on the row's real key.
TEST_F(MainWindowViews, StoredOrFileLayoutsThatCannotBeUsedStillListTheViewsRows) {
  testdb::exec(DBPath,
               "INSERT INTO _Pars (k01, k02, m01) VALUES ('gridlayout', 'gex_iva', NULL);"
               "INSERT INTO _Pars (k01, k02, m01) VALUES ('gridlayout', 'gex_com', X'7B00');");
  QTemporaryDir programFolder;
  for (const QString& file : QDir(testenv::programDir()).entryList({"gex_*.lyt"}))
    QFile::copy(testenv::programDir() + '/' + file, programFolder.path() + '/' + file);
  setProgramFolder(programFolder.path());
  start();

  // Job orders: the stored layout is unreadable, the file's columns take its place.
  EXPECT_EQ(gexView()->recordCount(), 3);
  ASSERT_EQ(messages().size(), 1);
  EXPECT_TRUE(messages()[0].startsWith("Il layout della vista non è leggibile"))
      << messages()[0].toStdString();
  const int fileColumns = gexView()->columnCount();
  showView(9);
  EXPECT_EQ(gexView()->column(1)->key(), "CodiceIVA");
  EXPECT_EQ(gexView()->columnCount(), 5);
  EXPECT_EQ(gexView()->recordCount(), 3);
  showView(0);
  EXPECT_EQ(gexView()->columnCount(), fileColumns);
  EXPECT_EQ(messages().size(), 1) << "told once";

  // VAT codes: no layout text, the view's own fields; Delete removes the chosen code.
  showView(9);
  ASSERT_TRUE(selectRow("CodiceIVA", Variant("4")));
  pressKey(gexView()->view(), Qt::Key_Delete);
  EXPECT_EQ(messages().last(), "Eliminare il Codice IVA selezionato?");
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CodiciIVA WHERE CodiceIVA='4'"), 0);
  EXPECT_EQ(gexView()->recordCount(), 2);

  // A layout file that cannot be read either: one column per field, rows and all.
  QFile broken(programFolder.path() + "/gex_com.lyt");
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
  broken.write("{ non è un layout");
  broken.close();
  showView(0);
  setProgramFolder(QString());
  EXPECT_EQ(messages().size(), 3);
  EXPECT_TRUE(messages().last().contains(programFolder.path() + "/gex_com.lyt"))
      << messages().last().toStdString();
  EXPECT_EQ(gexView()->recordCount(), 3);
  EXPECT_EQ(gexView()->column(1)->key(), "CodCom");
  EXPECT_TRUE(gexView()->column("Cliente"));
}

}  // namespace

namespace {

QImage imageOf(const QIcon& icon) { return icon.pixmap(24, 24).toImage(); }

// Each view has its own icon, in the title band as in the navigation bar, and Print shows no
// floppy disk.
TEST_F(MainWindowViews, EachViewHasItsOwnIconAndPrintIsNotASaveButton) {
  start();
  std::vector<QImage> titles;
  for (int view = 0; view < kNodeCount; ++view) {
    showView(view);
    const QImage title = control<QLabel>("imgTitle")->pixmap().toImage();
    EXPECT_FALSE(title.isNull());
    for (size_t other = 0; other < titles.size(); ++other)
      EXPECT_NE(title, titles[other]) << "views " << other << " and " << view;
    titles.push_back(title);
  }
  EXPECT_NE(imageOf(control<QAction>("tbPrint")->icon()),
            imageOf(QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton)));
}

}  // namespace
