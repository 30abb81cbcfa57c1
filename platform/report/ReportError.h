#pragma once

#include "platform/runtime/UserError.h"

namespace report {

// Every failure of a report run, a print or an export: a description in Italian, fit to show the
// user unchanged.
class ReportError : public UserError {
 public:
  using UserError::UserError;
};

}  // namespace report
