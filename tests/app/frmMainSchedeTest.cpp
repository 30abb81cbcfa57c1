#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "masterdata/frm_io_Clienti.h"
#include "masterdata/frm_io_Fornitori_01.h"
#include "masterdata/frm_io_IVA.h"
#include "platform/grid/GridEX.h"
#include "tests/app/FinestraProva.h"

namespace {

using SchedeFinestra = FinestraProva;

template <class Form>
QList<Form*> Aperte() {
  QList<Form*> schede;
  for (QWidget* finestra : QApplication::topLevelWidgets())
    if (auto* scheda = qobject_cast<Form*>(finestra); scheda && scheda->isVisible()) schede << scheda;
  return schede;
}

TEST_F(SchedeFinestra, CtrlLetterOpensANewRecordOfTheLastViewWithThatLetter) {
  Avvia();
  Premi(w->gexView->view(), Qt::Key_C, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([] { return !Aperte<frm_io_Clienti>().isEmpty(); }));
  QApplication::processEvents();
  ASSERT_EQ(Aperte<frm_io_Clienti>().size(), 1);
  EXPECT_EQ(Aperte<frm_io_Clienti>()[0]->mode(), 1);
  EXPECT_EQ(w->lblTitle->text(), "Commesse");
  qDeleteAll(Aperte<frm_io_Clienti>());

  // From the find box too; no view has R.
  QApplication::setActiveWindow(w.get());
  Premi(w->txtFind, Qt::Key_R, Qt::ControlModifier);
  Premi(w->txtFind, Qt::Key_I, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([] { return !Aperte<frm_io_IVA>().isEmpty(); }));
  QApplication::processEvents();
  EXPECT_EQ(Aperte<frm_io_IVA>().size(), 1);
  EXPECT_TRUE(Aperte<frm_io_Clienti>().isEmpty());
  qDeleteAll(Aperte<frm_io_IVA>());
}

TEST_F(SchedeFinestra, EnterOpensTheRecordOfTheRowButNotOfAGroupRow) {
  Avvia();
  MostraVista(4);
  ASSERT_TRUE(SelezionaRiga("Nome", Variant("Bianchi Srl")));
  Premi(w->gexView->view(), Qt::Key_Return);
  ASSERT_EQ(Aperte<frm_io_Clienti>().size(), 1);
  frm_io_Clienti* scheda = Aperte<frm_io_Clienti>()[0];
  EXPECT_EQ(scheda->mode(), 2);
  EXPECT_EQ(scheda->line(0)->text(), "Bianchi Srl");
  delete scheda;

  w->gexView->groups().add(w->gexView->column("Località")->index());
  w->gexView->setRow(1);
  ASSERT_TRUE(w->gexView->isGroupRow());
  QApplication::setActiveWindow(w.get());
  Premi(w->gexView->view(), Qt::Key_Return);
  Premi(w->txtFind, Qt::Key_Return);
  w->mnuFileApri->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(Aperte<frm_io_Clienti>().isEmpty());

  // Several windows can be open at once: one per command.
  w->gexView->groups().clear();
  ASSERT_TRUE(SelezionaRiga("Nome", Variant("Rossi Mario")));
  w->tbApri->trigger();
  QTest::mouseDClick(tabella()->viewport(), Qt::LeftButton, Qt::NoModifier,
                     tabella()->visualRect(tabella()->currentIndex()).center());
  QApplication::setActiveWindow(w.get());
  Premi(w->txtFind, Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(Aperte<frm_io_Clienti>().size(), 3);
  qDeleteAll(Aperte<frm_io_Clienti>());
}

TEST_F(SchedeFinestra, NewFromAnyViewOpensTheChosenViewsWindow) {
  Avvia();
  MostraVista(9);
  w->mnuNuovoItem[4]->trigger();  // "Fornitore"
  EXPECT_EQ(Aperte<frm_io_Fornitori_01>().size(), 1);
  EXPECT_TRUE(Aperte<frm_io_IVA>().isEmpty());
  QApplication::setActiveWindow(w.get());
  Premi(w->gexView->view(), Qt::Key_F5);
  EXPECT_EQ(Aperte<frm_io_IVA>().size(), 1);
  qDeleteAll(Aperte<frm_io_Fornitori_01>());
  qDeleteAll(Aperte<frm_io_IVA>());
}

}  // namespace
