#pragma once

#include <QString>

#include "platform/runtime/UserError.h"

namespace db {

// Every failure of the data layer: a description fit to show the user unchanged, and a code.
class DbError : public UserError {
 public:
  enum Code {
    OpenFailed = 1,
    SqlError = 2,
    Constraint = 3,  // a rule of the table other than the two below
    Conflict = 4,    // the row was changed by somebody else since it was read
    Busy = 5,        // the file is locked by another program
    NotUpdatable = 6,
    InvalidState = 7,  // operation on a closed object, move past the end, unknown field...
    TypeMismatch = 8,
    ReadOnly = 9,    // the file, or the folder its journal goes into, cannot be written
    Required = 10,   // a field that must have a value has none (field() names it)
    Duplicate = 11,  // another row has the same key (field() names it)
  };
  DbError(Code code, const QString& description, const QString& field = QString())
      : UserError(description), m_code(code), m_field(field) {}
  Code code() const { return m_code; }
  // The column a refused write failed on; empty when the error names none.
  const QString& field() const { return m_field; }

 private:
  Code m_code;
  QString m_field;
};

}  // namespace db
