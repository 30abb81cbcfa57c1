#pragma once

#include <QString>
#include <functional>

class QWidget;
class UserError;

// Message boxes with the program's button, icon and default-button codes. The title defaults to
// the application's name (the program sets it to its title). Tests replace the modal box with a
// handler that records what was asked and gives the answer.
namespace forms {

enum MsgBoxStyle {
  vbOKOnly = 0,
  vbOKCancel = 1,
  vbYesNoCancel = 3,
  vbYesNo = 4,
  vbCritical = 16,
  vbQuestion = 32,
  vbExclamation = 48,
  vbInformation = 64,
  vbDefaultButton2 = 256,
};

enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

struct MsgBoxRequest {
  QString text;
  int style = vbOKOnly;
  QString title;
};

int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString(),
           QWidget* parent = nullptr);

// Tells the user of a failure: its description in an OK box with the application's title and the
// exclamation icon (or none), owned by the owner's window (the active window without one).
enum class ErrorIcon { Exclamation, None };
void showError(const UserError& error, QWidget* owner = nullptr, ErrorIcon icon = ErrorIcon::Exclamation);

// Test hook: while set, MsgBox calls the handler instead of showing a box and returns its answer.
using MsgBoxHandler = std::function<int(const MsgBoxRequest&)>;
void setMsgBoxHandler(MsgBoxHandler handler);

}  // namespace forms
