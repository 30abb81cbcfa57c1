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
  if (it == m_rules.end() || !it->second) return true;
  // A rule may show a message box; the focus moves it causes are not moves of this window.
  const bool wasBusy = m_busy;
  m_busy = true;
  const bool ok = it->second();
  m_busy = wasBusy;
  return ok;
}

void FocusTracker::onFocusChanged(QWidget*, QWidget* now) {
  if (m_busy || !now || now->window() != m_window || now == m_current) return;
  QWidget* leaving = m_current;
  if (leaving && leaving->window() == m_window && causesValidation(now) && !validate(leaving)) {
    refuseMove(leaving);
    return;
  }
  m_current = now;
  if (leaving) emit left(leaving);
  emit entered(now);
}

void FocusTracker::refuseMove(QWidget* back) {
  // A mouse press gives the focus before the press itself is delivered: swallow that press (and
  // its release) so a button refused this way is not clicked. Nothing is left armed afterwards.
  m_swallowPress = true;
  QTimer::singleShot(0, this, [this] { m_swallowPress = false; });
  m_busy = true;
  back->setFocus(Qt::OtherFocusReason);
  m_busy = false;
}

bool FocusTracker::eventFilter(QObject* watched, QEvent* event) {
  if (!m_swallowPress && !m_swallowRelease) return false;
  const QEvent::Type type = event->type();
  const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  const bool release = type == QEvent::MouseButtonRelease;
  if (!press && !release) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != m_window) return false;
  if (press && m_swallowPress) {
    m_swallowRelease = true;
    return true;
  }
  if (release && m_swallowRelease) {
    m_swallowRelease = false;
    return true;
  }
  return false;
}

}  // namespace forms
