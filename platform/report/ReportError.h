#pragma once

#include <QString>
#include <stdexcept>

namespace report {

// Every failure of a report run, a print or an export: a description in Italian, fit to show the
// user unchanged.
class ReportError : public std::runtime_error {
 public:
  explicit ReportError(const QString& description)
      : std::runtime_error(description.toStdString()), m_description(description) {}
  const QString& description() const { return m_description; }

 private:
  QString m_description;
};

}  // namespace report
