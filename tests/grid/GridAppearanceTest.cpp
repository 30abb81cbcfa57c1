#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QTableView>
#include <QTest>

#include "platform/runtime/Colors.h"
#include "tests/grid/GridTestSupport.h"

namespace {

using gridtest::GridFixture;

// Quote lines with a long description shown under each line, a navigator and a group-by box.
class GridAppearanceTest : public GridFixture {
 protected:
  void SetUp() override {
    GridFixture::SetUp();
    testdb::exec(cn,
                 "INSERT INTO CommessePre (CodCom, Codice, Descrizione, DescEstesa) VALUES ('C1', 'A', "
                 "'Scavo', 'riga 1\nriga 2\nriga 3')");
    testdb::exec(cn, "INSERT INTO CommessePre (CodCom, Codice, Descrizione) VALUES ('C1', 'B', 'Getto')");
    testdb::exec(cn, "INSERT INTO CommessePre (CodCom, Codice, Descrizione) VALUES ('C1', 'C', 'Armatura')");
    bind("SELECT * FROM CommessePre WHERE CodCom='C1' ORDER BY Codice");
  }
  QString navigatorText() {
    QStringList parts;
    for (const QLabel* l : grid->findChild<QWidget*>("navigatore")->findChildren<QLabel*>())
      parts << l->text();
    return parts.join(' ');
  }
  QTableView* table() { return qobject_cast<QTableView*>(grid->view()); }
  // Whether the area under a row's cells is painted as its preview: the grid's back colour with
  // text on it (the grid lines apart).
  bool inkUnder(int modelRow) {
    QTableView* t = table();
    const QImage shot = t->viewport()->grab().toImage();
    const int top = t->rowViewportPosition(modelRow) + t->verticalHeader()->defaultSectionSize();
    const int bottom = t->rowViewportPosition(modelRow) + t->rowHeight(modelRow) - 2;
    const QRgb background = OleColor(grid->backColor()).rgb();
    if (shot.pixel(2, top + 1) != background) return false;
    for (int x = 0; x < shot.width(); ++x) {
      const int column = t->columnAt(x);
      if (column < 0 || x >= t->columnViewportPosition(column) + t->columnWidth(column) - 2) continue;
      for (int y = top + 1; y < bottom; ++y)
        if (shot.pixel(x, y) != background) return true;
    }
    return false;
  }
};

TEST_F(GridAppearanceTest, BindingStartsOnTheFirstRowAndTheNavigatorFollows) {
  EXPECT_EQ(grid->row(), 1);
  grid->setRecordNavigator(true);
  grid->setRecordNavigatorString("riga:|/");
  EXPECT_TRUE(grid->findChild<QWidget*>("navigatore")->isVisible());
  EXPECT_EQ(navigatorText(), "riga: 1 / 3");
  grid->setRow(3);
  EXPECT_EQ(navigatorText(), "riga: 3 / 3");
  grid->setRecordNavigatorString("Record:|di");
  EXPECT_EQ(navigatorText(), "Record: 3 di 3");
  grid->setRecordNavigator(false);
  EXPECT_FALSE(grid->findChild<QWidget*>("navigatore")->isVisible());
}

TEST_F(GridAppearanceTest, PreviewRowsGrowUpToTheirLineLimit) {
  const int plain = table()->rowHeight(0);
  grid->setPreviewColumn(5);
  grid->setPreviewRowLines(2);
  EXPECT_GT(table()->rowHeight(0), plain);
  EXPECT_EQ(table()->rowHeight(1), plain);
  const int twoLines = table()->rowHeight(0);
  grid->setPreviewRowLines(20);
  EXPECT_GT(table()->rowHeight(0), twoLines);
  table()->viewport()->repaint();

  // A long text given to a line shows under it at once, and stays once the line is written.
  grid->setRow(2);
  grid->setValue(5, Variant(QStringLiteral("nota")));
  EXPECT_GT(table()->rowHeight(1), plain);
  ASSERT_TRUE(grid->updateRow());
  EXPECT_GT(table()->rowHeight(1), plain);

  // So does the long text of the new line, painted under it; once the line is written it stays
  // under that line, and the fresh new line is plain again.
  grid->setAllowAddNew(true);
  grid->rebind();
  grid->setRow(-1);
  grid->setValue(3, Variant(QStringLiteral("D")));
  grid->setValue(5, Variant(QStringLiteral("nota nuova")));
  EXPECT_GT(table()->rowHeight(3), plain);
  EXPECT_TRUE(inkUnder(3));
  ASSERT_TRUE(grid->updateRow());
  ASSERT_EQ(table()->model()->rowCount(), 5);
  EXPECT_GT(table()->rowHeight(3), plain);
  EXPECT_TRUE(inkUnder(3));
  EXPECT_EQ(table()->rowHeight(4), plain);
  EXPECT_GT(table()->rowHeight(0), plain) << "the other lines keep theirs";
  grid->setRow(-1);
  grid->setValue(5, Variant(QStringLiteral("annullata")));
  ASSERT_GT(table()->rowHeight(4), plain);
  grid->cancelRow();
  EXPECT_EQ(table()->rowHeight(4), plain) << "a line dropped takes its text along";
}

TEST_F(GridAppearanceTest, GroupByBoxShowsItsTextOrTheGroups) {
  grid->setGroupByBoxVisible(true);
  grid->setGroupByBoxText("Trascinare qui una colonna per raggruppare.");
  auto* box = grid->findChild<QLabel*>("raggruppamento");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_EQ(box->text(), "Trascinare qui una colonna per raggruppare.");
  grid->column(2)->setCaption("Commessa");
  grid->groups().add(2);
  EXPECT_EQ(box->text(), "Commessa");
  grid->groups().clear();
  EXPECT_EQ(box->text(), "Trascinare qui una colonna per raggruppare.");

  // A column header dropped on the box groups by that column.
  QMimeData mime;
  mime.setData("application/x-commesse-grid-column", "2");
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(box, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(box, &drop);
  ASSERT_EQ(grid->groups().count(), 1);
  EXPECT_EQ(grid->groups().item(1).column, 2);
  EXPECT_TRUE(grid->isGroupRow(1));
}

TEST_F(GridAppearanceTest, HiddenColumnsWidthsAndDraggingReachTheHeader) {
  grid->column(1)->setVisible(false);
  grid->column(3)->setWidth(1500);
  EXPECT_TRUE(table()->isColumnHidden(0));
  EXPECT_EQ(table()->columnWidth(2), 100);
  table()->horizontalHeader()->resizeSection(2, 120);
  EXPECT_EQ(grid->column(3)->width(), 1800);
  grid->setAllowColumnDrag(false);
  EXPECT_FALSE(table()->horizontalHeader()->sectionsMovable());
  grid->column(4)->setPosition(1);
  EXPECT_EQ(table()->horizontalHeader()->visualIndex(3), 0);
  EXPECT_EQ(grid->column(1)->position(), 2);
}

}  // namespace
