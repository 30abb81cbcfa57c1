#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "jobs/frm_io_PrevModelli.h"
#include "jobs/frm_io_PrevModelli_New.h"
#include "platform/grid/GridEX.h"
#include "tests/app/MainWindowFixture.h"

namespace {

using ModelliFinestra = MainWindowFixture;

template <class Form>
Form* UnicaAperta() {
  Form* trovata = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<Form*>(window); form && form->isVisible()) {
      if (trovata) return nullptr;
      trovata = form;
    }
  return trovata;
}

// New and Open on the templates view open the template windows; closing the edit window re-reads
// the view.
TEST_F(ModelliFinestra, NewAndOpenOnTheTemplatesViewOpenTheTemplateWindows) {
  start();
  showView(6);
  pressKey(gexView()->view(), Qt::Key_F5);
  auto* newItems = UnicaAperta<frm_io_PrevModelli_New>();
  ASSERT_NE(newItems, nullptr);
  EXPECT_EQ(newItems->parentWidget(), w.get());
  delete newItems;

  ASSERT_TRUE(selectRow("Descrizione", Variant("Ringhiera")));
  control<QAction>("mnuFileOpen")->trigger();
  auto* modello = UnicaAperta<frm_io_PrevModelli>();
  ASSERT_NE(modello, nullptr);
  EXPECT_EQ(modello->txtData[0]->text(), "Ringhiera");
  EXPECT_EQ(modello->gex->recordCount(), 2);
  modello->txtData[0]->selectAll();
  QTest::keyClicks(modello->txtData[0], "Ringhiera zincata");
  modello->close();
  EXPECT_TRUE(selectRow("Descrizione", Variant("Ringhiera zincata")));
}

}  // namespace
