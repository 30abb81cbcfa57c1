#include "tests/app/FinestraProva.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include "platform/grid/GridEX.h"
#include "tests/app/DatiProva.h"

void FinestraProva::SetUp() {
  datiprova::CreaDatabase();
  shell::setPrinterSource([this] { return stampanti; });
  forms::setMsgBoxHandler([this](const forms::MsgBoxRequest& r) {
    mostrati.push_back(r);
    return risposta;
  });
  frmMain::setDurataSplash(0);
}

void FinestraProva::TearDown() {
  w.reset();
  forms::setMsgBoxHandler(nullptr);
  shell::setPrinterSource(nullptr);
}

void FinestraProva::Avvia() {
  w = std::make_unique<frmMain>();
  w->Visualizza();
  QApplication::setActiveWindow(w.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
}

QTableView* FinestraProva::tabella() const { return qobject_cast<QTableView*>(w->gexView->view()); }

QHeaderView* FinestraProva::intestazione() const { return tabella()->horizontalHeader(); }

void FinestraProva::MostraVista(int indice) {
  for (QAction* item : w->mnuViewItem)
    if (!item->data().isNull() && item->data().toInt() == indice) item->trigger();
}

bool FinestraProva::SelezionaRiga(const QString& chiave, const Variant& valore) {
  const int colonna = w->gexView->column(chiave)->index();
  for (int r = 1; r <= w->gexView->rowCount(); ++r) {
    if (w->gexView->rowValue(r, colonna) == valore) {
      w->gexView->setRow(r);
      return true;
    }
  }
  return false;
}

Variant FinestraProva::ValoreCorrente(const QString& chiave) const {
  return w->gexView->value(w->gexView->column(chiave)->index());
}

void FinestraProva::ClicIntestazione(const QString& chiave) {
  const int logica = w->gexView->column(chiave)->index() - 1;
  QHeaderView* h = intestazione();
  const QPoint punto(h->sectionViewportPosition(logica) + h->sectionSize(logica) / 2, h->height() / 2);
  QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, punto);
}

void FinestraProva::Digita(const QString& testo) {
  for (const QChar c : testo) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

void FinestraProva::Premi(QWidget* widget, int tasto, Qt::KeyboardModifiers modificatori) {
  widget->setFocus();
  ASSERT_EQ(QApplication::focusWidget(), widget);
  QTest::keyClick(widget, static_cast<Qt::Key>(tasto), modificatori);
}

QStringList FinestraProva::Messaggi() const {
  QStringList testi;
  for (const forms::MsgBoxRequest& r : mostrati)
    if (!r.text.startsWith("Attenzione!")) testi << r.text;
  return testi;
}
