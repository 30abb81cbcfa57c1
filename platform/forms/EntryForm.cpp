#include "platform/forms/EntryForm.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/forms/FocusTracker.h"
#include "platform/forms/MsgBox.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/WindowPlacement.h"

namespace forms {

EntryForm::EntryForm(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_keys(new KeyPreview(this)),
      m_focus(new FocusTracker(this)) {
  connect(m_focus, &FocusTracker::left, this, &EntryForm::onLeft);
  m_focus->setCommonCheck([this](QWidget* control) { return recordTakesText(control); });
  connect(m_focus, &FocusTracker::entered, this, &EntryForm::onEntered);
}

void EntryForm::showModal(QWidget* owner) {
  setOwner(*this, owner);
  exec();
}

void EntryForm::showModeless(QWidget* owner) {
  setOwner(*this, owner);
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

bool EntryForm::validateFocusedControl() { return m_focus->validateAll(focusWidget()); }

bool EntryForm::commitControls() {
  if (QWidget* failed = m_binding.commitAll()) {
    failed->setFocus(Qt::OtherFocusReason);
    return false;
  }
  return true;
}

void EntryForm::releaseRecord(db::Recordset& rows, db::Connection& connection) {
  m_binding.connectTo(nullptr);
  try {
    if (rows.IsOpen()) {
      if (rows.EditPending()) rows.CancelUpdate();
      rows.Close();
    }
    connection.Close();
  } catch (const db::DbError&) {
    // Closing only drops what the window held; whatever was to be kept has been written before.
  }
}

bool EntryForm::recordTakesText(QWidget* control) {
  if (m_binding.commit(control)) return true;
  MsgBox(QStringLiteral("Il valore inserito non è valido per questo campo."), vbOKOnly, QString(), this);
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
  // A text box entered by a click selects its whole text as one entered by Tab does.
  for (QLineEdit* box : findChildren<QLineEdit*>()) {
    const QObject* owner = box->parent();
    if (!qobject_cast<const QComboBox*>(owner) && !qobject_cast<const QAbstractSpinBox*>(owner))
      box->installEventFilter(this);
  }
  for (QPlainTextEdit* box : findChildren<QPlainTextEdit*>()) {
    box->installEventFilter(this);
    box->viewport()->installEventFilter(this);
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

bool EntryForm::eventFilter(QObject* watched, QEvent* event) {
  // The press that gives the focus places the caret; once it is released, the text is selected
  // whole unless the user dragged over a part of it.
  if (event->type() == QEvent::FocusIn) {
    const bool byMouse = static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason;
    m_clickedInto = byMouse ? watched : nullptr;
  } else if (event->type() == QEvent::MouseButtonRelease && m_clickedInto) {
    QObject* box = qobject_cast<QPlainTextEdit*>(watched->parent()) ? watched->parent() : watched;
    if (box == m_clickedInto) {
      m_clickedInto = nullptr;
      if (auto* line = qobject_cast<QLineEdit*>(box); line && !line->hasSelectedText()) line->selectAll();
      if (auto* memo = qobject_cast<QPlainTextEdit*>(box); memo && !memo->textCursor().hasSelection())
        memo->selectAll();
    }
  }
  return QDialog::eventFilter(watched, event);
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
