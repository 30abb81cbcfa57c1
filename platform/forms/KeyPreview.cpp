#include "platform/forms/KeyPreview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/forms/DataCombo.h"
#include "platform/forms/DatePicker.h"

namespace forms {

KeyPreview::KeyPreview(QWidget* window) : QObject(window), m_window(window) {
  qApp->installEventFilter(this);
}

bool KeyPreview::enterMovesFrom(const QWidget* control) const {
  if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QPlainTextEdit*>(control))
    return m_enterMoves & EnterFromTextBoxes;
  if (qobject_cast<const QCheckBox*>(control)) return m_enterMoves & EnterFromCheckBoxes;
  if (qobject_cast<const DataCombo*>(control)) return m_enterMoves & EnterFromLookupLists;
  if (qobject_cast<const DatePicker*>(control)) return m_enterMoves & EnterFromDatePickers;
  return false;
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || m_resending) return false;
  auto* control = qobject_cast<QWidget*>(watched);
  // Only the first delivery, to the focused control of this window; not its popups, and not the
  // copies of the key that climb to the parents when the control ignores it.
  if (!control || control->window() != m_window || control != m_window->focusWidget()) return false;
  auto* key = static_cast<QKeyEvent*>(event);

  if (key->key() == Qt::Key_Escape) {
    // A window without a cancel button leaves Esc to its control (a grid drops the row's changes).
    if (!m_cancel) return false;
    if (m_cancel->isEnabled()) m_cancel->click();
    return true;
  }
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(control)) {
      button->click();
      return true;
    }
    if (!enterMovesFrom(control)) return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    QCoreApplication::sendEvent(control, &tab);
    return true;
  }
  return filterTyping(control, key);
}

bool KeyPreview::filterTyping(QWidget* control, QKeyEvent* event) {
  const auto it = m_filters.find(control);
  const QString typed = event->text();
  // Control characters (Backspace, Ctrl+C, Ctrl+V...) keep the box's own editing keys working.
  if (it == m_filters.end() || typed.isEmpty() || typed.at(0).unicode() < 32 || typed.at(0).unicode() == 127)
    return false;
  QString kept;
  for (const QChar c : typed) {
    const std::int16_t code = it->second(static_cast<std::int16_t>(c.unicode()));
    if (code != 0) kept.append(QChar(static_cast<char16_t>(code)));
  }
  if (kept == typed) return false;
  if (!kept.isEmpty()) {
    QKeyEvent changed(QEvent::KeyPress, 0, event->modifiers(), kept, event->isAutoRepeat());
    m_resending = true;
    QCoreApplication::sendEvent(control, &changed);
    m_resending = false;
  }
  return true;
}

}  // namespace forms
