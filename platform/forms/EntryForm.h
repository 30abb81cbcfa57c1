#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>
#include <functional>
#include <map>

#include "platform/forms/KeyFilters.h"
#include "platform/forms/KeyPreview.h"
#include "platform/forms/RecordBinding.h"

class QPushButton;

namespace db {
class Connection;
class Recordset;
}  // namespace db

namespace forms {

class FocusTracker;
class StatusBar;

// The base of the data-entry windows: a fixed-size window shown modal (the call returns when the
// window hides) or modeless beside its owner, with key preview (Enter as Tab, Esc to the cancel
// button, typing filters), field rules that keep the focus where they fail, a binding of its controls
// to one record, and a status bar that names the focused control. A window states only its own
// controls, rules and filters.
class EntryForm : public QDialog {
  Q_OBJECT

 public:
  explicit EntryForm(QWidget* parent = nullptr);

  // Shows the window modal to the whole program, owned by owner (none when nullptr); returns when
  // the window hides.
  void showModal(QWidget* owner);
  // Shows the window and returns at once.
  void showModeless(QWidget* owner);
  // Hides the window and destroys it once control is back in the event loop.
  void unload();

  RecordBinding& binding() { return m_binding; }
  StatusBar* statusBar() const { return m_statusBar; }

 protected:
  // The order of Tab and Enter; the window opens on the first enabled control of the list.
  void setFocusOrder(const QList<QWidget*>& controls);
  // Esc presses this button, and moving the focus to it runs no rule.
  void setCancelButton(QPushButton* button);
  void setEnterMoves(int kinds) { m_keys->setEnterMoves(kinds); }
  void setKeyFilter(QWidget* textBox, KeyFilter filter) { m_keys->setKeyFilter(textBox, std::move(filter)); }
  void setRule(QWidget* control, std::function<bool()> rule);
  // The first panel of the status bar shows the focused control's tooltip, the second its hint.
  void setStatusBar(StatusBar* bar) { m_statusBar = bar; }
  void setStatusHint(QWidget* control, const QString& hint) { m_hints[control] = hint; }

  // Runs the rule of the focused control (a button clicked without taking the focus, say), then a
  // rule skipped on the way to the cancel button; false when one fails, and the focus goes there.
  bool validateFocusedControl();
  // Commits every edited text box into the record; false, with the focus on the box, when a text
  // does not convert.
  bool commitControls();
  // Lets go of the window's record: the controls are disconnected, changes not written are dropped,
  // and the recordset and its connection close. Nothing is written here.
  void releaseRecord(db::Recordset& rows, db::Connection& connection);

  // The window's own reactions to the focus; the base has already committed the control left,
  // selected the text of a text box entered and written the status bar.
  virtual void controlLostFocus(QWidget*) {}
  virtual void controlGotFocus(QWidget*) {}
  // The close box (and any other way of rejecting the window): the same as the cancel button.
  void reject() override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Writes an edited text box into the record; a text its column cannot take (a number out of the
  // column's range) is reported and keeps the focus.
  bool recordTakesText(QWidget* control);
  void onLeft(QWidget* control);
  void onEntered(QWidget* control);

  RecordBinding m_binding;
  KeyPreview* m_keys;
  FocusTracker* m_focus;
  QPointer<QPushButton> m_cancel;
  StatusBar* m_statusBar = nullptr;
  std::map<const QWidget*, QString> m_hints;
  QList<QPointer<QWidget>> m_focusOrder;
  QPointer<QObject> m_clickedInto;  // a text box entered by a mouse press not yet released
  bool m_sized = false;
};

}  // namespace forms
