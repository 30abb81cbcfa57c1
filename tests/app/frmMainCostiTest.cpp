#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "core/Globals.h"
#include "jobs/CostGrids.h"
#include "jobs/frm_io_Costi.h"
#include "platform/forms/SharedInstance.h"
#include "platform/grid/GridEX.h"
#include "tests/app/MainWindowFixture.h"

namespace {

using CostWindowFromMain = MainWindowFixture;

frm_io_Costi* costWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<frm_io_Costi*>(w); window && window->isVisible()) return window;
  return nullptr;
}

TEST_F(CostWindowFromMain, NewAndOpenOnTheCostViewOpenTheCostWindowWhoseCloseShowsTheNewTotal) {
  start();
  showView(1);
  DataLavoro = QDate(2024, 3, 9);
  control<QAction>("mnuFileNew")->trigger();
  frm_io_Costi* window = costWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->parentWidget(), w.get());
  EXPECT_EQ(window->cmdDateApply->text(), "sabato 09-marzo-2024");
  EXPECT_EQ(window->cmdComSelect->text(), "Commessa: C'03") << "the lowest open code, apostrophe and all";
  EXPECT_EQ(window->sgexStime->rowCount(), 1);

  grid::GridEX* g = window->gexMan;
  g->setRow(-1);
  g->setValue(costs::colCodImp, Variant(std::int32_t(1)));
  g->setValue(costs::colQuantita, Variant(2.0));
  g->setValue(costs::colCostoUnitario, Variant(12.5));
  window->close();
  ASSERT_TRUE(QTest::qWaitFor([] { return !forms::SharedInstance<frm_io_Costi>::loaded(); }));
  ASSERT_TRUE(selectRow("Data", Variant(QDate(2024, 3, 9))));
  EXPECT_EQ(currentValue("TotValore").toDouble(), 25);

  ASSERT_TRUE(selectRow("Data", Variant(QDate(2024, 3, 5))));
  control<QAction>("tbOpen")->trigger();
  window = costWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->cmdDateApply->text(), "martedì 05-marzo-2024");
  window->close();
}

}  // namespace
