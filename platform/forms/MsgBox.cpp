#include "platform/forms/MsgBox.h"

#include "platform/runtime/UserError.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>

namespace forms {

namespace {
MsgBoxHandler& handler() {
  static MsgBoxHandler h;
  return h;
}

QMessageBox::Icon iconOf(int style) {
  switch (style & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}
constexpr int TitleBarRoom = 150;  // pixels for the frame's icon and buttons beside the title

// A message box centred on its owner (on the screen without one) once its size is known, also
// while the owner is not shown yet.
class CentredBox : public QMessageBox {
 public:
  CentredBox(Icon icon, const QString& title, const QString& text, QWidget* owner)
      : QMessageBox(icon, title, text, NoButton, owner), m_owner(owner) {
    // The box is at least as wide as its title with the frame's icon and buttons beside it, so
    // that a short message does not cut the title.
    QFont bold = font();
    bold.setBold(true);
    const int titleWidth = QFontMetrics(bold).horizontalAdvance(title) + TitleBarRoom;
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
      grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                    grid->rowCount(), 0, 1, grid->columnCount());
  }

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    QRect area = m_owner ? m_owner->frameGeometry() : QRect();
    if (area.isEmpty()) area = screen()->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
  }

 private:
  QWidget* m_owner;
};

}  // namespace

void showError(const UserError& error, QWidget* owner, ErrorIcon icon) {
  MsgBox(error.description(), vbOKOnly | (icon == ErrorIcon::Exclamation ? vbExclamation : 0), QString(),
         owner);
}

void setMsgBoxHandler(MsgBoxHandler h) { handler() = std::move(h); }

int MsgBox(const QString& text, int style, const QString& title, QWidget* parent) {
  MsgBoxRequest request{text, style, title.isEmpty() ? QApplication::applicationName() : title};
  if (handler()) return handler()(request);

  QWidget* owner = parent ? parent->window() : QApplication::activeWindow();
  CentredBox box(iconOf(style), request.title, text, owner);
  struct Choice {
    QMessageBox::StandardButton button;
    int result;
    QString caption;
  };
  std::vector<Choice> choices;
  switch (style & 0x7) {
    case vbOKCancel:
      choices = {{QMessageBox::Ok, vbOK, "OK"}, {QMessageBox::Cancel, vbCancel, "Annulla"}};
      break;
    case vbYesNoCancel:
      choices = {{QMessageBox::Yes, vbYes, "&Sì"},
                 {QMessageBox::No, vbNo, "&No"},
                 {QMessageBox::Cancel, vbCancel, "Annulla"}};
      break;
    case vbYesNo: choices = {{QMessageBox::Yes, vbYes, "&Sì"}, {QMessageBox::No, vbNo, "&No"}}; break;
    default: choices = {{QMessageBox::Ok, vbOK, "OK"}};
  }
  for (const Choice& c : choices) box.addButton(c.button)->setText(c.caption);
  const size_t defaultIndex = (style & vbDefaultButton2) && choices.size() > 1 ? 1 : 0;
  box.setDefaultButton(choices[defaultIndex].button);
  if (choices.size() > 1 && (style & 0x7) != vbYesNo) box.setEscapeButton(choices.back().button);
  box.exec();
  const auto clicked = box.standardButton(box.clickedButton());
  for (const Choice& c : choices)
    if (c.button == clicked) return c.result;
  return (style & 0x7) == vbYesNo ? vbNo : choices.back().result;
}

}  // namespace forms
