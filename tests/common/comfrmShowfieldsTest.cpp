#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "common/comfrmShowfields.h"
#include "tests/common/ToolGrid.h"
#include "tests/support/FormTestSupport.h"

namespace {

QStringList entries(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

QString selection(const QListWidget* list) {
  return list->selectedItems().isEmpty() ? QStringLiteral("-") : list->selectedItems().first()->text();
}

// "Aggiungi", "Elimina", "Sù", "Giù" as enabled (1) or not (0).
QString buttons(const comfrmShowfields* f) {
  QString out;
  for (const QPushButton* b : {f->cmdAdd, f->cmdRemove, f->cmdUp, f->cmdDown})
    out += b->isEnabled() ? '1' : '0';
  return out;
}

void doubleClick(QListWidget* list, int row) {
  const QPoint at = list->visualItemRect(list->item(row)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

bool showFields(grid::GridEX& grid, const std::function<void(comfrmShowfields*)>& drive) {
  return runModal([&] { return Variant(comfrmShowfields::ShowFields(grid)); },
                  [&](QWidget* w) { drive(qobject_cast<comfrmShowfields*>(w)); })
      .toBool();
}

TEST(ShowfieldsTest, MovesAndOrdersTheColumnsAndConfirmingRewritesEveryListedOne) {
  ToolGrid grid;
  grid.column(2)->setVisible(false);
  grid.column(3)->setVisible(false);
  grid.show();
  const bool confirmed = showFields(grid, [](comfrmShowfields* f) {
    EXPECT_EQ(f->windowTitle(), "Visualizza/Nascondi i Campi");
    EXPECT_EQ(entries(f->lstAvail), QStringList{"Nome"}) << "a column without caption is not listed";
    EXPECT_EQ(entries(f->lstVisible), (QStringList{"Codice", "Città", "Stato"}));
    EXPECT_EQ(selection(f->lstAvail), "Nome");
    EXPECT_EQ(selection(f->lstVisible), "Codice");
    EXPECT_EQ(buttons(f), "1101");

    click(f->cmdAdd);
    EXPECT_TRUE(entries(f->lstAvail).isEmpty());
    EXPECT_EQ(selection(f->lstAvail), "-");
    EXPECT_EQ(entries(f->lstVisible), (QStringList{"Codice", "Città", "Stato", "Nome"}));
    EXPECT_EQ(selection(f->lstVisible), "Nome");
    EXPECT_EQ(buttons(f), "0110");

    click(f->cmdUp);
    click(f->cmdUp);
    click(f->cmdUp);
    EXPECT_EQ(entries(f->lstVisible), (QStringList{"Nome", "Codice", "Città", "Stato"}));
    EXPECT_EQ(buttons(f), "0101");
    click(f->cmdUp);  // already first
    click(f->cmdDown);
    EXPECT_EQ(entries(f->lstVisible), (QStringList{"Codice", "Nome", "Città", "Stato"}));
    f->lstVisible->setCurrentRow(3);
    click(f->cmdRemove);
    EXPECT_EQ(entries(f->lstAvail), QStringList{"Stato"});
    EXPECT_EQ(selection(f->lstVisible), "Città") << "the one before, when the old place is past the end";
    click(f->cmdOK);
  });
  EXPECT_TRUE(confirmed);
  EXPECT_TRUE(grid.column(1)->visible());
  EXPECT_TRUE(grid.column(2)->visible());
  EXPECT_FALSE(grid.column(3)->visible()) << "the column without caption is left alone";
  EXPECT_TRUE(grid.column(4)->visible());
  EXPECT_FALSE(grid.column(5)->visible());
  EXPECT_EQ(grid.column(1)->position(), 1);
  EXPECT_EQ(grid.column(2)->position(), 2);
  EXPECT_EQ(grid.column(4)->position(), 3);
}

TEST(ShowfieldsTest, TheLastShownColumnStaysAndCancellingLeavesTheGridAsItWas) {
  ToolGrid grid;
  for (int c : {2, 4, 5}) grid.column(c)->setVisible(false);
  grid.column(4)->setPosition(1);
  grid.show();
  const QString before = grid.layoutString();
  const bool confirmed = showFields(grid, [](comfrmShowfields* f) {
    EXPECT_EQ(entries(f->lstVisible), QStringList{"Codice"});
    click(f->cmdRemove);
    doubleClick(f->lstVisible, 0);
    EXPECT_EQ(entries(f->lstVisible), QStringList{"Codice"}) << "the last shown column cannot be hidden";

    f->lstAvail->setCurrentRow(f->lstAvail->count() - 1);
    const QString last = selection(f->lstAvail);
    click(f->cmdAdd);
    EXPECT_EQ(selection(f->lstAvail), entries(f->lstAvail).last()) << "the new last entry";
    doubleClick(f->lstAvail, 0);
    EXPECT_EQ(entries(f->lstVisible).size(), 3);
    EXPECT_EQ(entries(f->lstVisible)[1], last);
    doubleClick(f->lstVisible, 0);
    EXPECT_EQ(entries(f->lstVisible).size(), 2);
    click(f->cmdCancel);
  });
  EXPECT_FALSE(confirmed);
  EXPECT_EQ(grid.layoutString(), before);

  EXPECT_FALSE(showFields(grid, [](comfrmShowfields* f) {
    click(f->cmdAdd);
    f->close();
  })) << "the close box counts as Annulla";
  EXPECT_EQ(grid.layoutString(), before);
}

}  // namespace
