#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "jobs/frm_io_PrevModelli.h"
#include "jobs/frm_io_PrevModelli_New.h"
#include "platform/grid/GridEX.h"
#include "tests/app/MainWindowFixture.h"

namespace {

using MainWindowTemplates = MainWindowFixture;

template <class Form>
Form* onlyOpenForm() {
  Form* found = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<Form*>(window); form && form->isVisible()) {
      if (found) return nullptr;
      found = form;
    }
  return found;
}

// New and Open on the templates view open the template windows; closing the edit window re-reads
// the view.
TEST_F(MainWindowTemplates, NewAndOpenOnTheTemplatesViewOpenTheTemplateWindows) {
  start();
  showView(6);
  pressKey(gexView()->view(), Qt::Key_F5);
  auto* newItems = onlyOpenForm<frm_io_PrevModelli_New>();
  ASSERT_NE(newItems, nullptr);
  EXPECT_EQ(newItems->parentWidget(), w.get());
  delete newItems;

  ASSERT_TRUE(selectRow("Descrizione", Variant("Ringhiera")));
  control<QAction>("mnuFileOpen")->trigger();
  auto* model = onlyOpenForm<frm_io_PrevModelli>();
  ASSERT_NE(model, nullptr);
  EXPECT_EQ(model->txtData[0]->text(), "Ringhiera");
  EXPECT_EQ(model->gex->recordCount(), 2);
  model->txtData[0]->selectAll();
  QTest::keyClicks(model->txtData[0], "Ringhiera zincata");
  model->close();
  EXPECT_TRUE(selectRow("Descrizione", Variant("Ringhiera zincata")));
}

}  // namespace
