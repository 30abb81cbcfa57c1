#pragma once

#include <QDialog>
#include <QFont>
#include <cstdint>
#include <optional>

class QComboBox;
class QFontDialog;

namespace forms {

struct FontChoice {
  QFont font;
  std::uint32_t color = 0;  // a stored colour value (&HBBGGRR or a system colour)
};

// The common font dialog with effects and colour: the toolkit's font chooser (name, style, size,
// underline, strike-out) above a list of the sixteen standard text colours. A starting colour that
// is not among them is offered too, as "Personalizzato", so that OK without a change keeps it.
class FontDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FontDialog(QWidget* parent = nullptr);

  // Shows the dialog modally from the font and colour given: the user's choice, nothing when cancelled.
  std::optional<FontChoice> choose(const QFont& font, std::uint32_t color);

  QFontDialog* fontChooser;
  QComboBox* cboColor;

 private:
  void offerColor(std::uint32_t color);
};

}  // namespace forms
