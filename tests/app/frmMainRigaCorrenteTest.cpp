#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "core/Globals.h"
#include "masterdata/frm_io_Clienti.h"
#include "platform/grid/GridEX.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/app/TestData.h"

namespace {

class MainWindowCurrentRow : public MainWindowFixture {
 protected:
  // The customer window shown, if any.
  static frm_io_Clienti* openForm() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* c = qobject_cast<frm_io_Clienti*>(w); c && c->isVisible()) return c;
    return nullptr;
  }
  // The entry window that the main window opened, once it shows.
  static frm_io_Clienti* openedForm() {
    return QTest::qWaitFor([] { return openForm() != nullptr; }) ? openForm() : nullptr;
  }
  bool highlighted() const {
    return table()->selectionModel()->isRowSelected(table()->currentIndex().row(), QModelIndex());
  }
  void clickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect cell = table()->visualRect(table()->model()->index(row - 1, 2));
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, modifiers, cell.center());
  }
};

// The row the commands act on is the row shown highlighted; after a deletion the list shows the
// row that followed, after a save the record saved.
TEST_F(MainWindowCurrentRow, TheListKeepsItsRecordHighlightedThroughClicksDeletionsAndSaves) {
  testdb::exec(DBPath, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Aaa Primo')");
  testdb::exec(DBPath, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Bbb Secondo')");
  start();
  showView(4);
  ASSERT_TRUE(selectRow("Nome", Variant("Bbb Secondo")));
  const int row = gexView()->row();
  ASSERT_GT(row, 1);
  const Variant seguente = gexView()->rowValue(row + 1, gexView()->column("Nome")->index());
  clickRow(row + 1);
  clickRow(row);
  const QRect last = table()->visualRect(table()->model()->index(gexView()->rowCount() - 1, 2));
  QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier, last.center() + QPoint(0, 60));
  EXPECT_TRUE(highlighted()) << "a click below the rows";
  clickRow(row, Qt::ControlModifier);
  EXPECT_TRUE(highlighted()) << "Ctrl and a click on the current row";
  EXPECT_EQ(currentValue("Nome"), Variant("Bbb Secondo"));
  pressKey(gexView()->view(), Qt::Key_Delete);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor WHERE Nome='Bbb Secondo'"), 0);
  EXPECT_EQ(currentValue("Nome"), seguente) << "the row that followed the deleted one";
  EXPECT_TRUE(highlighted());

  ASSERT_TRUE(selectRow("Nome", Variant("Bianchi Srl")));
  ASSERT_NE(gexView()->row(), 1);
  pressKey(gexView()->view(), Qt::Key_Return);
  frm_io_Clienti* form = openedForm();
  ASSERT_NE(form, nullptr);
  QApplication::setActiveWindow(form);
  form->txtData[1]->setFocus();
  QTest::keyClicks(form->txtData[1], "Via Roma 1");
  QTest::mouseClick(form->cmdSalva, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([] { return openForm() == nullptr; }));
  EXPECT_EQ(currentValue("Nome"), Variant("Bianchi Srl")) << "the record saved stays current";

  QApplication::setActiveWindow(w.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  pressKey(gexView()->view(), Qt::Key_C, Qt::ControlModifier);
  form = openedForm();
  ASSERT_NE(form, nullptr);
  QApplication::setActiveWindow(form);
  QTest::keyClicks(form->txtData[0], "Zorro Nuovo");
  QTest::mouseClick(form->cmdSalva, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([] { return openForm() == nullptr; }));
  EXPECT_EQ(currentValue("Nome"), Variant("Zorro Nuovo")) << "a new record becomes current";
  EXPECT_TRUE(highlighted());
}

// The header marks the sorted column with the direction of the sort.
TEST_F(MainWindowCurrentRow, TheHeaderShowsTheSortDirection) {
  start();
  showView(4);
  const int name = gexView()->column("Nome")->index() - 1;
  EXPECT_TRUE(header()->isSortIndicatorShown());
  EXPECT_EQ(header()->sortIndicatorSection(), name);
  EXPECT_EQ(header()->sortIndicatorOrder(), Qt::AscendingOrder);
  clickHeader("Nome");
  EXPECT_EQ(header()->sortIndicatorSection(), name);
  EXPECT_EQ(header()->sortIndicatorOrder(), Qt::DescendingOrder);
  clickHeader("Località");
  EXPECT_EQ(header()->sortIndicatorSection(), gexView()->column("Località")->index() - 1);
  EXPECT_EQ(header()->sortIndicatorOrder(), Qt::AscendingOrder);
  showView(9);
  EXPECT_EQ(header()->isSortIndicatorShown(), gexView()->sortKeys().count() > 0);
}

}  // namespace

namespace {

// The visible columns' widths as shown, in pixels.
int columnWidths(QHeaderView* header) {
  int total = 0;
  for (int i = 0; i < header->count(); ++i)
    if (!header->isSectionHidden(i)) total += header->sectionSize(i);
  return total;
}

// A wide (maximised) window: the columns widen to use the width; their widths stay as the layout
// sets them, and a narrower window shows them at those widths again.
TEST_F(MainWindowCurrentRow, TheColumnsUseTheWidthOfAWideWindow) {
  start();
  showView(9);
  const int narrow = columnWidths(header());
  const int twips = gexView()->column(1)->width();
  w->resize(2400, 900);
  ASSERT_TRUE(QTest::qWaitFor([&] { return table()->viewport()->width() > narrow + 200; }));
  const int viewportWidth = table()->viewport()->width();
  EXPECT_LE(columnWidths(header()), viewportWidth);
  EXPECT_GE(columnWidths(header()), viewportWidth - header()->count());
  EXPECT_EQ(gexView()->column(1)->width(), twips);
  w->resize(900, 600);
  EXPECT_TRUE(QTest::qWaitFor([&] { return columnWidths(header()) <= narrow; }));
}

}  // namespace
