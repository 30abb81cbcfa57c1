#pragma once

#include <QString>
#include <cstdint>

#include "platform/runtime/Variant.h"

// Converters for field values that may be Null or of an unexpected type, and the key filter of the
// decimal input fields.

// The text Value holds; Default for anything else (Null, Empty, numbers, dates, booleans).
QString NzStr(const Variant& Value, const QString& Default);

// Value as a double when it is numeric (a number, or text that reads as one under the user's
// locale); Default otherwise (Null, Empty, dates, non-numeric text).
double NzNum(const Variant& Value, double Default);

// Key filter of a decimal field: digits, comma, backspace and tab pass; a full stop becomes a comma;
// every other key gives 0 (dropped).
std::int16_t FiltraNumero(std::int16_t KeyAscii);
