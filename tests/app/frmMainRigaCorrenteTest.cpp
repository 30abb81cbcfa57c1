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
#include "tests/app/TestData.h"
#include "tests/app/MainWindowFixture.h"


namespace {

class RigaCorrente : public MainWindowFixture {
 protected:
  // The customer window shown, if any.
  static frm_io_Clienti* Scheda() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* c = qobject_cast<frm_io_Clienti*>(w); c && c->isVisible()) return c;
    return nullptr;
  }
  // The entry window that the main window opened, once it shows.
  static frm_io_Clienti* SchedaAperta() {
    return QTest::qWaitFor([] { return Scheda() != nullptr; }) ? Scheda() : nullptr;
  }
  bool Evidenziata() const {
    return table()->selectionModel()->isRowSelected(table()->currentIndex().row(), QModelIndex());
  }
  void ClicRiga(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QRect cella = table()->visualRect(table()->model()->index(row - 1, 2));
    QTest::mouseClick(table()->viewport(), Qt::LeftButton, modifiers, cella.center());
  }
};

// The row the commands act on is the row shown highlighted; after a deletion the list shows the
// row that followed, after a save the record saved.
TEST_F(RigaCorrente, TheListKeepsItsRecordHighlightedThroughClicksDeletionsAndSaves) {
  testdb::exec(DBPath, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Aaa Primo')");
  testdb::exec(DBPath, "INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Bbb Secondo')");
  start();
  showView(4);
  ASSERT_TRUE(selectRow("Nome", Variant("Bbb Secondo")));
  const int row = gexView()->row();
  ASSERT_GT(row, 1);
  const Variant seguente = gexView()->rowValue(row + 1, gexView()->column("Nome")->index());
  ClicRiga(row + 1);
  ClicRiga(row);
  const QRect ultima = table()->visualRect(table()->model()->index(gexView()->rowCount() - 1, 2));
  QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier, ultima.center() + QPoint(0, 60));
  EXPECT_TRUE(Evidenziata()) << "a click below the rows";
  ClicRiga(row, Qt::ControlModifier);
  EXPECT_TRUE(Evidenziata()) << "Ctrl and a click on the current row";
  EXPECT_EQ(currentValue("Nome"), Variant("Bbb Secondo"));
  pressKey(gexView()->view(), Qt::Key_Delete);
  EXPECT_EQ(testdb::count(cn, "SELECT * FROM CliFor WHERE Nome='Bbb Secondo'"), 0);
  EXPECT_EQ(currentValue("Nome"), seguente) << "the row that followed the deleted one";
  EXPECT_TRUE(Evidenziata());

  ASSERT_TRUE(selectRow("Nome", Variant("Bianchi Srl")));
  ASSERT_NE(gexView()->row(), 1);
  pressKey(gexView()->view(), Qt::Key_Return);
  frm_io_Clienti* form = SchedaAperta();
  ASSERT_NE(form, nullptr);
  QApplication::setActiveWindow(form);
  form->txtData[1]->setFocus();
  QTest::keyClicks(form->txtData[1], "Via Roma 1");
  QTest::mouseClick(form->cmdSalva, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([] { return Scheda() == nullptr; }));
  EXPECT_EQ(currentValue("Nome"), Variant("Bianchi Srl")) << "the record saved stays current";

  QApplication::setActiveWindow(w.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  pressKey(gexView()->view(), Qt::Key_C, Qt::ControlModifier);
  form = SchedaAperta();
  ASSERT_NE(form, nullptr);
  QApplication::setActiveWindow(form);
  QTest::keyClicks(form->txtData[0], "Zorro Nuovo");
  QTest::mouseClick(form->cmdSalva, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([] { return Scheda() == nullptr; }));
  EXPECT_EQ(currentValue("Nome"), Variant("Zorro Nuovo")) << "a new record becomes current";
  EXPECT_TRUE(Evidenziata());
}

// The header marks the sorted column with the direction of the sort.
TEST_F(RigaCorrente, TheHeaderShowsTheSortDirection) {
  start();
  showView(4);
  const int nome = gexView()->column("Nome")->index() - 1;
  EXPECT_TRUE(header()->isSortIndicatorShown());
  EXPECT_EQ(header()->sortIndicatorSection(), nome);
  EXPECT_EQ(header()->sortIndicatorOrder(), Qt::AscendingOrder);
  clickHeader("Nome");
  EXPECT_EQ(header()->sortIndicatorSection(), nome);
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
int LarghezzaColonne(QHeaderView* header) {
  int totale = 0;
  for (int i = 0; i < header->count(); ++i)
    if (!header->isSectionHidden(i)) totale += header->sectionSize(i);
  return totale;
}

// A wide (maximised) window: the columns widen to use the width; their widths stay as the layout
// sets them, and a narrower window shows them at those widths again.
TEST_F(RigaCorrente, TheColumnsUseTheWidthOfAWideWindow) {
  start();
  showView(9);
  const int stretti = LarghezzaColonne(header());
  const int twips = gexView()->column(1)->width();
  w->resize(2400, 900);
  ASSERT_TRUE(QTest::qWaitFor([&] { return table()->viewport()->width() > stretti + 200; }));
  const int larghezza = table()->viewport()->width();
  EXPECT_LE(LarghezzaColonne(header()), larghezza);
  EXPECT_GE(LarghezzaColonne(header()), larghezza - header()->count());
  EXPECT_EQ(gexView()->column(1)->width(), twips);
  w->resize(900, 600);
  EXPECT_TRUE(QTest::qWaitFor([&] { return LarghezzaColonne(header()) <= stretti; }));
}

}  // namespace
