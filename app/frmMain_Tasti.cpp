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
constexpr quint32 kFocusColor = 0xBFFFFF;

}  // namespace

// A window opened while a key is being dispatched would add its own application filter in the
// middle of the dispatch, and the key would reach this window's filter again: such commands run
// right after the key.
void frmMain::afterKey(std::function<void()> command) {
  QMetaObject::invokeMethod(this, std::move(command), Qt::QueuedConnection);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Resize:
      if (watched == centralWidget()) Ridimensiona();
      break;
    case QEvent::KeyPress: {
      auto* key = static_cast<QKeyEvent*>(event);
      if (watched == txtFind && txtFindKeyDown(keys::KeyCode(*key))) return true;
      if (watched == cmbFilter && cmbFilterKeyDown(keys::KeyCode(*key))) return true;
      // The window sees a key before its controls: once, when it reaches its focused control, or
      // when it reaches the window itself because no control has the focus.
      if (watched == focusWidget() || (watched == this && !focusWidget()))
        TastiRapidi(keys::KeyCode(*key), keys::Shift(*key));
      break;
    }
    case QEvent::FocusIn:
      if (watched == txtFind || watched == cmbFilter)
        setBackground(static_cast<QWidget*>(watched), kFocusColor);
      break;
    case QEvent::FocusOut: {
      if (watched != txtFind && watched != cmbFilter) break;
      setBackground(static_cast<QWidget*>(watched), colors::vbWindowBackground);
      // The filter box hands the focus on to the find box when it moves within this window (not
      // when its own list opens or another window is activated).
      const QWidget* next = QApplication::focusWidget();
      const bool popup = static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason;
      if (watched == cmbFilter && !popup && next && next != cmbFilter && next->window() == this)
        txtFind->setFocus();
      break;
    }
    default: break;
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::TastiRapidi(int keyCode, int shift) {
  if (keyCode < keys::vbKeyA || keyCode > keys::vbKeyA + 25) return;
  const int index = nodeForLetter(Nodi, QChar(keyCode));
  if (index < 0) return;
  if (shift == keys::vbCtrlMask) {
    afterKey([this, index] { ComandoNuovo(index); });
  } else if (shift == (keys::vbCtrlMask | keys::vbShiftMask)) {
    NodoCorrente = static_cast<std::int16_t>(index);
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
    openFilter();
  }
}

void frmMain::gexViewKeyPress(int* keyAscii) {
  const int code = *keyAscii;
  if (!((code >= 32 && code <= 126) || (code >= 160 && code <= 255))) return;
  *keyAscii = 0;
  const QString text{QChar(code)};
  // The same letter typed again searches again, although the text does not change.
  const bool sameText = txtFind->text() == text;
  txtFind->setText(text);
  txtFind->setCursorPosition(1);
  txtFind->setFocus();
  if (sameText) findText(text);
}

bool frmMain::txtFindKeyDown(int keyCode) {
  switch (keyCode) {
    case keys::vbKeyReturn: afterKey([this] { ComandoApri(); }); return true;
    case keys::vbKeyF3:
    case keys::vbKeyDown:
    case keys::vbKeyPageDown: gexView->setFocus(); return true;
    case keys::vbKeyF4: openFilter(); return false;
    default: return false;
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

void frmMain::openFilter() {
  if (!cmbFilter->isEnabled()) return;
  cmbFilter->setFocus();
  cmbFilter->showPopup();
}

void frmMain::findText(const QString& text) {
  if (gexView->sortKeys().count() == 0) return;
  const grid::SortKey key = gexView->sortKeys().item(1);
  if (key.order == grid::Ascending)
    gexView->find(key.column, grid::FindBeginsWith, Variant(text), 1, 1);
  else
    gexView->find(key.column, grid::FindBeginsWith, Variant(text), gexView->rowCount() + 1, -1);
}

void frmMain::gexViewColumnHeaderClick(int column) {
  bool ascending = false;
  for (const grid::SortKey& key : gexView->sortKeys().keys())
    if (key.column == column) ascending = key.order == grid::Ascending;
  gexView->sortKeys().clear();
  gexView->sortKeys().add(column, ascending ? grid::Descending : grid::Ascending);
  AggiornaTrova();
  AggiornaOrdinamento();
  gexView->setFocus();
}
