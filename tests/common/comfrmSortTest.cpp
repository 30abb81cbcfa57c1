#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "common/comfrmSort.h"
#include "tests/common/ToolGrid.h"
#include "tests/support/FormTestSupport.h"

namespace {

// Each level as "caption/direction", the direction "+" or "-", "x" for a disabled list.
QStringList levels(const GridLevelsDialog* f) {
  QStringList out;
  for (int i = 0; i < GridLevelsDialog::kLevels; ++i) {
    QString level =
        f->cboGroups[i]->isEnabled() ? f->cboGroups[i]->currentText() : "x" + f->cboGroups[i]->currentText();
    if (f->optOrder[2 * i]->isEnabled()) level += f->optOrder[2 * i]->isChecked() ? "/+" : "/-";
    out << level;
  }
  return out;
}

std::vector<grid::SortKey> keysOf(const grid::SortKeyList& list) { return list.keys(); }

class SortTest : public GridToolTest<comfrmSort, &comfrmSort::SortGrid> {
 protected:
  void SetUp() override {
    GridToolTest::SetUp();
    grid.sortKeys().assign({{4, grid::Ascending}, {2, grid::Descending}});
  }
};

TEST_F(SortTest, OpensOnTheGridsKeysAndOffersEveryColumn) {
  open([](comfrmSort* f) {
    EXPECT_EQ(f->windowTitle(), "Ordina");
    EXPECT_EQ(f->frames[0]->title(), "Ordina per");
    EXPECT_EQ(f->frames[3]->title(), "Quindi per");
    EXPECT_EQ(f->cboGroups[0]->count(), 6)
        << "(Vuoto) and all five columns, the icon and the uncaptioned one too";
    EXPECT_EQ(f->cboGroups[0]->itemText(0), "(Vuoto)");
    EXPECT_EQ(levels(f), (QStringList{"Città/+", "Nome/-", "(Vuoto)", "x(Vuoto)"}));
    click(f->cmdOK);
  });
  EXPECT_EQ(keysOf(grid.sortKeys()), (std::vector<grid::SortKey>{{4, 1}, {2, -1}}));
  EXPECT_EQ(grid.names(), (QStringList{"Verdi", "Rossi", "Conti", "Bianchi", "Bassi", "Neri"}));
}

TEST_F(SortTest, ChangedLevelsRebuildTheKeysAndSortTheGridAgain) {
  // Only a direction changed: every key is rebuilt.
  open([](comfrmSort* f) {
    click(f->optOrder[3]);
    click(f->optOrder[2]);
    click(f->cmdOK);
  });
  EXPECT_EQ(keysOf(grid.sortKeys()), (std::vector<grid::SortKey>{{4, 1}, {2, 1}}));
  EXPECT_EQ(grid.names(), (QStringList{"Rossi", "Verdi", "Bassi", "Bianchi", "Conti", "Neri"}));

  // A third level with the same column as the first; a new column starts ascending.
  open([](comfrmSort* f) {
    f->cboGroups[2]->setCurrentIndex(4);
    click(f->optOrder[5]);
    EXPECT_EQ(levels(f), (QStringList{"Città/+", "Nome/+", "Città/-", "(Vuoto)"}));
    f->cboGroups[1]->setCurrentIndex(1);
    EXPECT_EQ(levels(f), (QStringList{"Città/+", "Codice/+", "Città/-", "(Vuoto)"}))
        << "choosing a column keeps the levels below";
    click(f->cmdOK);
  });
  EXPECT_EQ(keysOf(grid.sortKeys()), (std::vector<grid::SortKey>{{4, 1}, {1, 1}, {4, -1}}));

  // "(Vuoto)" on level 1 of three empties the levels below it.
  open([](comfrmSort* f) {
    f->cboGroups[1]->setCurrentIndex(0);
    EXPECT_EQ(levels(f), (QStringList{"Città/+", "(Vuoto)", "x(Vuoto)", "x(Vuoto)"}));
    click(f->cmdOK);
  });
  EXPECT_EQ(keysOf(grid.sortKeys()), (std::vector<grid::SortKey>{{4, 1}}));
}

TEST_F(SortTest, TheFirstLevelCannotBeLeftEmptyButTheDialogCanBeCancelled) {
  open([this](comfrmSort* f) {
    f->cboGroups[0]->setFocus();
    f->cboGroups[0]->setCurrentIndex(0);
    EXPECT_EQ(levels(f), (QStringList{"(Vuoto)", "x(Vuoto)", "x(Vuoto)", "x(Vuoto)"}));
    press(Qt::Key_Tab);
    EXPECT_EQ(messages, QStringList{"Inserire almeno un Campo di ordinamento"});
    EXPECT_EQ(focused(), f->cboGroups[0]);
    click(f->cmdOK);
    EXPECT_EQ(messages.size(), 2);
    EXPECT_TRUE(f->isVisible()) << "OK was not pressed";
    click(f->cmdCancel);
  });
  EXPECT_EQ(messages.size(), 2);
  EXPECT_EQ(keysOf(grid.sortKeys()), (std::vector<grid::SortKey>{{4, 1}, {2, -1}}));

  open([](comfrmSort* f) {
    click(f->cmdClearAll);
    f->close();
  });
  EXPECT_EQ(keysOf(grid.sortKeys()), (std::vector<grid::SortKey>{{4, 1}, {2, -1}}))
      << "the close box is Annulla";
}

}  // namespace
