#pragma once

#include <QLocale>
#include <QString>

#include "platform/runtime/Variant.h"

// Formats a value the way the program's windows and reports display it.
//
// Number patterns: 0 (digit or zero), # (digit or nothing), . (decimal separator), , (thousands
// grouping between digit placeholders; right of the last one it divides by 1000), % (times 100),
// literal characters, "quoted text" and \x escapes; up to four sections "positive;negative;zero;null"
// (a negative section shows no minus of its own). Date patterns: d dd ddd dddd ddddd dddddd, w ww,
// m mm mmm mmmm (minutes after h), q, y yy yyyy, h hh, n nn, s ss, ttttt, c, AM/PM am/pm A/P a/p AMPM.
// Named patterns: "General Number", "Currency", "Fixed", "Standard", "Percent", "General Date",
// "Long Date", "Short Date", "Long Time", "Short Time". An empty pattern gives the general form.
//
// Separators, day and month names and the currency come from locale. The slash and the colon of a
// date pattern are written as they stand (they also build date literals for SQL). Displayed digits
// round half away from zero. Empty and Null give "" (Null gives the fourth section when there is
// one); text that is neither a number nor a date is returned unchanged.
QString Format(const Variant& value, const QString& pattern = QString(), const QLocale& locale = QLocale());
