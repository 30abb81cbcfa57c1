#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>

#include "masterdata/frm_io_Clienti.h"
#include "masterdata/frm_io_Fornitori_01.h"
#include "masterdata/frm_io_IVA.h"
#include "platform/grid/GridEX.h"
#include "tests/app/MainWindowFixture.h"

namespace {

using MainWindowForms = MainWindowFixture;

template <class Form>
QList<Form*> Aperte() {
  QList<Form*> forms;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* form = qobject_cast<Form*>(window); form && form->isVisible()) forms << form;
  return forms;
}

TEST_F(MainWindowForms, CtrlLetterOpensANewRecordOfTheLastViewWithThatLetter) {
  start();
  pressKey(gexView()->view(), Qt::Key_C, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([] { return !Aperte<frm_io_Clienti>().isEmpty(); }));
  QApplication::processEvents();
  ASSERT_EQ(Aperte<frm_io_Clienti>().size(), 1);
  EXPECT_EQ(Aperte<frm_io_Clienti>()[0]->mode(), 1);
  EXPECT_EQ(lblTitle()->text(), "Commesse");
  qDeleteAll(Aperte<frm_io_Clienti>());

  // From the find box too; no view has R.
  QApplication::setActiveWindow(w.get());
  pressKey(txtFind(), Qt::Key_R, Qt::ControlModifier);
  pressKey(txtFind(), Qt::Key_I, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([] { return !Aperte<frm_io_IVA>().isEmpty(); }));
  QApplication::processEvents();
  EXPECT_EQ(Aperte<frm_io_IVA>().size(), 1);
  EXPECT_TRUE(Aperte<frm_io_Clienti>().isEmpty());
  qDeleteAll(Aperte<frm_io_IVA>());
}

TEST_F(MainWindowForms, EnterOpensTheRecordOfTheRowButNotOfAGroupRow) {
  start();
  showView(4);
  ASSERT_TRUE(selectRow("Nome", Variant("Bianchi Srl")));
  pressKey(gexView()->view(), Qt::Key_Return);
  ASSERT_EQ(Aperte<frm_io_Clienti>().size(), 1);
  frm_io_Clienti* form = Aperte<frm_io_Clienti>()[0];
  EXPECT_EQ(form->mode(), 2);
  EXPECT_EQ(form->line(0)->text(), "Bianchi Srl");
  delete form;

  gexView()->groups().add(gexView()->column("Località")->index());
  gexView()->setRow(1);
  ASSERT_TRUE(gexView()->isGroupRow());
  QApplication::setActiveWindow(w.get());
  pressKey(gexView()->view(), Qt::Key_Return);
  pressKey(txtFind(), Qt::Key_Return);
  control<QAction>("mnuFileOpen")->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(Aperte<frm_io_Clienti>().isEmpty());

  // Several windows can be open at once: one per command.
  gexView()->groups().clear();
  ASSERT_TRUE(selectRow("Nome", Variant("Rossi Mario")));
  control<QAction>("tbOpen")->trigger();
  QTest::mouseDClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier,
                     table()->visualRect(table()->currentIndex()).center());
  QApplication::setActiveWindow(w.get());
  pressKey(txtFind(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(Aperte<frm_io_Clienti>().size(), 3);
  qDeleteAll(Aperte<frm_io_Clienti>());
}

TEST_F(MainWindowForms, NewFromAnyViewOpensTheChosenViewsWindow) {
  start();
  showView(9);
  control<QMenu>("mnuFileNewSub")->actions()[4]->trigger();  // "Fornitore"
  EXPECT_EQ(Aperte<frm_io_Fornitori_01>().size(), 1);
  EXPECT_TRUE(Aperte<frm_io_IVA>().isEmpty());
  QApplication::setActiveWindow(w.get());
  pressKey(gexView()->view(), Qt::Key_F5);
  EXPECT_EQ(Aperte<frm_io_IVA>().size(), 1);
  qDeleteAll(Aperte<frm_io_Fornitori_01>());
  qDeleteAll(Aperte<frm_io_IVA>());
}

}  // namespace
