#include "platform/runtime/KeyCodes.h"

#include <QKeyEvent>

namespace keys {

namespace {

struct KeyPair {
  int qt;
  int code;
};

constexpr KeyPair NamedKeys[] = {
    {Qt::Key_Backspace, vbKeyBack},   {Qt::Key_Tab, vbKeyTab},           {Qt::Key_Backtab, vbKeyTab},
    {Qt::Key_Return, vbKeyReturn},    {Qt::Key_Enter, vbKeyReturn},      {Qt::Key_Shift, vbKeyShift},
    {Qt::Key_Control, vbKeyControl},  {Qt::Key_Alt, vbKeyMenu},          {Qt::Key_Pause, vbKeyPause},
    {Qt::Key_CapsLock, vbKeyCapital}, {Qt::Key_Escape, vbKeyEscape},     {Qt::Key_Space, vbKeySpace},
    {Qt::Key_PageUp, vbKeyPageUp},    {Qt::Key_PageDown, vbKeyPageDown}, {Qt::Key_End, vbKeyEnd},
    {Qt::Key_Home, vbKeyHome},        {Qt::Key_Left, vbKeyLeft},         {Qt::Key_Up, vbKeyUp},
    {Qt::Key_Right, vbKeyRight},      {Qt::Key_Down, vbKeyDown},         {Qt::Key_Print, vbKeyPrint},
    {Qt::Key_Insert, vbKeyInsert},    {Qt::Key_Delete, vbKeyDelete},     {Qt::Key_Help, vbKeyHelp},
    {Qt::Key_NumLock, vbKeyNumlock},
};

constexpr KeyPair KeypadOperators[] = {
    {Qt::Key_Asterisk, vbKeyMultiply}, {Qt::Key_Plus, vbKeyAdd},      {Qt::Key_Minus, vbKeySubtract},
    {Qt::Key_Period, vbKeyDecimal},    {Qt::Key_Comma, vbKeyDecimal}, {Qt::Key_Slash, vbKeyDivide},
};

}  // namespace

int KeyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return (keypad ? vbKeyNumpad0 : vbKey0) + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return vbKeyA + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16) return vbKeyF1 + (qtKey - Qt::Key_F1);
  if (keypad) {
    for (const KeyPair& k : KeypadOperators)
      if (k.qt == qtKey) return k.code;
  }
  for (const KeyPair& k : NamedKeys)
    if (k.qt == qtKey) return k.code;
  return 0;
}

int ShiftFromQt(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? vbShiftMask : 0) |
         (modifiers.testFlag(Qt::ControlModifier) ? vbCtrlMask : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? vbAltMask : 0);
}

int KeyCode(const QKeyEvent& event) { return KeyCodeFromQt(event.key(), event.modifiers()); }

int Shift(const QKeyEvent& event) { return ShiftFromQt(event.modifiers()); }

int KeyAscii(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Backspace: return vbKeyBack;
    case Qt::Key_Tab: return vbKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vbKeyReturn;
    case Qt::Key_Escape: return vbKeyEscape;
    default: break;
  }
  if (event.modifiers().testFlag(Qt::ControlModifier) && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
    return 1 + (event.key() - Qt::Key_A);
  const QString text = event.text();
  return text.isEmpty() ? 0 : text.at(0).unicode();
}

}  // namespace keys
