#pragma once

#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <map>

#include "platform/forms/KeyFilters.h"

class QKeyEvent;
class QWidget;

namespace forms {

// The kinds of control in which Enter moves the focus on, as a Tab keystroke would.
enum EnterMoves {
  EnterFromTextBoxes = 1,
  EnterFromCheckBoxes = 2,
  EnterFromLookupLists = 4,
  EnterFromDatePickers = 8,
};

// Sees each keystroke of a window before the focused control does: Enter becomes Tab in the chosen
// kinds of control and presses a focused push button; Esc presses the cancel button (once per
// keystroke), or reaches the focused control in a window that has none; typed characters pass through the
// text box's typing filter. Pasted text is not filtered.
class KeyPreview : public QObject {
  Q_OBJECT

 public:
  explicit KeyPreview(QWidget* window);

  void setEnterMoves(int kinds) { m_enterMoves = kinds; }
  void setCancelButton(QAbstractButton* button) { m_cancel = button; }
  void setKeyFilter(QWidget* textBox, KeyFilter filter) { m_filters[textBox] = std::move(filter); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool enterMovesFrom(const QWidget* control) const;
  bool filterTyping(QWidget* control, QKeyEvent* event);

  QWidget* m_window;
  int m_enterMoves = EnterFromTextBoxes | EnterFromCheckBoxes;
  QPointer<QAbstractButton> m_cancel;
  std::map<const QWidget*, KeyFilter> m_filters;
  bool m_resending = false;
};

}  // namespace forms
