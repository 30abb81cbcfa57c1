#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "tests/grid/GridTestSupport.h"

namespace {

using gridtest::GridFixture;

// Cost rows as the other-costs and labour grids show them: a value list and a drop-down grid.
class GridListsTest : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    testdb::exec(cn, "INSERT INTO Impiegati (Cognome, Nome, Tariffa) VALUES ('Rossi', 'Mario', 30)");
    testdb::exec(cn, "INSERT INTO Impiegati (Cognome, Nome, Tariffa) VALUES ('Bianchi', 'Anna', 25)");
    testdb::exec(cn,
                 "INSERT INTO Costi (Classe, Tipo, CodCom, Data, CodImp, Quantita) VALUES (3, 1, 'C1', "
                 "#03/05/24#, 1, 2)");
    dropDown = std::make_unique<grid::GridEX>();
    dropDown->setConnectionString(connString);
    dropDown->setRecordSource(
        "SELECT CodImp, [Cognome] & ' ' & [Nome] AS Impiegato FROM Impiegati ORDER BY Cognome");
    dropDown->rebind();
    dropDown->column(1)->setVisible(false);
    bind("SELECT * FROM Costi WHERE CodCom='C1'");
    grid->column(3)->valueList().add(Variant(1), "Trasferta");
    grid->column(3)->valueList().add(Variant(2), "Noleggio");
    grid->column(9)->setDropDown(dropDown.get());
  }
  void TearDown() override {
    grid.reset();
    dropDown.reset();
    GridFixture::TearDown();
  }

  // Opens the list editor of a cell of the current row.
  QComboBox* openListEditor(int column) {
    grid->setCol(column);
    QTest::keyClick(grid->view(), Qt::Key_F2);
    return openEditor<QComboBox>();
  }

  // Opens the list of a cell, checks its size and first entry, and chooses that entry.
  void chooseFirst(int column, int entries, const QString& firstText) {
    QComboBox* combo = openListEditor(column);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), entries);
    EXPECT_EQ(combo->itemText(0), firstText);
    combo->setCurrentIndex(0);
    QTest::keyClick(combo, Qt::Key_Tab);
  }

  std::unique_ptr<grid::GridEX> dropDown;
};

TEST_F(GridListsTest, ValueListStoresTheValueAndShowsTheText) {
  EXPECT_EQ(grid->cellText(1, 3), "Trasferta");
  EXPECT_EQ(grid->value(3).toInt(), 1);

  QComboBox* combo = openListEditor(3);
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->currentText(), "Trasferta");
  combo->setCurrentIndex(1);
  QTest::keyClick(combo, Qt::Key_Tab);
  EXPECT_EQ(grid->value(3).toInt(), 2);
  EXPECT_EQ(grid->cellText(1, 3), "Noleggio");
  ASSERT_TRUE(grid->updateRow());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Tipo FROM Costi").toInt(), 2);

  // A value no item carries shows as it is.
  testdb::exec(cn, "UPDATE Costi SET Tipo=9");
  grid->rebind();
  EXPECT_EQ(grid->cellText(1, 3), "9");
}

// What is typed over a list's text names an item by its text, by its value or by the start of its
// text, in any case; a text that names none changes nothing.
TEST_F(GridListsTest, AValueListTakesAnItemsTextOrValueTypedInAnyCase) {
  for (const auto& [typed, value] : {std::pair{"noleggio", 2}, {"1", 1}, {"NOL", 2}, {"Verdi", 2}}) {
    typeInCell(*grid, 1, 3, typed);
    EXPECT_EQ(grid->value(3).toInt(), value) << typed;
  }
  // Typing straight on a list's cell, the value list's or the drop-down's, replaces its text.
  const auto typeOnCell = [&](int column, Qt::Key first, const QString& rest) {
    grid->setCol(column);
    QTest::keyClick(grid->view(), first);
    QTest::keyClicks(QApplication::focusWidget(), rest);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  };
  typeOnCell(3, Qt::Key_T, "rasf");
  typeOnCell(9, Qt::Key_B, "ian");
  ASSERT_TRUE(grid->updateRow());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Tipo FROM Costi").toInt(), 1);
  EXPECT_EQ(testdb::scalar(cn, "SELECT CodImp FROM Costi").toInt(), 2);
}

TEST_F(GridListsTest, DropDownStoresItsBoundColumnAndShowsTheOther) {
  EXPECT_EQ(grid->cellText(1, 9), "Rossi Mario");

  chooseFirst(9, 2, "Bianchi Anna");
  EXPECT_EQ(grid->value(9).toInt(), 2);
  EXPECT_EQ(grid->cellText(1, 9), "Bianchi Anna");
  ASSERT_TRUE(grid->updateRow());
  EXPECT_EQ(testdb::scalar(cn, "SELECT CodImp FROM Costi").toInt(), 2);
}

// A labour row typed in the new-row line: the cell rule fills the rates, the row rule the ties.
TEST_F(GridListsTest, NewRowFilledByCellAndRowRulesIsWrittenWhole) {
  grid->setAllowAddNew(true);
  grid->rebind();
  QObject::connect(grid.get(), &grid::GridEX::beforeColUpdate,
                   [&](int row, int col, const Variant&, bool* cancel) {
                     EXPECT_EQ(row, -1);
                     if (col != 9) return;
                     if (grid->value(9).isNull()) {
                       *cancel = true;
                       return;
                     }
                     grid->setValue(25, Variant(grid->value(9).toInt() == 1 ? 30.0 : 25.0));
                     grid->setValue(28, Variant(45.0));
                   });
  QObject::connect(grid.get(), &grid::GridEX::beforeUpdate, [&](bool* cancel) {
    if (!grid->value(24).isNumber() || grid->value(9).isNull()) {
      *cancel = true;
      return;
    }
    grid->setValue(8, Variant(QDate(2024, 3, 6)));
    grid->setValue(5, Variant("C1"));
    grid->setValue(2, Variant(std::int16_t(0)));
    grid->setValue(6, Variant(grid->value(7).isNull()));
    grid->setValue(27, Variant(grid->value(24).toDouble() * grid->value(25).toDouble()));
  });

  typeInCell(*grid, -1, 24, "2,5");
  clickRow(1);
  QTRY_COMPARE(grid->row(), -1);  // no employee yet: the row stays
  EXPECT_EQ(testdb::scalar(cn, "SELECT Count(*) FROM Costi").toInt(), 1);

  chooseFirst(9, 2, "Bianchi Anna");
  EXPECT_DOUBLE_EQ(grid->value(25).toDouble(), 25.0);
  clickRow(1);
  EXPECT_EQ(grid->row(), 1);
  ASSERT_EQ(testdb::scalar(cn, "SELECT Count(*) FROM Costi").toInt(), 2);
  const QString last = "SELECT %1 FROM Costi WHERE Data=#03/06/24#";
  EXPECT_EQ(testdb::scalar(cn, last.arg("CodImp")).toInt(), 2);
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, last.arg("Quantita")).toDouble(), 2.5);
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, last.arg("CostoUnitario")).toDouble(), 25.0);
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, last.arg("PrezzoUnitario")).toDouble(), 45.0);
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, last.arg("Valore")).toDouble(), 62.5);
  EXPECT_EQ(testdb::scalar(cn, last.arg("CodCom")).toString(), "C1");
  EXPECT_TRUE(testdb::scalar(cn, last.arg("InEconomia")).toBool());
  EXPECT_EQ(grid->rowCount(), 2);
}

TEST_F(GridListsTest, DropDownCanStoreAHiddenColumnAndShowAnother) {
  testdb::exec(cn, "INSERT INTO CommessePre (CodCom, Codice, Descrizione) VALUES ('C1', 'V2', 'Getto')");
  testdb::exec(cn, "INSERT INTO CommessePre (CodCom, Codice, Descrizione) VALUES ('C1', 'V1', 'Scavo')");
  auto lines = std::make_unique<grid::GridEX>();
  lines->setConnectionString(connString);
  lines->setRecordSource(
      "SELECT Codice, Descrizione, IdVocePre FROM CommessePre WHERE CodCom='C1' ORDER BY Codice");
  lines->rebind();
  lines->column(3)->setVisible(false);
  lines->setColumnHeaders(false);
  lines->setDropDownColumns("IdVocePre", "Codice");
  grid->column(7)->setDropDown(lines.get());

  chooseFirst(7, 2, "V1");
  EXPECT_EQ(grid->value(7).toInt(), 2);
  EXPECT_EQ(grid->cellText(1, 7), "V1");
  ASSERT_TRUE(grid->updateRow());
  EXPECT_EQ(testdb::scalar(cn, "SELECT IdStima FROM Costi").toInt(), 2);

  // A drop-down that goes first is let go: the cell shows its stored value.
  lines.reset();
  EXPECT_EQ(grid->column(7)->dropDown(), nullptr);
  EXPECT_EQ(grid->cellText(1, 7), "2");
}

TEST_F(GridListsTest, DropDownTextNamingNoRowChangesNothingAndEmptyClears) {
  QComboBox* combo = openListEditor(9);
  ASSERT_NE(combo, nullptr);
  combo->setEditText("Verdi");
  QTest::keyClick(combo, Qt::Key_Tab);
  EXPECT_EQ(grid->value(9).toInt(), 1);
  EXPECT_FALSE(grid->rowPending());

  bool sawEmpty = false;
  QObject::connect(grid.get(), &grid::GridEX::beforeColUpdate,
                   [&](int, int col, const Variant&, bool* cancel) {
                     if (col == 9 && grid->value(9).isNull()) {
                       sawEmpty = true;
                       *cancel = true;
                     }
                   });
  combo = openListEditor(9);
  ASSERT_NE(combo, nullptr);
  combo->setEditText("");
  QTest::keyClick(combo, Qt::Key_Tab);
  EXPECT_TRUE(sawEmpty);
  EXPECT_EQ(grid->value(9).toInt(), 1);
}

TEST_F(GridListsTest, DateCellsOfferACalendarWithTodayAndEmpty) {
  EXPECT_EQ(grid->cellText(1, 8), "05/03/24");
  auto pick = [&](const QString& button) {
    grid->setRow(1);
    grid->setCol(8);
    QTest::keyClick(grid->view(), Qt::Key_F2);
    auto* line = openEditor<QLineEdit>();
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text(), "05/03/2024");
    ASSERT_FALSE(line->actions().isEmpty());
    line->actions().first()->trigger();
    auto* popup = line->findChild<QWidget*>("calendario");
    ASSERT_NE(popup, nullptr);
    for (QPushButton* b : popup->findChildren<QPushButton*>())
      if (b->text() == button) b->click();
    QTest::keyClick(line, Qt::Key_Tab);
  };
  const QDate before = QDate::currentDate();
  pick("Oggi");
  const QDate after = QDate::currentDate();
  const QDate picked = grid->value(8).toDate();
  EXPECT_TRUE(picked == before || picked == after) << picked.toString(Qt::ISODate).toStdString();
  grid->cancelRow();
  pick("Vuoto");
  EXPECT_TRUE(grid->value(8).isNull());
  ASSERT_TRUE(grid->updateRow());
  EXPECT_TRUE(testdb::scalar(cn, "SELECT Data FROM Costi").isNull());
}

TEST_F(GridListsTest, CheckBoxColumnsToggleBooleans) {
  grid->column(6)->setType(grid::ColumnCheckBox);
  auto* view = qobject_cast<QAbstractItemView*>(grid->view());
  const QModelIndex cell = view->model()->index(0, 5);
  EXPECT_EQ(cell.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  EXPECT_TRUE(view->model()->setData(cell, Qt::Checked, Qt::CheckStateRole));
  ASSERT_TRUE(grid->updateRow());
  EXPECT_TRUE(testdb::scalar(cn, "SELECT InEconomia FROM Costi").toBool());
}

TEST_F(GridListsTest, ColumnButtonRaisesItsEventAndNotSelectableColumnsAreSkipped) {
  grid->column(22)->setButton(true);
  int clicked = 0;
  QObject::connect(grid.get(), &grid::GridEX::columnButtonClick, [&](int col) { clicked = col; });
  auto* view = qobject_cast<QAbstractItemView*>(grid->view());
  QRect cell = view->visualRect(view->model()->index(0, 21));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(cell.right() - 3, cell.center().y()));
  EXPECT_EQ(clicked, 22);
  // While the cell is being typed into, its button stays in sight and answers a click.
  clicked = 0;
  view->edit(view->model()->index(0, 21));
  QWidget* editor = view->indexWidget(view->model()->index(0, 21));
  ASSERT_NE(editor, nullptr);
  cell = view->visualRect(view->model()->index(0, 21));
  EXPECT_LT(editor->geometry().right(), cell.right() - 3);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(cell.right() - 3, cell.center().y()));
  EXPECT_EQ(clicked, 22);

  for (int c = 1; c <= grid->columnCount(); ++c) grid->column(c)->setVisible(c == 21 || c == 22 || c == 24);
  grid->column(22)->setSelectable(false);
  grid->setCol(21);
  QTest::keyClick(grid->view(), Qt::Key_Right);
  EXPECT_EQ(grid->col(), 24);
}

// A date cell reads back the day/month/year form its editor writes, whatever the locale's order.
TEST_F(GridListsTest, DateCellsReadTheirOwnDayMonthYearFormUnderAnyLocale) {
  struct UsLocale {
    QLocale before;
    UsLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~UsLocale() { QLocale::setDefault(before); }
  } usLocale;
  for (const auto& [typed, day] :
       {std::pair{"10/03/2024", QDate(2024, 3, 10)}, {"25/12/2023", QDate(2023, 12, 25)}}) {
    typeInCell(*grid, 1, 8, typed);
    ASSERT_TRUE(grid->updateRow()) << typed;
    EXPECT_EQ(testdb::scalar(cn, "SELECT Data FROM Costi").toDate(), day) << typed;
  }
  EXPECT_TRUE(messages.empty());
}

// Hours and quantities typed with a point, as the entry forms take them: the point is the decimal
// separator. A comma still is, and a point beside a comma still groups thousands.
TEST_F(GridListsTest, APointTypedInANumberCellIsTheDecimalSeparator) {
  typeInCell(*grid, 1, 15, "7.5");
  typeInCell(*grid, 1, 24, "2,25");
  ASSERT_TRUE(grid->updateRow());
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT Ore FROM Costi").toDouble(), 7.5);
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT Quantita FROM Costi").toDouble(), 2.25);
  EXPECT_EQ(grid->cellText(1, 15), "7,5");
  typeInCell(*grid, 1, 24, "1.250,5");
  ASSERT_TRUE(grid->updateRow());
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT Quantita FROM Costi").toDouble(), 1250.5);
}

}  // namespace
