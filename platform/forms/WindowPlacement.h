#pragma once

class QWidget;

namespace forms {

// Makes owner the window's owner (none when nullptr), keeping the window's kind and flags: an owned
// window stays above its owner and shows its owner's icon.
void setOwner(QWidget& window, QWidget* owner);
// Places the window, at its size once laid out, centred on the other one; nowhere new when that is
// nullptr.
void centreOn(QWidget& window, const QWidget* other);

}  // namespace forms
