#pragma once

#include <QString>
#include <functional>

#include "platform/runtime/Variant.h"

namespace report {

// Evaluates a field's data expression (the text after "="): column names, optionally in
// [brackets], "quoted texts" ("" inside one stands for a quote) and the & operator, which joins
// the operands as text (Null as nothing). A single operand keeps its value and type. A malformed
// expression throws ReportError.
Variant evaluateExpression(const QString& expression, const std::function<Variant(const QString&)>& column);

}  // namespace report
