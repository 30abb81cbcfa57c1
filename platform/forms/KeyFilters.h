#pragma once

#include <cstdint>
#include <functional>

namespace forms {

// A typing filter takes the character code of a typed key and returns the code to keep: the same,
// another (the box receives that instead) or 0 (the key is dropped).
using KeyFilter = std::function<std::int16_t(std::int16_t keyAscii)>;

// Every character in upper case; the apostrophe dropped (codes and keys that end up in SQL text).
std::int16_t UpperCaseNoApostrophe(std::int16_t keyAscii);
// The apostrophe dropped, everything else as typed.
std::int16_t NoApostrophe(std::int16_t keyAscii);
// Digits, backspace and tab only (counts such as a number of copies).
std::int16_t DigitsOnly(std::int16_t keyAscii);

}  // namespace forms
