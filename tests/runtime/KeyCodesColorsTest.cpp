#include <gtest/gtest.h>

#include <QKeyEvent>

#include "platform/runtime/Colors.h"
#include "platform/runtime/KeyCodes.h"
#include "platform/runtime/Twips.h"

namespace {

using namespace keys;

TEST(KeyCodes, QtKeysMapToTheWindowsCodes) {
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_F1), 112);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_F5), 116);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_F12), 123);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_Escape), 27);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_Return), 13);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_Enter, Qt::KeypadModifier), 13);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_Tab), 9);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_Backtab, Qt::ShiftModifier), 9);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_Delete), 46);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_Down), 40);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_PageDown), 34);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_A), 65);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_Z), 90);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_7), 55);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_7, Qt::KeypadModifier), 103);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_Minus, Qt::KeypadModifier), 109);
  EXPECT_EQ(KeyCodeFromQt(Qt::Key_Eacute), 0);
  EXPECT_EQ(ShiftFromQt(Qt::ShiftModifier | Qt::ControlModifier), 3);
  EXPECT_EQ(ShiftFromQt(Qt::AltModifier | Qt::KeypadModifier), 4);
}

TEST(KeyCodes, KeyPressCharacterCodes) {
  EXPECT_EQ(KeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, ".")), 46);
  EXPECT_EQ(KeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r")), 13);
  EXPECT_EQ(KeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier, "\r")), 13);
  EXPECT_EQ(KeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier)), 8);
  EXPECT_EQ(KeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier)), 3);
  EXPECT_EQ(KeyAscii(QKeyEvent(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier)), 0);
  const QKeyEvent shiftF5(QEvent::KeyPress, Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_EQ(KeyCode(shiftF5), 116);
  EXPECT_EQ(Shift(shiftF5), 1);
}

TEST(Colors, SystemColoursComeFromThePaletteAndPlainValuesAreBgr) {
  QPalette palette;
  palette.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Active, QPalette::Button, QColor(4, 5, 6));
  palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(7, 8, 9));
  palette.setColor(QPalette::Active, QPalette::ToolTipBase, QColor(10, 11, 12));
  EXPECT_EQ(OleColor(0x80000005, palette), QColor(1, 2, 3));
  EXPECT_EQ(OleColor(0x8000000F, palette), QColor(4, 5, 6));
  EXPECT_EQ(OleColor(0x80000012, palette), QColor(7, 8, 9));
  EXPECT_EQ(OleColor(colors::vbInfoBackground, palette), QColor(10, 11, 12));
  EXPECT_EQ(OleColor(0xBFFFFF), QColor(255, 255, 191));
  EXPECT_EQ(OleColor(0x0000FF), QColor(255, 0, 0));
  EXPECT_TRUE(OleColor(0x800000FF, palette).isValid());
  EXPECT_EQ(TwipsToPixels(1440), 96);
  EXPECT_EQ(PixelsToTwips(96), 1440);
}

}  // namespace
