#pragma once

#include <QLocale>
#include <QString>
#include <optional>

#include "platform/runtime/Variant.h"

// Numbers typed or stored as text, read under the user's locale: optional sign, digits with the
// locale's thousands separator in its proper places (every three digits), the locale's decimal
// separator, an optional exponent (E or D), spaces around. In Italian "1.234,5" is 1234.5 and
// "12,5" is 12.5; "12.5" is not a number (a misplaced separator), nor is "".
std::optional<double> ParseNumber(const QString& text, const QLocale& locale = QLocale());
bool IsNumeric(const QString& text, const QLocale& locale = QLocale());

// Numbers of every kind and Boolean are numeric; text is numeric when ParseNumber reads it under
// the default locale; Empty, Null, dates and byte arrays are not.
bool IsNumeric(const Variant& value);
