#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontDialog>
#include <QPushButton>
#include <QTest>

#include "platform/forms/FontDialog.h"
#include "tests/support/FormTestSupport.h"

namespace {

// Opens the dialog from the font and colour and drives it; the dialog's answer.
std::optional<forms::FontChoice> choose(forms::FontDialog& dialog, const QFont& font, std::uint32_t color,
                                        const std::function<void()>& drive) {
  std::optional<forms::FontChoice> choice;
  runModal(
      [&] {
        choice = dialog.choose(font, color);
        return Variant();
      },
      [&](QWidget*) { drive(); });
  return choice;
}

// The dialog's own button with the caption (the font chooser keeps its buttons hidden).
QPushButton* button(forms::FontDialog& dialog, const QString& caption) {
  for (auto* b : dialog.findChildren<QPushButton*>())
    if (b->isVisible() && b->text() == caption) return b;
  ADD_FAILURE() << "no button " << caption.toStdString();
  return nullptr;
}

QFont serif() {
  QFont font("Serif");
  font.setPointSize(11);
  font.setUnderline(true);
  font.setStrikeOut(true);
  return font;
}

TEST(FontDialogTest, OKGivesTheFontWithItsEffectsAndTheColourPickedFromTheKeyboard) {
  forms::FontDialog dialog;
  constexpr std::uint32_t windowText = 0x80000008;
  auto choice = choose(dialog, serif(), windowText, [&] {
    EXPECT_EQ(dialog.windowTitle(), "Carattere");
    EXPECT_EQ(dialog.cboColor->count(), 17);
    EXPECT_EQ(dialog.cboColor->currentText(), "Personalizzato");
    press(Qt::Key_Return);
  });
  ASSERT_TRUE(choice) << "Enter is OK";
  EXPECT_EQ(choice->font.family(), "Serif");
  EXPECT_EQ(choice->font.pointSize(), 11);
  EXPECT_TRUE(choice->font.underline());
  EXPECT_TRUE(choice->font.strikeOut());
  EXPECT_EQ(choice->color, windowText) << "a colour outside the list is kept";

  choice = choose(dialog, serif(), 0x000080, [&] {
    EXPECT_EQ(dialog.cboColor->count(), 16) << "the earlier colour is no longer offered";
    EXPECT_EQ(dialog.cboColor->currentText(), "Marrone");
    press(Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(focused(), dialog.cboColor);
    type("Rosso");
    click(button(dialog, "OK"));
  });
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->color, 0x0000FFu);
}

TEST(FontDialogTest, EscAndAnnullaGiveNothing) {
  forms::FontDialog dialog;
  EXPECT_FALSE(choose(dialog, serif(), 0, [] { press(Qt::Key_Escape); }));
  EXPECT_FALSE(choose(dialog, serif(), 0, [&] {
    dialog.fontChooser->setCurrentFont(QFont("Sans Serif"));
    click(button(dialog, "Annulla"));
  }));
}

}  // namespace
