#pragma once

#include <QStringList>
#include <vector>

#include "platform/runtime/Variant.h"

namespace report {

// The records a run reads, one at a time: the column names, then each row's values in that order.
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual QStringList columns() const = 0;
  // Puts the next row's values into `values`; false when the rows are over.
  virtual bool next(std::vector<Variant>& values) = 0;
};

}  // namespace report
