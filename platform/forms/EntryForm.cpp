#include "platform/forms/EntryForm.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/forms/FocusTracker_p.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/StatusBar.h"

namespace forms {

EntryForm::EntryForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      m_keys(new KeyPreview(this)),
      m_focus(new FocusTracker(this)) {
  connect(m_focus, &FocusTracker::left, this, &EntryForm::onLeft);
  m_focus->setCommonCheck([this](QWidget* control) { return recordTakesText(control); });
  connect(m_focus, &FocusTracker::entered, this, &EntryForm::onEntered);
}

void EntryForm::adopt(QWidget* owner) {
  if (parentWidget() != owner) setParent(owner, windowFlags());
}

void EntryForm::showModal(QWidget* owner) {
  adopt(owner);
  exec();
}

void EntryForm::showModeless(QWidget* owner) {
  adopt(owner);
  setModal(false);
  show();
  raise();
  activateWindow();
}

void EntryForm::unload() {
  hide();
  deleteLater();
}

void EntryForm::setFocusOrder(const QList<QWidget*>& controls) {
  m_focusOrder.clear();
  for (QWidget* c : controls) m_focusOrder.append(c);
  for (qsizetype i = 0; i + 1 < controls.size(); ++i) setTabOrder(controls[i], controls[i + 1]);
}

void EntryForm::setCancelButton(QPushButton* button) {
  m_cancel = button;
  m_keys->setCancelButton(button);
  setCausesValidation(button, false);
}

void EntryForm::setRule(QWidget* control, std::function<bool()> rule) {
  m_focus->setRule(control, std::move(rule));
}

bool EntryForm::validateFocusedControl() {
  QWidget* focused = focusWidget();
  return !focused || m_focus->validate(focused);
}

bool EntryForm::commitControls() {
  if (QWidget* failed = m_binding.commitAll()) {
    failed->setFocus(Qt::OtherFocusReason);
    return false;
  }
  return true;
}

bool EntryForm::recordTakesText(QWidget* control) {
  if (m_binding.commit(control)) return true;
  MsgBox(QStringLiteral("Il valore inserito non è valido per questo campo."), vbOKOnly, QString(),
         this);
  return false;
}

void EntryForm::reject() {
  if (m_cancel && m_cancel->isEnabled())
    m_cancel->click();
  else
    QDialog::reject();
}

void EntryForm::showEvent(QShowEvent* event) {
  // No button is pressed by Enter from elsewhere: Enter belongs to the key preview.
  for (QPushButton* button : findChildren<QPushButton*>()) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  if (!m_sized) {
    adjustSize();
    setFixedSize(size());
    m_sized = true;
  }
  for (const QPointer<QWidget>& c : m_focusOrder) {
    if (c && c->isEnabled() && c->isVisibleTo(this)) {
      c->setFocus(Qt::OtherFocusReason);
      break;
    }
  }
  QDialog::showEvent(event);
}

void EntryForm::onLeft(QWidget* control) {
  m_binding.commit(control);
  controlLostFocus(control);
}

void EntryForm::onEntered(QWidget* control) {
  if (auto* line = qobject_cast<QLineEdit*>(control)) line->selectAll();
  if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) memo->selectAll();
  if (m_statusBar) {
    const auto hint = m_hints.find(control);
    m_statusBar->setPanelText(0, control->toolTip());
    m_statusBar->setPanelText(1, hint == m_hints.end() ? QString() : hint->second);
  }
  controlGotFocus(control);
}

}  // namespace forms
