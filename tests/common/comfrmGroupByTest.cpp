#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

#include "common/comfrmGroupBy.h"
#include "tests/common/ToolGrid.h"
#include "tests/support/FormTestSupport.h"

namespace {

class GroupByTest : public GridToolTest<comfrmGroupBy, &comfrmGroupBy::GroupGrid> {
 protected:
  void SetUp() override {
    GridToolTest::SetUp();
    grid.groups().add(4, grid::Ascending);
  }
};

TEST_F(GroupByTest, UnchangedLevelsApplyNothingNotEvenTheExpandChoice) {
  open([](comfrmGroupBy* f) {
    EXPECT_EQ(f->windowTitle(), "Raggruppa");
    EXPECT_EQ(f->cboGroups[0]->count(), 5) << "no icon column";
    EXPECT_EQ(f->cboGroups[0]->findText("Stato"), -1);
    EXPECT_EQ(f->cboGroups[0]->currentText(), "Città");
    EXPECT_TRUE(f->optOrder[0]->isChecked());
    EXPECT_TRUE(f->cboGroups[1]->isEnabled());
    EXPECT_FALSE(f->cboGroups[2]->isEnabled());
    EXPECT_EQ(f->cboExpand->currentText(), "Espandi tutto");
    f->cboExpand->setCurrentIndex(1);
    EXPECT_EQ(f->cboExpand->currentText(), "Unisci tutto");
    click(f->cmdOK);
  });
  EXPECT_EQ(grid.groups().count(), 1);
  EXPECT_EQ(grid.rowCount(), 9) << "three groups still expanded";
}

TEST_F(GroupByTest, NewLevelsRegroupAndCollapseOrExpandAsChosen) {
  open([](comfrmGroupBy* f) {
    click(f->optOrder[1]);
    f->cboExpand->setCurrentIndex(1);
    click(f->cmdOK);
  });
  ASSERT_EQ(grid.groups().count(), 1);
  EXPECT_EQ(grid.groups().item(1), (grid::SortKey{4, grid::Descending}));
  EXPECT_EQ(grid.names(), (QStringList{"#", "#", "#"})) << "all collapsed";

  // "Pulisci tutto" and "OK" remove every group, then expand.
  open([](comfrmGroupBy* f) {
    click(f->cmdClearAll);
    for (int i = 1; i < 4; ++i) EXPECT_FALSE(f->cboGroups[i]->isEnabled());
    EXPECT_EQ(f->cboGroups[0]->currentText(), "(Vuoto)");
    click(f->cmdOK);
  });
  EXPECT_EQ(grid.groups().count(), 0);
  EXPECT_EQ(grid.rowCount(), 6);
}

// A grid grouped by its icon column and another one shows both groups, and "OK" keeps them.
TEST_F(GroupByTest, GroupsOnAnIconColumnShowAndStayWhenNothingChanges) {
  grid.groups().assign({{5, grid::Ascending}, {4, grid::Descending}});
  const int rows = grid.rowCount();
  open([](comfrmGroupBy* f) {
    EXPECT_EQ(f->cboGroups[0]->currentText(), "Stato");
    EXPECT_EQ(f->cboGroups[1]->currentText(), "Città");
    EXPECT_TRUE(f->optOrder[3]->isChecked());
    EXPECT_TRUE(f->cboGroups[2]->isEnabled());
    click(f->cmdOK);
  });
  EXPECT_EQ(grid.groups().keys(), (std::vector<grid::SortKey>{{5, grid::Ascending}, {4, grid::Descending}}));
  EXPECT_EQ(grid.rowCount(), rows);
}

}  // namespace
