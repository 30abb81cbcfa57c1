#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "common/comfrmTableview.h"
#include "platform/runtime/Colors.h"
#include "tests/common/ToolGrid.h"
#include "tests/masterdata/FormTestSupport.h"

namespace {

// Clicks a check box on its box, where a user clicks it.
void tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

// Presses "Carattere..." k and answers the font dialog with the font, or cancels it (nullopt).
void chooseFont(comfrmTableview* f, int k, std::optional<QFont> font) {
  QTimer::singleShot(0, [f, font] {
    ASSERT_TRUE(QTest::qWaitFor([f] { return f->cdlFont->isVisible(); }));
    if (!font) {
      f->cdlFont->reject();
      return;
    }
    f->cdlFont->setCurrentFont(*font);
    f->cdlFont->accept();
  });
  click(f->cmdfont[k]);
}

QFont font(const QString& family, double points, bool bold = false) {
  QFont f(family);
  f.setPointSizeF(points);
  f.setBold(bold);
  return f;
}

using TableviewTest = GridToolTest<comfrmTableview, &comfrmTableview::FormatGrid>;

TEST_F(TableviewTest, OpensShowingTheGridsFontsAndSettings) {
  EXPECT_EQ(comfrmTableview::previewPoints(8.5), 8);
  EXPECT_EQ(comfrmTableview::previewPoints(9.5), 10);
  EXPECT_EQ(comfrmTableview::previewPoints(10.5), 10);

  grid.setHeaderFont(font("Sans Serif", 8.5, true));
  grid.setGridFont(font("Serif", 9.5));
  grid.setHeaderForeColor(0x0000FF);
  grid.setGridLines(true);
  grid.setGridLineStyle(7);
  grid.setGroupHeaderBackColor(0x8000000F);
  grid.setAllowEdit(false);
  grid.setColumnAutoResize(true);
  open([](comfrmTableview* f) {
    EXPECT_EQ(f->windowTitle(), "Formatta");
    EXPECT_EQ(f->lblcurrfont[0]->text(), "8 pt. Sans Serif");
    EXPECT_EQ(f->lblcurrfont[1]->text(), "10 pt. Serif");
    EXPECT_TRUE(f->lblcurrfont[0]->font().bold());
    EXPECT_EQ(f->lblcurrfont[0]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(f->cboGridlines->currentIndex(), -1) << "a line style no entry carries";
    EXPECT_TRUE(f->chkgrouphead->isChecked());
    EXPECT_FALSE(f->chkAllowed->isChecked());
    EXPECT_FALSE(f->chknewrow->isChecked());
    EXPECT_FALSE(f->chknewrow->isEnabled());
    EXPECT_TRUE(f->chkAutoColSize->isChecked());
    tick(f->chkAllowed);
    EXPECT_TRUE(f->chknewrow->isEnabled());
    click(f->cmdOK);
  });
  EXPECT_FALSE(grid.allowEdit()) << "only the fonts are written back";

  grid.setGridLineStyle(grid::LineDots);
  grid.setGroupHeaderBackColor(0xC0C0C0);
  grid.setAllowEdit(true);
  open([](comfrmTableview* f) {
    EXPECT_EQ(f->cboGridlines->currentText(), "Punti");
    EXPECT_FALSE(f->chkgrouphead->isChecked()) << "an explicit grey is not the button face";
    EXPECT_TRUE(f->chkAllowed->isChecked());
    EXPECT_TRUE(f->chknewrow->isChecked());
    tick(f->chkAllowed);
    EXPECT_FALSE(f->chknewrow->isChecked());
    click(f->cmdCancel);
  });
  EXPECT_TRUE(grid.newRowVisible());

  grid.setGridLines(false);
  open([](comfrmTableview* f) {
    EXPECT_EQ(f->cboGridlines->currentText(), "Senza linee");
    f->close();
  });
}

TEST_F(TableviewTest, OnlyOKWritesTheTwoChosenFonts) {
  const QFont header = font("Sans Serif", 10);
  const QFont rows = font("Sans Serif", 9);
  grid.setHeaderFont(header);
  grid.setGridFont(rows);
  const quint32 colour = grid.foreColor();
  const QFont chosen = font("Serif", 12);

  open([&](comfrmTableview* f) {
    chooseFont(f, 0, chosen);
    EXPECT_EQ(f->lblcurrfont[0]->text(), "12 pt. Serif");
    click(f->cmdCancel);
  });
  EXPECT_EQ(grid.headerFont(), header);

  open([&](comfrmTableview* f) {
    chooseFont(f, 1, chosen);
    chooseFont(f, 1, std::nullopt);
    EXPECT_EQ(f->lblcurrfont[1]->text(), "12 pt. Serif") << "a cancelled font dialog changes nothing";
    click(f->cmdOK);
  });
  EXPECT_EQ(grid.headerFont(), header);
  EXPECT_EQ(grid.gridFont().family(), "Serif");
  EXPECT_EQ(grid.gridFont().pointSizeF(), 12);
  EXPECT_EQ(grid.foreColor(), colour);
}

}  // namespace
