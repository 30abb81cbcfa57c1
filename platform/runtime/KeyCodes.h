#pragma once

#include <Qt>

class QKeyEvent;

// Key codes and shift masks as the program's key handlers know them (KeyDown/KeyUp codes, KeyPress
// character codes), taken from Qt key events in one place.
namespace keys {

enum KeyCode : int {
  vbKeyBack = 8,
  vbKeyTab = 9,
  vbKeyReturn = 13,
  vbKeyShift = 16,
  vbKeyControl = 17,
  vbKeyMenu = 18,
  vbKeyPause = 19,
  vbKeyCapital = 20,
  vbKeyEscape = 27,
  vbKeySpace = 32,
  vbKeyPageUp = 33,
  vbKeyPageDown = 34,
  vbKeyEnd = 35,
  vbKeyHome = 36,
  vbKeyLeft = 37,
  vbKeyUp = 38,
  vbKeyRight = 39,
  vbKeyDown = 40,
  vbKeyPrint = 42,
  vbKeyInsert = 45,
  vbKeyDelete = 46,
  vbKeyHelp = 47,
  vbKey0 = 48,        // to vbKey9 = 57
  vbKeyA = 65,        // to vbKeyZ = 90
  vbKeyNumpad0 = 96,  // to vbKeyNumpad9 = 105
  vbKeyMultiply = 106,
  vbKeyAdd = 107,
  vbKeySubtract = 109,
  vbKeyDecimal = 110,
  vbKeyDivide = 111,
  vbKeyF1 = 112,  // to vbKeyF16 = 127
  vbKeyF2 = 113,
  vbKeyF3 = 114,
  vbKeyF4 = 115,
  vbKeyF5 = 116,
  vbKeyF6 = 117,
  vbKeyF7 = 118,
  vbKeyF8 = 119,
  vbKeyF9 = 120,
  vbKeyF10 = 121,
  vbKeyF11 = 122,
  vbKeyF12 = 123,
  vbKeyNumlock = 144,
};

enum ShiftMask : int { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// The key code of a Qt key (keypad digits and operators when the keypad modifier is set); 0 for
// keys that have none.
int KeyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The shift mask of Qt modifiers: 1 Shift, 2 Ctrl, 4 Alt, added together.
int ShiftFromQt(Qt::KeyboardModifiers modifiers);

int KeyCode(const QKeyEvent& event);
int Shift(const QKeyEvent& event);
// The character code a key press delivers: 8 Backspace, 9 Tab, 13 Enter, 27 Esc, 1-26 for
// Ctrl+letter, otherwise the typed character; 0 when the key types nothing.
int KeyAscii(const QKeyEvent& event);

}  // namespace keys
