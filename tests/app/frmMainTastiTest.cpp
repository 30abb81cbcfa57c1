#include <QApplication>
#include <QComboBox>
#include <QAbstractItemView>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include "platform/grid/GridEX.h"
#include "platform/runtime/Colors.h"
#include "tests/app/DatiProva.h"
#include "tests/app/FinestraProva.h"

namespace {

class TastiFinestra : public FinestraProva {
 protected:
  void SetUp() override {
    FinestraProva::SetUp();
    datiprova::EseguiSqlite(
        "INSERT INTO CliFor (IdCliFor, Tipo, Nome, Località) VALUES (6, 'Cliente', 'Rossetti Anna', 'Lodi')");
    Avvia();
    MostraVista(4);
  }
  int colonna(const QString& chiave) const { return w->gexView->column(chiave)->index(); }
};

TEST_F(TastiFinestra, AHeaderClickSortsOnThatColumnAndAgainReversesIt) {
  ClicIntestazione("Località");
  ASSERT_EQ(w->gexView->sortKeys().count(), 1);
  EXPECT_EQ(w->gexView->sortKeys().item(1), (grid::SortKey{colonna("Località"), grid::Ascending}));
  EXPECT_EQ(w->lblFind->text(), "Trova in " + w->gexView->column("Località")->caption());
  for (int i = 1; i <= w->gexView->columnCount(); ++i)
    EXPECT_EQ(w->gexView->column(i)->cellStyle(), i == colonna("Località") ? "SortedCol" : "Default") << i;
  EXPECT_EQ(QApplication::focusWidget(), w->gexView->view());
  EXPECT_EQ(w->gexView->rowValue(1, colonna("Località")), Variant("Asti"));

  ClicIntestazione("Località");
  EXPECT_EQ(w->gexView->sortKeys().item(1), (grid::SortKey{colonna("Località"), grid::Descending}));
  EXPECT_EQ(w->gexView->rowValue(1, colonna("Località")), Variant("Verona"));

  ClicIntestazione("Nome");
  ASSERT_EQ(w->gexView->sortKeys().count(), 1);
  EXPECT_EQ(w->gexView->sortKeys().item(1), (grid::SortKey{colonna("Nome"), grid::Ascending}));
  EXPECT_EQ(w->gexView->column("Località")->cellStyle(), "Default");
  EXPECT_EQ(w->gexView->column("Nome")->cellStyle(), "SortedCol");
}

TEST_F(TastiFinestra, TypingOnTheGridFindsOnTheSortColumnInTheSortDirection) {
  ClicIntestazione("Nome");
  w->gexView->setRow(1);
  w->gexView->view()->setFocus();
  Digita("r");
  EXPECT_EQ(QApplication::focusWidget(), w->txtFind);
  EXPECT_EQ(w->txtFind->text(), "r");
  EXPECT_EQ(w->txtFind->cursorPosition(), 1);
  EXPECT_EQ(ValoreCorrente("Nome"), Variant("Rossetti Anna"));
  // The same letter typed again on the grid searches again.
  w->gexView->setRow(1);
  w->gexView->view()->setFocus();
  Digita("r");
  EXPECT_EQ(w->txtFind->text(), "r");
  EXPECT_EQ(ValoreCorrente("Nome"), Variant("Rossetti Anna"));
  Digita("ossi");
  EXPECT_EQ(ValoreCorrente("Nome"), Variant("Rossi Mario"));

  // Descending: the search runs from the bottom up, so the first name in alphabetical order wins.
  ClicIntestazione("Nome");
  EXPECT_EQ(w->lblFind->text(), "Trova in " + w->gexView->column("Nome")->caption());
  w->gexView->setRow(1);
  w->txtFind->setFocus();
  w->txtFind->clear();
  Digita("ross");
  EXPECT_EQ(ValoreCorrente("Nome"), Variant("Rossetti Anna"));

  // Without a sort key nothing is searched and the text stays.
  w->gexView->sortKeys().clear();
  w->gexView->setRow(1);
  const Variant prima = ValoreCorrente("Nome");
  w->txtFind->clear();
  Digita("bia");
  EXPECT_EQ(w->txtFind->text(), "bia");
  EXPECT_EQ(ValoreCorrente("Nome"), prima);
}

TEST_F(TastiFinestra, FindAndFilterBoxKeysMoveTheFocusWithoutReachingTheGrid) {
  w->gexView->setRow(2);
  Premi(w->gexView->view(), Qt::Key_F3);
  EXPECT_EQ(QApplication::focusWidget(), w->txtFind);
  EXPECT_EQ(w->txtFind->palette().color(QPalette::Base), QColor(255, 255, 191));

  for (int tasto : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_F3}) {
    Premi(w->txtFind, tasto);
    EXPECT_EQ(QApplication::focusWidget(), w->gexView->view()) << tasto;
    EXPECT_EQ(w->gexView->row(), 2) << tasto;
  }
  EXPECT_EQ(w->txtFind->palette().color(QPalette::Base), OleColor(colors::vbWindowBackground));

  // The customers have no filters: F4 leaves the focus where it is.
  Premi(w->gexView->view(), Qt::Key_F4);
  EXPECT_EQ(QApplication::focusWidget(), w->gexView->view());

  MostraVista(0);
  Premi(w->gexView->view(), Qt::Key_F4);
  EXPECT_TRUE(w->cmbFilter->view()->isVisible());
  w->cmbFilter->hidePopup();
  EXPECT_EQ(QApplication::focusWidget(), w->cmbFilter);
  EXPECT_EQ(w->cmbFilter->palette().color(QPalette::Button), QColor(255, 255, 191));
  // Enter moves on, and the filter box hands the focus to the find box.
  Premi(w->cmbFilter, Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), w->txtFind);
  EXPECT_EQ(w->cmbFilter->palette().color(QPalette::Button), OleColor(colors::vbWindowBackground));
  Premi(w->cmbFilter, Qt::Key_F3);
  EXPECT_EQ(QApplication::focusWidget(), w->txtFind);
}

}  // namespace
