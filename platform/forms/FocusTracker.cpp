#include "platform/forms/FocusTracker.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace forms {

namespace {
const char* const CausesValidationProperty = "causesValidation";
}

void setCausesValidation(QWidget* control, bool causes) {
  control->setProperty(CausesValidationProperty, causes);
}

bool causesValidation(const QWidget* control) {
  const QVariant v = control->property(CausesValidationProperty);
  return !v.isValid() || v.toBool();
}

FocusTracker::FocusTracker(QWidget* window) : QObject(window), m_window(window) {
  connect(qApp, &QApplication::focusChanged, this, &FocusTracker::onFocusChanged);
  qApp->installEventFilter(this);
}

void FocusTracker::setRule(QWidget* control, Rule rule) { m_rules[control] = std::move(rule); }

bool FocusTracker::validate(QWidget* control) {
  const auto it = m_rules.find(control);
  const bool hasRule = it != m_rules.end() && it->second;
  if (!hasRule && !m_commonCheck) return true;
  // A rule may show a message box; the focus moves it causes are not moves of this window. The
  // box's event loop may also destroy a window unloaded meanwhile: that waits until the rule ends.
  const bool wasBusy = m_busy;
  m_busy = true;
  ++m_rulesRunning;
  const bool ok = (!hasRule || it->second()) && (!m_commonCheck || m_commonCheck(control));
  --m_rulesRunning;
  m_busy = wasBusy;
  if (m_rulesRunning == 0 && m_deletionDeferred) {
    m_deletionDeferred = false;
    m_window->deleteLater();
  }
  return ok;
}

void FocusTracker::onFocusChanged(QWidget*, QWidget* now) {
  // A window hidden (cancelled, or unloaded and about to go) runs no rule on a late focus change.
  if (m_busy || !m_window->isVisible() || !now || now->window() != m_window || now == m_current) return;
  QWidget* leaving = m_current;
  if (leaving && leaving->window() == m_window) {
    if (!causesValidation(now)) {
      // The rule is not run now, so that the window can be cancelled; it stays owed.
      if (!m_skipped && causesValidation(leaving)) m_skipped = leaving;
    } else if (!validate(leaving)) {
      refuseMove(leaving, now);
      return;
    } else if (!settleSkipped(now)) {
      return;
    }
  }
  if (m_skipped == now) m_skipped = nullptr;
  m_current = now;
  if (leaving) emit left(leaving);
  emit entered(now);
}

bool FocusTracker::settleSkipped(QWidget* refused) {
  QWidget* skipped = m_skipped;
  m_skipped = nullptr;
  if (!skipped || skipped == refused || !skipped->isEnabled() || !skipped->isVisibleTo(m_window) ||
      validate(skipped))
    return true;
  refuseMove(skipped, refused);
  QWidget* leaving = m_current;
  m_current = skipped;
  if (leaving) emit left(leaving);
  emit entered(skipped);
  return false;
}

bool FocusTracker::validateAll(QWidget* focused) {
  if (focused && focused->window() == m_window && !validate(focused)) return false;
  return settleSkipped(nullptr);
}

void FocusTracker::refuseMove(QWidget* back, QWidget* refused) {
  // A mouse press gives the focus before the press itself is delivered: swallow that press (and
  // its release) so a button refused this way is not clicked. The next input event or the next
  // turn of the event loop disarms it.
  m_refusedTarget = refused;
  QTimer::singleShot(0, this, [this] { m_refusedTarget = nullptr; });
  m_busy = true;
  back->setFocus(Qt::OtherFocusReason);
  m_busy = false;
}

bool FocusTracker::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::DeferredDelete && watched == m_window && m_rulesRunning > 0) {
    m_deletionDeferred = true;
    return true;
  }
  if (!m_refusedTarget && !m_swallowRelease) return false;
  const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  const bool release = type == QEvent::MouseButtonRelease;
  if (type == QEvent::KeyRelease) m_refusedTarget = nullptr;
  if (!press && !release) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  if (press && m_refusedTarget) {
    const bool refused = widget == m_refusedTarget || m_refusedTarget->isAncestorOf(widget);
    m_refusedTarget = nullptr;
    if (refused) m_swallowRelease = widget;
    return refused;
  }
  if (release && m_swallowRelease == widget) {
    m_swallowRelease = nullptr;
    return true;
  }
  return false;
}

}  // namespace forms
