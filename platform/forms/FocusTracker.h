#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class QWidget;

namespace forms {

// Whether moving the focus onto the control runs the rule of the control that loses it. True unless
// set otherwise (cancel buttons are set to false, so a window can always be cancelled).
void setCausesValidation(QWidget* control, bool causes);
bool causesValidation(const QWidget* control);

// Follows the focus inside one window. When the focus moves from one of its controls to another that
// causes validation, the rule of the control left runs first; a failing rule puts the focus back and
// swallows the mouse click that moved it, so the other control never acts. A rule skipped because the
// focus went to a control that causes none (a cancel button that was pressed but not clicked) is
// owed: it runs before the next move to a control that causes validation, and before a save. Moves
// that stand report the control left, then the control entered. A hidden window runs no rule, and
// a window is not destroyed while one of its rules runs.
class FocusTracker : public QObject {
  Q_OBJECT

 public:
  using Rule = std::function<bool()>;

  explicit FocusTracker(QWidget* window);

  void setRule(QWidget* control, Rule rule);
  // A check every control of the window passes after its own rule (the value must fit the record).
  void setCommonCheck(std::function<bool(QWidget*)> check) { m_commonCheck = std::move(check); }
  // Runs the control's rule, then the common check; true for a control that passes both.
  bool validate(QWidget* control);
  // Before a save: the focused control's rule, then a rule still owed; false, with the focus on the
  // control that failed, when one fails.
  bool validateAll(QWidget* focused);

  // The control of the window that holds the focus as far as the window's logic knows.
  QWidget* current() const { return m_current; }

 signals:
  void left(QWidget* control);
  void entered(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void onFocusChanged(QWidget* old, QWidget* now);
  void refuseMove(QWidget* back, QWidget* refused);
  // Runs the rule still owed, if any; when it fails the focus goes back to its control and the move
  // to `refused` does not stand.
  bool settleSkipped(QWidget* refused);

  QWidget* m_window;
  QPointer<QWidget> m_current;
  QPointer<QWidget> m_skipped;  // left for a control that causes no validation, its rule not run
  std::map<const QWidget*, Rule> m_rules;
  std::function<bool(QWidget*)> m_commonCheck;
  bool m_busy = false;
  int m_rulesRunning = 0;
  bool m_deletionDeferred = false;     // the window was to be destroyed while a rule ran
  QPointer<QWidget> m_refusedTarget;   // a press on it still to come is the one that was refused
  QPointer<QWidget> m_swallowRelease;  // the release of a swallowed press
};

}  // namespace forms
