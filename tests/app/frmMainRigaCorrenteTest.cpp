#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "masterdata/frm_io_Clienti.h"
#include "platform/grid/GridEX.h"
#include "tests/app/DatiProva.h"
#include "tests/app/FinestraProva.h"

using datiprova::Conta;

namespace {

class RigaCorrente : public FinestraProva {
 protected:
  // The customer window shown, if any.
  static frm_io_Clienti* Scheda() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* c = qobject_cast<frm_io_Clienti*>(w); c && c->isVisible()) return c;
    return nullptr;
  }
  // The entry window that the main window opened, once it shows.
  static frm_io_Clienti* SchedaAperta() {
    return QTest::qWaitFor([] { return Scheda() != nullptr; }) ? Scheda() : nullptr;
  }
  bool Evidenziata() const {
    return tabella()->selectionModel()->isRowSelected(tabella()->currentIndex().row(), QModelIndex());
  }
  void ClicRiga(int riga, Qt::KeyboardModifiers modificatori = Qt::NoModifier) {
    const QRect cella = tabella()->visualRect(tabella()->model()->index(riga - 1, 2));
    QTest::mouseClick(tabella()->viewport(), Qt::LeftButton, modificatori, cella.center());
  }
};

// The row the commands act on is the row shown highlighted; after a deletion the list shows the
// row that followed, after a save the record saved.
TEST_F(RigaCorrente, TheListKeepsItsRecordHighlightedThroughClicksDeletionsAndSaves) {
  datiprova::EseguiSqlite("INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Aaa Primo')");
  datiprova::EseguiSqlite("INSERT INTO CliFor (Tipo, Nome) VALUES ('Cliente', 'Bbb Secondo')");
  Avvia();
  MostraVista(4);
  ASSERT_TRUE(SelezionaRiga("Nome", Variant("Bbb Secondo")));
  const int riga = w->gexView->row();
  ASSERT_GT(riga, 1);
  const Variant seguente = w->gexView->rowValue(riga + 1, w->gexView->column("Nome")->index());
  ClicRiga(riga + 1);
  ClicRiga(riga);
  const QRect ultima = tabella()->visualRect(tabella()->model()->index(w->gexView->rowCount() - 1, 2));
  QTest::mouseClick(tabella()->viewport(), Qt::LeftButton, Qt::NoModifier, ultima.center() + QPoint(0, 60));
  EXPECT_TRUE(Evidenziata()) << "a click below the rows";
  ClicRiga(riga, Qt::ControlModifier);
  EXPECT_TRUE(Evidenziata()) << "Ctrl and a click on the current row";
  EXPECT_EQ(ValoreCorrente("Nome"), Variant("Bbb Secondo"));
  Premi(w->gexView->view(), Qt::Key_Delete);
  EXPECT_EQ(Conta("SELECT * FROM CliFor WHERE Nome='Bbb Secondo'"), 0);
  EXPECT_EQ(ValoreCorrente("Nome"), seguente) << "the row that followed the deleted one";
  EXPECT_TRUE(Evidenziata());

  ASSERT_TRUE(SelezionaRiga("Nome", Variant("Bianchi Srl")));
  ASSERT_NE(w->gexView->row(), 1);
  Premi(w->gexView->view(), Qt::Key_Return);
  frm_io_Clienti* scheda = SchedaAperta();
  ASSERT_NE(scheda, nullptr);
  QApplication::setActiveWindow(scheda);
  scheda->txtData[1]->setFocus();
  QTest::keyClicks(scheda->txtData[1], "Via Roma 1");
  QTest::mouseClick(scheda->cmdSalva, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([] { return Scheda() == nullptr; }));
  EXPECT_EQ(ValoreCorrente("Nome"), Variant("Bianchi Srl")) << "the record saved stays current";

  QApplication::setActiveWindow(w.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  Premi(w->gexView->view(), Qt::Key_C, Qt::ControlModifier);
  scheda = SchedaAperta();
  ASSERT_NE(scheda, nullptr);
  QApplication::setActiveWindow(scheda);
  QTest::keyClicks(scheda->txtData[0], "Zorro Nuovo");
  QTest::mouseClick(scheda->cmdSalva, Qt::LeftButton);
  EXPECT_TRUE(QTest::qWaitFor([] { return Scheda() == nullptr; }));
  EXPECT_EQ(ValoreCorrente("Nome"), Variant("Zorro Nuovo")) << "a new record becomes current";
  EXPECT_TRUE(Evidenziata());
}

// The header marks the sorted column with the direction of the sort.
TEST_F(RigaCorrente, TheHeaderShowsTheSortDirection) {
  Avvia();
  MostraVista(4);
  const int nome = w->gexView->column("Nome")->index() - 1;
  EXPECT_TRUE(intestazione()->isSortIndicatorShown());
  EXPECT_EQ(intestazione()->sortIndicatorSection(), nome);
  EXPECT_EQ(intestazione()->sortIndicatorOrder(), Qt::AscendingOrder);
  ClicIntestazione("Nome");
  EXPECT_EQ(intestazione()->sortIndicatorSection(), nome);
  EXPECT_EQ(intestazione()->sortIndicatorOrder(), Qt::DescendingOrder);
  ClicIntestazione("Località");
  EXPECT_EQ(intestazione()->sortIndicatorSection(), w->gexView->column("Località")->index() - 1);
  EXPECT_EQ(intestazione()->sortIndicatorOrder(), Qt::AscendingOrder);
  MostraVista(9);
  EXPECT_EQ(intestazione()->isSortIndicatorShown(), w->gexView->sortKeys().count() > 0);
}

}  // namespace

namespace {

// The visible columns' widths as shown, in pixels.
int LarghezzaColonne(QHeaderView* intestazione) {
  int totale = 0;
  for (int i = 0; i < intestazione->count(); ++i)
    if (!intestazione->isSectionHidden(i)) totale += intestazione->sectionSize(i);
  return totale;
}

// A wide (maximised) window: the columns widen to use the width; their widths stay as the layout
// sets them, and a narrower window shows them at those widths again.
TEST_F(RigaCorrente, TheColumnsUseTheWidthOfAWideWindow) {
  Avvia();
  MostraVista(9);
  const int stretti = LarghezzaColonne(intestazione());
  const int twips = w->gexView->column(1)->width();
  w->resize(2400, 900);
  ASSERT_TRUE(QTest::qWaitFor([&] { return tabella()->viewport()->width() > stretti + 200; }));
  const int larghezza = tabella()->viewport()->width();
  EXPECT_LE(LarghezzaColonne(intestazione()), larghezza);
  EXPECT_GE(LarghezzaColonne(intestazione()), larghezza - intestazione()->count());
  EXPECT_EQ(w->gexView->column(1)->width(), twips);
  w->resize(900, 600);
  EXPECT_TRUE(QTest::qWaitFor([&] { return LarghezzaColonne(intestazione()) <= stretti; }));
}

}  // namespace
