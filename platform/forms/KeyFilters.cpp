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

}  // namespace forms
