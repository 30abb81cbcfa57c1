#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/runtime/Variant.h"

namespace report {

// Where a report's records come from: a connection string and an SQL text in the program's
// dialect, both set before each run. While the report runs, the values of the record fetched last
// can be read by column name.
class DataControl {
 public:
  const QString& connectionString() const { return m_connectionString; }
  void setConnectionString(const QString& connectionString) { m_connectionString = connectionString; }
  const QString& source() const { return m_source; }
  void setSource(const QString& source) { m_source = source; }

  // The value of a column of the record fetched last; it stays readable until the run ends. Null
  // before the first record. A name that is no column of the source throws ReportError.
  Variant value(const QString& column) const;
  bool hasColumn(const QString& column) const;

  // Used by the engine while it runs the report.
  void setColumns(const QStringList& columns);
  void setRecord(std::vector<Variant> values);
  void clearRecord();

 private:
  QString m_connectionString;
  QString m_source;
  QStringList m_columns;  // as last set
  // Column name -> position, under its lower-case name and under its own spelling (which spares the
  // lower-casing of a name as the source spells it); the last of equal names wins.
  QHash<QString, int> m_index;
  std::vector<Variant> m_values;
};

}  // namespace report
