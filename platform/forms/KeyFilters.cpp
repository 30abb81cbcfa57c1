#include "platform/forms/KeyFilters.h"

#include <QChar>

namespace forms {

namespace {
constexpr std::int16_t Apostrophe = 39;
}

std::int16_t UpperCaseNoApostrophe(std::int16_t keyAscii) {
  if (keyAscii == Apostrophe) return 0;
  const QChar upper = QChar(static_cast<char16_t>(keyAscii)).toUpper();
  return static_cast<std::int16_t>(upper.unicode());
}

std::int16_t NoApostrophe(std::int16_t keyAscii) { return keyAscii == Apostrophe ? 0 : keyAscii; }

std::int16_t DigitsOnly(std::int16_t keyAscii) {
  constexpr std::int16_t Backspace = 8;
  constexpr std::int16_t Tab = 9;
  const bool digit = keyAscii >= '0' && keyAscii <= '9';
  return digit || keyAscii == Backspace || keyAscii == Tab ? keyAscii : 0;
}

}  // namespace forms
