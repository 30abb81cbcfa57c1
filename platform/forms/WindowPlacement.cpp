#include "platform/forms/WindowPlacement.h"

#include <QWidget>

namespace forms {

void setOwner(QWidget& window, QWidget* owner) {
  if (window.parentWidget() != owner) window.setParent(owner, window.windowFlags());
}

void centreOn(QWidget& window, const QWidget* other) {
  if (!other) return;
  // The size show() would give a window not sized yet.
  if (!window.testAttribute(Qt::WA_Resized)) window.adjustSize();
  window.move(other->geometry().center() - window.rect().center());
}

}  // namespace forms
