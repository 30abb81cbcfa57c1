#pragma once

#include <QString>
#include <stdexcept>

// A failure whose description, in Italian, is fit to show the user unchanged. The data layer, the
// grid and the report engine each throw their own kind of it; a window that tells the user of a
// failure catches this one and shows it with forms::showError.
class UserError : public std::runtime_error {
 public:
  explicit UserError(const QString& description)
      : std::runtime_error(description.toStdString()), m_description(description) {}
  const QString& description() const { return m_description; }

 private:
  QString m_description;
};
