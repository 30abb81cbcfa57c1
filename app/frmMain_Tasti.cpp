// The main window's keyboard: shortcut letters, the grid's keys, the find and filter boxes, the
// find as the user types and the sorting by a click on a column header.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "app/frmMain.h"
#include "platform/grid/GridEX.h"
#include "platform/runtime/Colors.h"
#include "platform/runtime/KeyCodes.h"

namespace {

// Light yellow behind the find and filter boxes while they have the focus.
constexpr quint32 kColoreFuoco = 0xBFFFFF;

}  // namespace

// A window opened while a key is being dispatched would add its own application filter in the
// middle of the dispatch, and the key would reach this window's filter again: such commands run
// right after the key.
void frmMain::dopoIlTasto(std::function<void()> comando) {
  QMetaObject::invokeMethod(this, std::move(comando), Qt::QueuedConnection);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Resize:
      if (watched == centralWidget()) Ridimensiona();
      break;
    case QEvent::KeyPress: {
      auto* tasto = static_cast<QKeyEvent*>(event);
      if (watched == txtFind && txtFindKeyDown(keys::KeyCode(*tasto))) return true;
      if (watched == cmbFilter && cmbFilterKeyDown(keys::KeyCode(*tasto))) return true;
      // The window sees a key before its controls: once, when it reaches its focused control, or
      // when it reaches the window itself because no control has the focus.
      if (watched == focusWidget() || (watched == this && !focusWidget()))
        TastiRapidi(keys::KeyCode(*tasto), keys::Shift(*tasto));
      break;
    }
    case QEvent::FocusIn:
      if (watched == txtFind || watched == cmbFilter) impostaSfondo(static_cast<QWidget*>(watched), kColoreFuoco);
      break;
    case QEvent::FocusOut: {
      if (watched != txtFind && watched != cmbFilter) break;
      impostaSfondo(static_cast<QWidget*>(watched), colors::vbWindowBackground);
      // The filter box hands the focus on to the find box when it moves within this window (not
      // when its own list opens or another window is activated).
      const QWidget* nuovo = QApplication::focusWidget();
      const bool lista = static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason;
      if (watched == cmbFilter && !lista && nuovo && nuovo != cmbFilter && nuovo->window() == this)
        txtFind->setFocus();
      break;
    }
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::TastiRapidi(int keyCode, int shift) {
  if (keyCode < keys::vbKeyA || keyCode > keys::vbKeyA + 25) return;
  const int indice = NodoPerLettera(Nodi, QChar(keyCode));
  if (indice < 0) return;
  if (shift == keys::vbCtrlMask) {
    dopoIlTasto([this, indice] { ComandoNuovo(indice); });
  } else if (shift == (keys::vbCtrlMask | keys::vbShiftMask)) {
    NodoCorrente = static_cast<std::int16_t>(indice);
    SetLay();
  }
}

void frmMain::gexViewKeyDown(int* keyCode, int) {
  if (*keyCode == keys::vbKeyReturn && !gexView->isGroupRow()) {
    ComandoApri();
  } else if (*keyCode == keys::vbKeyDelete) {
    if (gexView->recordCount() > 0) ComandoElimina();
  } else if (*keyCode == keys::vbKeyF3) {
    txtFind->setFocus();
  } else if (*keyCode == keys::vbKeyF4) {
    apriFiltro();
  }
}

void frmMain::gexViewKeyPress(int* keyAscii) {
  const int codice = *keyAscii;
  if (!((codice >= 32 && codice <= 126) || (codice >= 160 && codice <= 255))) return;
  *keyAscii = 0;
  const QString testo{QChar(codice)};
  // The same letter typed again searches again, although the text does not change.
  const bool invariato = txtFind->text() == testo;
  txtFind->setText(testo);
  txtFind->setCursorPosition(1);
  txtFind->setFocus();
  if (invariato) trova(testo);
}

bool frmMain::txtFindKeyDown(int keyCode) {
  switch (keyCode) {
    case keys::vbKeyReturn:
      dopoIlTasto([this] { ComandoApri(); });
      return true;
    case keys::vbKeyF3:
    case keys::vbKeyDown:
    case keys::vbKeyPageDown:
      gexView->setFocus();
      return true;
    case keys::vbKeyF4:
      apriFiltro();
      return false;
    default:
      return false;
  }
}

bool frmMain::cmbFilterKeyDown(int keyCode) {
  if (keyCode == keys::vbKeyReturn) {
    focusNextChild();
    return true;
  }
  if (keyCode == keys::vbKeyF3) txtFind->setFocus();
  return false;
}

void frmMain::apriFiltro() {
  if (!cmbFilter->isEnabled()) return;
  cmbFilter->setFocus();
  cmbFilter->showPopup();
}

void frmMain::trova(const QString& testo) {
  if (gexView->sortKeys().count() == 0) return;
  const grid::SortKey chiave = gexView->sortKeys().item(1);
  if (chiave.order == grid::Ascending)
    gexView->find(chiave.column, grid::FindBeginsWith, Variant(testo), 1, 1);
  else
    gexView->find(chiave.column, grid::FindBeginsWith, Variant(testo), gexView->rowCount() + 1, -1);
}

void frmMain::gexViewColumnHeaderClick(int column) {
  bool crescente = false;
  for (const grid::SortKey& chiave : gexView->sortKeys().keys())
    if (chiave.column == column) crescente = chiave.order == grid::Ascending;
  gexView->sortKeys().clear();
  gexView->sortKeys().add(column, crescente ? grid::Descending : grid::Ascending);
  AggiornaTrova();
  AggiornaOrdinamento();
  gexView->setFocus();
}
