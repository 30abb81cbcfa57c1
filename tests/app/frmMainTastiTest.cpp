#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "core/Globals.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Colors.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/app/TestData.h"

namespace {

class MainWindowKeys : public MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    testdb::exec(
        DBPath,
        "INSERT INTO CliFor (IdCliFor, Tipo, Nome, Località) VALUES (6, 'Cliente', 'Rossetti Anna', 'Lodi')");
    start();
    showView(4);
  }
  int column(const QString& key) const { return gexView()->column(key)->index(); }
};

TEST_F(MainWindowKeys, AHeaderClickSortsOnThatColumnAndAgainReversesIt) {
  clickHeader("Località");
  ASSERT_EQ(gexView()->sortKeys().count(), 1);
  EXPECT_EQ(gexView()->sortKeys().item(1), (grid::SortKey{column("Località"), grid::Ascending}));
  EXPECT_EQ(control<QLabel>("lblFind")->text(), "Trova in " + gexView()->column("Località")->caption());
  for (int i = 1; i <= gexView()->columnCount(); ++i)
    EXPECT_EQ(gexView()->column(i)->cellStyle(), i == column("Località") ? "SortedCol" : "Default") << i;
  EXPECT_EQ(QApplication::focusWidget(), gexView()->view());
  EXPECT_EQ(gexView()->rowValue(1, column("Località")), Variant("Asti"));

  clickHeader("Località");
  EXPECT_EQ(gexView()->sortKeys().item(1), (grid::SortKey{column("Località"), grid::Descending}));
  EXPECT_EQ(gexView()->rowValue(1, column("Località")), Variant("Verona"));

  clickHeader("Nome");
  ASSERT_EQ(gexView()->sortKeys().count(), 1);
  EXPECT_EQ(gexView()->sortKeys().item(1), (grid::SortKey{column("Nome"), grid::Ascending}));
  EXPECT_EQ(gexView()->column("Località")->cellStyle(), "Default");
  EXPECT_EQ(gexView()->column("Nome")->cellStyle(), "SortedCol");
}

TEST_F(MainWindowKeys, TypingOnTheGridFindsOnTheSortColumnInTheSortDirection) {
  clickHeader("Nome");
  gexView()->setRow(1);
  gexView()->view()->setFocus();
  typeText("r");
  EXPECT_EQ(QApplication::focusWidget(), txtFind());
  EXPECT_EQ(txtFind()->text(), "r");
  EXPECT_EQ(txtFind()->cursorPosition(), 1);
  EXPECT_EQ(currentValue("Nome"), Variant("Rossetti Anna"));
  // The same letter typed again on the grid searches again.
  gexView()->setRow(1);
  gexView()->view()->setFocus();
  typeText("r");
  EXPECT_EQ(txtFind()->text(), "r");
  EXPECT_EQ(currentValue("Nome"), Variant("Rossetti Anna"));
  typeText("ossi");
  EXPECT_EQ(currentValue("Nome"), Variant("Rossi Mario"));

  // Descending: the search runs from the bottom up, so the first name in alphabetical order wins.
  clickHeader("Nome");
  EXPECT_EQ(control<QLabel>("lblFind")->text(), "Trova in " + gexView()->column("Nome")->caption());
  gexView()->setRow(1);
  txtFind()->setFocus();
  txtFind()->clear();
  typeText("ross");
  EXPECT_EQ(currentValue("Nome"), Variant("Rossetti Anna"));

  // Without a sort key nothing is searched and the text stays.
  gexView()->sortKeys().clear();
  gexView()->setRow(1);
  const Variant before = currentValue("Nome");
  txtFind()->clear();
  typeText("bia");
  EXPECT_EQ(txtFind()->text(), "bia");
  EXPECT_EQ(currentValue("Nome"), before);
}

TEST_F(MainWindowKeys, FindAndFilterBoxKeysMoveTheFocusWithoutReachingTheGrid) {
  gexView()->setRow(2);
  pressKey(gexView()->view(), Qt::Key_F3);
  EXPECT_EQ(QApplication::focusWidget(), txtFind());
  EXPECT_EQ(txtFind()->palette().color(QPalette::Base), QColor(255, 255, 191));

  for (int key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_F3}) {
    pressKey(txtFind(), key);
    EXPECT_EQ(QApplication::focusWidget(), gexView()->view()) << key;
    EXPECT_EQ(gexView()->row(), 2) << key;
  }
  EXPECT_EQ(txtFind()->palette().color(QPalette::Base), OleColor(colors::vbWindowBackground));

  // The customers have no filters: F4 leaves the focus where it is.
  pressKey(gexView()->view(), Qt::Key_F4);
  EXPECT_EQ(QApplication::focusWidget(), gexView()->view());

  showView(0);
  pressKey(gexView()->view(), Qt::Key_F4);
  EXPECT_TRUE(cmbFilter()->view()->isVisible());
  cmbFilter()->hidePopup();
  EXPECT_EQ(QApplication::focusWidget(), cmbFilter());
  EXPECT_EQ(cmbFilter()->palette().color(QPalette::Button), QColor(255, 255, 191));
  // Enter moves on, and the filter box hands the focus to the find box.
  pressKey(cmbFilter(), Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), txtFind());
  EXPECT_EQ(cmbFilter()->palette().color(QPalette::Button), OleColor(colors::vbWindowBackground));
  pressKey(cmbFilter(), Qt::Key_F3);
  EXPECT_EQ(QApplication::focusWidget(), txtFind());
}

// Another filter reloads the view's layout with its own sort: the find label and the find follow it.
TEST_F(MainWindowKeys, AfterAnotherFilterTheFindNamesAndSearchesTheLayoutsSortColumn) {
  showView(0);
  clickHeader("DesCom");
  EXPECT_EQ(control<QLabel>("lblFind")->text(), "Trova in Descrizione");
  cmbFilter()->setCurrentIndex(1);
  ASSERT_EQ(gexView()->sortKeys().count(), 1);
  EXPECT_EQ(gexView()->sortKeys().item(1).column, column("CodCom"));
  EXPECT_EQ(control<QLabel>("lblFind")->text(), "Trova in Codice");
  gexView()->setRow(1);
  txtFind()->setFocus();
  typeText("C'");
  EXPECT_EQ(currentValue("CodCom"), Variant("C'03"));
}

}  // namespace
