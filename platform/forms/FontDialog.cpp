#include "platform/forms/FontDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "platform/runtime/Colors.h"

namespace forms {

namespace {

struct StandardColor {
  const char* name;
  std::uint32_t value;
};

constexpr StandardColor StandardColors[] = {
    {"Nero", 0x000000},       {"Marrone", 0x000080}, {"Verde", 0x008000},       {"Oliva", 0x008080},
    {"Blu marino", 0x800000}, {"Porpora", 0x800080}, {"Verde acqua", 0x808000}, {"Grigio", 0x808080},
    {"Argento", 0xC0C0C0},    {"Rosso", 0x0000FF},   {"Lime", 0x00FF00},        {"Giallo", 0x00FFFF},
    {"Blu", 0xFF0000},        {"Fucsia", 0xFF00FF},  {"Acqua", 0xFFFF00},       {"Bianco", 0xFFFFFF},
};

// The toolkit's font chooser as a part of the dialog: its keys and answers (Enter on a font name
// accepts) go on to the dialog around it.
class EmbeddedFontChooser : public QFontDialog {
 public:
  explicit EmbeddedFontChooser(QDialog* owner) : QFontDialog(owner), m_owner(owner) {
    setWindowFlags(Qt::Widget);
    setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    setSizeGripEnabled(false);
  }

  void done(int result) override { m_owner->done(result); }

 protected:
  void keyPressEvent(QKeyEvent* event) override { event->ignore(); }

 private:
  QDialog* m_owner;
};

QIcon swatch(std::uint32_t color) {
  QPixmap pixmap(24, 12);
  pixmap.fill(OleColor(color));
  return QIcon(pixmap);
}

QVariant colorData(std::uint32_t color) { return QVariant::fromValue<uint>(color); }

}  // namespace

FontDialog::FontDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Carattere"));
  fontChooser = new EmbeddedFontChooser(this);
  cboColor = new QComboBox(this);
  for (const StandardColor& c : StandardColors)
    cboColor->addItem(swatch(c.value), QString::fromUtf8(c.name), colorData(c.value));
  auto* colorLabel = new QLabel(QStringLiteral("C&olore:"), this);
  colorLabel->setBuddy(cboColor);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QGridLayout(this);
  layout->addWidget(fontChooser, 0, 0, 1, 3);
  layout->addWidget(colorLabel, 1, 0);
  layout->addWidget(cboColor, 1, 1);
  layout->setColumnStretch(2, 1);
  layout->addWidget(buttons, 2, 0, 1, 3);
}

// The standard entries stay; the entry of a colour outside them is replaced on every call.
void FontDialog::offerColor(std::uint32_t color) {
  const int standard = int(std::size(StandardColors));
  while (cboColor->count() > standard) cboColor->removeItem(standard);
  int entry = cboColor->findData(colorData(color));
  if (entry < 0) {
    cboColor->addItem(swatch(color), QStringLiteral("Personalizzato"), colorData(color));
    entry = standard;
  }
  cboColor->setCurrentIndex(entry);
}

std::optional<FontChoice> FontDialog::choose(const QFont& font, std::uint32_t color) {
  fontChooser->setCurrentFont(font);
  offerColor(color);
  if (exec() != QDialog::Accepted) return std::nullopt;
  return FontChoice{fontChooser->currentFont(), cboColor->currentData().toUInt()};
}

}  // namespace forms
