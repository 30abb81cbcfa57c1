#pragma once

#include <QString>

#include "platform/runtime/Variant.h"

namespace grid {

class GridColumn;

// Whether two cell values are the same value: numbers by value, text ignoring case (as the
// database compares text), dates by date and time, Null only with Null.
bool sameValue(const Variant& a, const Variant& b);

// A typed or chosen value converted to a field's type (ADO code): text that reads as a number
// under the user's locale becomes a number, a date text a date, the empty text Null. Text that
// does not convert is returned unchanged, so that the caller's rules can see and refuse it.
Variant convertToField(const Variant& value, int adoType);

// The text typed into a cell's line editor, read the way the editor shows values: a date as
// day/month/year (the form the editor writes, whatever the locale), and in a number a single point,
// when the text holds no decimal separator of the locale, as the decimal separator. Other text is
// returned as it is, for convertToField.
Variant typedCellValue(const QString& text, int adoType);

// Whether a value can be stored in a field of that type as it is.
bool fitsField(const Variant& value, int adoType);

// The text of a value in a cell: formatted with the pattern, or in the general form.
QString formatCell(const Variant& value, const QString& pattern);

// Whether a column's cells read as numbers (aligned right): numeric fields that show their own
// value rather than a text from a list.
bool rightAligned(const GridColumn* column);

}  // namespace grid
