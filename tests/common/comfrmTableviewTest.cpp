#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "common/comfrmTableview.h"
#include "platform/forms/FontDialog.h"
#include "platform/runtime/Colors.h"
#include "tests/common/ToolGrid.h"
#include "tests/support/FormTestSupport.h"

namespace {

// Clicks a check box on its box, where a user clicks it.
void tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

// Presses "Carattere..." k and answers the font dialog from the keyboard: the font and, when given, a
// colour typed into its colour list, then Enter; without a font, Esc.
void chooseFont(comfrmTableview* f, int k, std::optional<QFont> font, const QString& colour = {}) {
  QTimer::singleShot(0, [f, font, colour] {
    ASSERT_TRUE(QTest::qWaitFor([f] { return f->cdlFont->isVisible(); }));
    activate(f->cdlFont);
    if (font) {
      f->cdlFont->fontChooser->setCurrentFont(*font);
      if (!colour.isEmpty()) {
        press(Qt::Key_O, Qt::AltModifier);
        type(colour);
      }
    }
    press(font ? Qt::Key_Return : Qt::Key_Escape);
    if (!QTest::qWaitFor([f] { return !f->cdlFont->isVisible(); })) {
      ADD_FAILURE() << "the key did not close the font dialog";
      f->cdlFont->reject();
    }
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

TEST_F(TableviewTest, OnlyOKWritesTheTwoChosenFontsAndTheColoursOnlyTintThePreviews) {
  const QFont header = font("Sans Serif", 10);
  const QFont rows = font("Sans Serif", 9);
  grid.setHeaderFont(header);
  grid.setGridFont(rows);
  grid.setHeaderForeColor(0x800000);
  grid.setForeColor(0x008000);
  const QFont chosen = font("Serif", 12);
  const auto previewColour = [](QLabel* preview) { return preview->palette().color(QPalette::WindowText); };

  open([&](comfrmTableview* f) {
    chooseFont(f, 0, chosen, "Rosso");
    EXPECT_EQ(f->lblcurrfont[0]->text(), "12 pt. Serif");
    EXPECT_EQ(previewColour(f->lblcurrfont[0]), QColor(Qt::red));
    click(f->cmdCancel);
  });
  EXPECT_EQ(grid.headerFont(), header);

  open([&](comfrmTableview* f) {
    EXPECT_EQ(previewColour(f->lblcurrfont[0]), QColor(0, 0, 128)) << "each opening starts from the grid";
    chooseFont(f, 1, chosen, "Fucsia");
    EXPECT_EQ(previewColour(f->lblcurrfont[1]), QColor(Qt::magenta));
    EXPECT_EQ(previewColour(f->lblcurrfont[0]), QColor(0, 0, 128)) << "only the chosen preview changes";
    chooseFont(f, 1, std::nullopt);
    EXPECT_EQ(f->lblcurrfont[1]->text(), "12 pt. Serif") << "a cancelled font dialog changes nothing";
    EXPECT_EQ(previewColour(f->lblcurrfont[1]), QColor(Qt::magenta));
    chooseFont(f, 1, chosen);
    EXPECT_EQ(previewColour(f->lblcurrfont[1]), QColor(Qt::magenta))
        << "the dialog starts from the colour chosen";
    click(f->cmdOK);
  });
  EXPECT_EQ(grid.headerFont(), header);
  EXPECT_EQ(grid.gridFont().family(), "Serif");
  EXPECT_EQ(grid.gridFont().pointSizeF(), 12);
  EXPECT_EQ(grid.headerForeColor(), 0x800000u) << "the colours are never written to the grid";
  EXPECT_EQ(grid.foreColor(), 0x008000u);
}

}  // namespace
