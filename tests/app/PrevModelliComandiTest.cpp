#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "jobs/frm_io_PrevModelli.h"
#include "jobs/frm_io_PrevModelli_New.h"
#include "platform/grid/GridEX.h"
#include "tests/app/FinestraProva.h"

namespace {

using ModelliFinestra = FinestraProva;

template <class Form>
Form* UnicaAperta() {
  Form* trovata = nullptr;
  for (QWidget* finestra : QApplication::topLevelWidgets())
    if (auto* scheda = qobject_cast<Form*>(finestra); scheda && scheda->isVisible()) {
      if (trovata) return nullptr;
      trovata = scheda;
    }
  return trovata;
}

// New and Open on the templates view open the template windows; closing the edit window re-reads
// the view.
TEST_F(ModelliFinestra, NewAndOpenOnTheTemplatesViewOpenTheTemplateWindows) {
  Avvia();
  MostraVista(6);
  Premi(w->gexView->view(), Qt::Key_F5);
  auto* nuovo = UnicaAperta<frm_io_PrevModelli_New>();
  ASSERT_NE(nuovo, nullptr);
  EXPECT_EQ(nuovo->parentWidget(), w.get());
  delete nuovo;

  ASSERT_TRUE(SelezionaRiga("Descrizione", Variant("Ringhiera")));
  w->mnuFileApri->trigger();
  auto* modello = UnicaAperta<frm_io_PrevModelli>();
  ASSERT_NE(modello, nullptr);
  EXPECT_EQ(modello->txtData[0]->text(), "Ringhiera");
  EXPECT_EQ(modello->gex->recordCount(), 2);
  modello->txtData[0]->selectAll();
  QTest::keyClicks(modello->txtData[0], "Ringhiera zincata");
  modello->close();
  EXPECT_TRUE(SelezionaRiga("Descrizione", Variant("Ringhiera zincata")));
}

}  // namespace
