#pragma once

#include <QString>
#include <stdexcept>

namespace db {

// Every failure of the data layer: a description fit to show the user unchanged, and a code.
class DbError : public std::runtime_error {
 public:
  enum Code {
    OpenFailed = 1,
    SqlError = 2,
    Constraint = 3,     // duplicate key, NOT NULL
    Conflict = 4,       // the row was changed by somebody else since it was read
    Busy = 5,           // the file is locked by another program
    NotUpdatable = 6,
    InvalidState = 7,   // operation on a closed object, move past the end, unknown field...
    TypeMismatch = 8,
    ReadOnly = 9,       // the file, or the folder its journal goes into, cannot be written
  };
  DbError(Code code, const QString& description)
      : std::runtime_error(description.toStdString()), m_code(code), m_description(description) {}
  Code code() const { return m_code; }
  const QString& description() const { return m_description; }

 private:
  Code m_code;
  QString m_description;
};

}  // namespace db
