#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "core/Globals.h"
#include "jobs/CostiGriglie.h"
#include "jobs/frm_io_Costi.h"
#include "platform/forms/SharedInstance.h"
#include "platform/grid/GridEX.h"
#include "tests/app/MainWindowFixture.h"

namespace {

using CostWindowFromMain = MainWindowFixture;

frm_io_Costi* costWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* costi = qobject_cast<frm_io_Costi*>(w); costi && costi->isVisible()) return costi;
  return nullptr;
}

TEST_F(CostWindowFromMain, NewAndOpenOnTheCostViewOpenTheCostWindowWhoseCloseShowsTheNewTotal) {
  start();
  showView(1);
  DataLavoro = QDate(2024, 3, 9);
  control<QAction>("mnuFileNew")->trigger();
  frm_io_Costi* costi = costWindow();
  ASSERT_NE(costi, nullptr);
  EXPECT_EQ(costi->parentWidget(), w.get());
  EXPECT_EQ(costi->cmdDateApply->text(), "sabato 09-marzo-2024");
  EXPECT_EQ(costi->cmdComSelect->text(), "Commessa: C'03") << "the lowest open code, apostrophe and all";
  EXPECT_EQ(costi->sgexStime->rowCount(), 1);

  grid::GridEX* g = costi->gexMan;
  g->setRow(-1);
  g->setValue(costi::colCodImp, Variant(std::int32_t(1)));
  g->setValue(costi::colQuantita, Variant(2.0));
  g->setValue(costi::colCostoUnitario, Variant(12.5));
  costi->close();
  ASSERT_TRUE(QTest::qWaitFor([] { return !forms::SharedInstance<frm_io_Costi>::loaded(); }));
  ASSERT_TRUE(selectRow("Data", Variant(QDate(2024, 3, 9))));
  EXPECT_EQ(currentValue("TotValore").toDouble(), 25);

  ASSERT_TRUE(selectRow("Data", Variant(QDate(2024, 3, 5))));
  control<QAction>("tbOpen")->trigger();
  costi = costWindow();
  ASSERT_NE(costi, nullptr);
  EXPECT_EQ(costi->cmdDateApply->text(), "martedì 05-marzo-2024");
  costi->close();
}

}  // namespace
