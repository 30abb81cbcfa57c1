#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>

#include "tests/grid/GridTestSupport.h"

namespace {

using gridtest::GridFixture;

// Template lines as the template window edits them: the grid writes PreVoci rows itself.
class GridEditingTest : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    testdb::exec(
        cn, "INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione, Tariffa) VALUES (7, 'A1', 'Scavo', 10)");
    testdb::exec(
        cn, "INSERT INTO PreVoci (IdModelloPre, Codice, Descrizione, Tariffa) VALUES (7, 'B2', 'Getto', 20)");
    grid->setAllowAddNew(true);
    grid->setAllowDelete(true);
    bind("SELECT * FROM PreVoci WHERE IdModelloPre=7 ORDER BY Codice");
  }
};

TEST_F(GridEditingTest, ChangedRowIsWrittenWhenTheUserLeavesIt) {
  typeInCell(*grid, 1, 4, "Scavo a mano");
  EXPECT_TRUE(grid->rowPending());
  EXPECT_EQ(grid->value(4).toString(), "Scavo a mano");
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM PreVoci WHERE Codice='A1'").toString(), "Scavo");

  clickRow(2);
  EXPECT_FALSE(grid->rowPending());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM PreVoci WHERE Codice='A1'").toString(),
            "Scavo a mano");
  EXPECT_EQ(grid->row(), 2);
}

TEST_F(GridEditingTest, TypedNumbersAreReadInTheUserLocale) {
  typeInCell(*grid, 2, 8, "1.234,5");
  ASSERT_TRUE(grid->updateRow());
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT Tariffa FROM PreVoci WHERE Codice='B2'").toDouble(), 1234.5);
  EXPECT_EQ(grid->cellText(2, 8), "1234,5");
}

TEST_F(GridEditingTest, CancelledRowUpdateWritesNothingAndKeepsTheRow) {
  int asked = 0;
  QObject::connect(grid.get(), &grid::GridEX::beforeUpdate, [&](bool* cancel) {
    ++asked;
    *cancel = true;
  });
  typeInCell(*grid, 1, 3, "ZZ");
  clickRow(2);
  QTRY_COMPARE(grid->row(), 1);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(grid->rowPending());
  EXPECT_EQ(testdb::rows(cn, "SELECT Codice FROM PreVoci ORDER BY Codice"), QStringList({"A1", "B2"}));
  EXPECT_TRUE(messages.empty());
  EXPECT_FALSE(grid->updateRow());

  grid->cancelRow();
  EXPECT_EQ(grid->value(3).toString(), "A1");
}

TEST_F(GridEditingTest, NewRowGetsCellsSetByTheRowRuleAndItsKey) {
  QObject::connect(grid.get(), &grid::GridEX::beforeUpdate, [&](bool*) { grid->setValue(2, Variant(7)); });
  grid->column(8)->setDefaultValue(Variant("0"));
  typeInCell(*grid, -1, 3, "C3");
  EXPECT_EQ(grid->row(), -1);
  clickRow(1);
  EXPECT_EQ(testdb::rows(cn, "SELECT Codice FROM PreVoci WHERE IdModelloPre=7 ORDER BY Codice"),
            QStringList({"A1", "B2", "C3"}));
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT Tariffa FROM PreVoci WHERE Codice='C3'").toDouble(), 0.0);
  EXPECT_EQ(grid->recordCount(), 3);
  ASSERT_EQ(grid->rowCount(), 3);
  const Variant key = grid->rowValue(3, 1);
  EXPECT_GT(key.toInt(), 0);
  EXPECT_EQ(testdb::scalar(cn, "SELECT IdVocePre FROM PreVoci WHERE Codice='C3'").toInt(), key.toInt());
}

TEST_F(GridEditingTest, TabPastTheLastCellOfTheNewRowWritesItEvenInAnEmptyList) {
  bind("SELECT * FROM PreVoci WHERE IdModelloPre=8");
  QObject::connect(grid.get(), &grid::GridEX::beforeUpdate, [&](bool*) { grid->setValue(2, Variant(8)); });
  int lastColumn = 0;
  for (int c = 1; c <= grid->columnCount(); ++c)
    if (grid->column(c)->visible()) lastColumn = c;
  typeInCell(*grid, -1, 3, "N1");
  typeInCell(*grid, -1, lastColumn, "1");
  EXPECT_FALSE(grid->rowPending());
  EXPECT_EQ(testdb::rows(cn, "SELECT Codice FROM PreVoci WHERE IdModelloPre=8"), QStringList{"N1"});
  EXPECT_EQ(grid->recordCount(), 1);
  EXPECT_EQ(grid->row(), -1);
  // The same with Tab on the last cell when no editor is open.
  typeInCell(*grid, -1, 3, "N3");
  grid->setCol(lastColumn);
  QTest::keyClick(grid->view(), Qt::Key_Tab);
  EXPECT_FALSE(grid->rowPending());
  EXPECT_EQ(grid->recordCount(), 2);
  EXPECT_EQ(grid->row(), -1);

  // A row its rule refuses stays in editing where it was, and nothing is written.
  QObject::connect(grid.get(), &grid::GridEX::beforeUpdate, [&](bool* cancel) { *cancel = true; });
  typeInCell(*grid, -1, 3, "N2");
  typeInCell(*grid, -1, lastColumn, "2");
  EXPECT_TRUE(grid->rowPending());
  EXPECT_EQ(grid->row(), -1);
  EXPECT_EQ(grid->col(), lastColumn);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreVoci WHERE IdModelloPre=8"), 2);
  grid->cancelRow();

  // With the last column moved before the others, Tab from it to the next column on screen is no
  // wrap: the row stays in editing and nothing is written yet.
  grid->column(lastColumn)->setPosition(grid->column(3)->position());
  typeInCell(*grid, -1, lastColumn, "3");
  EXPECT_TRUE(grid->rowPending());
  EXPECT_EQ(grid->col(), 3);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM PreVoci WHERE IdModelloPre=8"), 2);
}

TEST_F(GridEditingTest, RefusedCellKeepsItsValueAndAfterUpdateFollowsAcceptedOnes) {
  std::vector<int> after;
  QObject::connect(grid.get(), &grid::GridEX::beforeColUpdate,
                   [&](int row, int col, const Variant& old, bool* cancel) {
                     EXPECT_EQ(row, 1);
                     if (col == 8 && !grid->value(8).isNumber()) {
                       EXPECT_DOUBLE_EQ(old.toDouble(), 10.0);
                       *cancel = true;
                     }
                   });
  QObject::connect(grid.get(), &grid::GridEX::afterColUpdate, [&](int col) {
    after.push_back(col);
    grid->setValue(9, Variant(grid->value(8).toDouble() * 2));
  });
  typeInCell(*grid, 1, 8, "abc");
  EXPECT_DOUBLE_EQ(grid->value(8).toDouble(), 10.0);
  EXPECT_TRUE(after.empty());
  // The refused text comes back in an open editor.
  QLineEdit* editor = nullptr;
  QTRY_VERIFY((editor = openEditor<QLineEdit>()) != nullptr);
  EXPECT_EQ(editor->text(), "abc");
  QTest::keyClick(editor, Qt::Key_Escape);
  typeInCell(*grid, 1, 8, "12,5");
  EXPECT_EQ(after, std::vector<int>({8}));
  ASSERT_TRUE(grid->updateRow());
  EXPECT_DOUBLE_EQ(testdb::scalar(cn, "SELECT CostoStimato FROM PreVoci WHERE Codice='A1'").toDouble(), 25.0);
}

TEST_F(GridEditingTest, ClosingTheWindowWritesTheRowOrStaysOpen) {
  bool refuse = true;
  QObject::connect(grid.get(), &grid::GridEX::beforeUpdate, [&](bool* cancel) { *cancel = refuse; });
  typeInCell(*grid, 1, 4, "Scavo a mano");
  EXPECT_FALSE(grid->close());
  EXPECT_TRUE(grid->isVisible());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM PreVoci WHERE Codice='A1'").toString(), "Scavo");

  refuse = false;
  EXPECT_TRUE(grid->close());
  EXPECT_EQ(testdb::scalar(cn, "SELECT Descrizione FROM PreVoci WHERE Codice='A1'").toString(),
            "Scavo a mano");
}

TEST_F(GridEditingTest, FailedWriteShowsTheReasonAndLeavesTheDatabaseAsItWas) {
  testdb::exec(cn, "CREATE UNIQUE INDEX ix_codice ON PreVoci (Codice)");
  typeInCell(*grid, 2, 3, "A1");
  clickRow(1);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_FALSE(messages[0].text.isEmpty());
  EXPECT_TRUE(grid->rowPending());
  QTRY_COMPARE(grid->row(), 2);
  EXPECT_EQ(testdb::rows(cn, "SELECT Codice FROM PreVoci ORDER BY Codice"), QStringList({"A1", "B2"}));
}

TEST_F(GridEditingTest, DeleteKeyAsksAndDeletesOnlyOnYes) {
  grid->setRow(2);
  answer = forms::vbNo;
  QTest::keyClick(grid->view(), Qt::Key_Delete);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(testdb::rows(cn, "SELECT Codice FROM PreVoci ORDER BY Codice"), QStringList({"A1", "B2"}));

  answer = forms::vbYes;
  QTest::keyClick(grid->view(), Qt::Key_Delete);
  EXPECT_EQ(testdb::rows(cn, "SELECT Codice FROM PreVoci ORDER BY Codice"), QStringList({"A1"}));
  EXPECT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(grid->rowValue(1, 3).toString(), "A1");
}

TEST_F(GridEditingTest, ReadOnlyQueriesOfferNoEditing) {
  grid->setAllowAddNew(false);
  bind(
      "SELECT PreVoci.Codice, PreModelli.Descrizione FROM PreVoci LEFT JOIN PreModelli ON "
      "PreVoci.IdModelloPre = PreModelli.IdModello");
  auto* view = qobject_cast<QAbstractItemView*>(grid->view());
  EXPECT_FALSE(view->model()->flags(view->model()->index(0, 0)) & Qt::ItemIsEditable);
  EXPECT_EQ(view->model()->rowCount(), 2);
}

TEST_F(GridEditingTest, KeyDownCanSwallowKeys) {
  std::vector<std::pair<int, int>> seen;
  QObject::connect(grid.get(), &grid::GridEX::keyDown, [&](int* key, int shift) {
    seen.push_back({*key, shift});
    if (*key == 46) *key = 0;
  });
  grid->setRow(1);
  answer = forms::vbYes;
  QTest::keyClick(grid->view(), Qt::Key_Delete);
  QTest::keyClick(grid->view(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(grid->recordCount(), 2);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen.front(), std::make_pair(46, 0));
  EXPECT_EQ(seen.back(), std::make_pair(114, 1));
}

}  // namespace
